#pragma once
// Shop data for the benchmarks: goods with barcodes 69..., members with cards 8..., written in
// one transaction by the caller.
#include "connection.h"
#include <QString>
#include <sqlite3.h>

namespace benchdata {
inline QString barcode(int i) { return QStringLiteral("69%1").arg(i, 11, 10, QLatin1Char('0')); }
inline QString card(int i) { return QStringLiteral("8%1").arg(i, 7, 10, QLatin1Char('0')); }

// Every seventh article is "不打折"; prices and stock vary with the number.
inline void fillGoods(Connection &c, int count)
{
    Statement sp = c.prepare(QStringLiteral(
        "INSERT INTO sp (txm, lb, ppgg, dw, jj, xj, kcsl, kcjg, kcje, slt, jet, jfjs, ms, bz, ztbj) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 0, 0, 10000, ?, '', ?)"));
    for (int i = 0; i < count; ++i) {
        sqlite3_reset(sp.handle());
        sp.bindAt(1, barcode(i));
        sp.bindAt(2, QStringLiteral("类别%1").arg(i % 50));
        sp.bindAt(3, QStringLiteral("商品名称规格型号%1").arg(i));
        sp.bindAt(4, i % 3 ? QStringLiteral("瓶") : QStringLiteral("箱"));
        sp.bindAt(5, qlonglong(12300 + i % 1000));
        sp.bindAt(6, qlonglong(19900 + i % 1000));
        sp.bindAt(7, qlonglong((i % 200) * 10000));
        sp.bindAt(8, qlonglong(12300));
        sp.bindAt(9, qlonglong((i % 200) * 12300));
        sp.bindAt(10, QStringLiteral("描述"));
        sp.bindAt(11, i % 7 ? QStringLiteral("打折") : QStringLiteral("不打折"));
        sp.step();
    }
}

inline void fillMembers(Connection &c, int count)
{
    Statement kh = c.prepare(QStringLiteral(
        "INSERT INTO kh (bm, mc, xb, dj, zk, zjf, zxf, zj, yb, csrq, lxdh, lxdz, bz, kkrq, ztbj) "
        "VALUES (?, ?, '女', '普通会员', 9000, 0, 0, '', '', ?, '', '', '', '2026-01-15', '可用')"));
    for (int i = 0; i < count; ++i) {
        sqlite3_reset(kh.handle());
        kh.bindAt(1, card(i));
        kh.bindAt(2, QStringLiteral("会员%1").arg(i));
        kh.bindAt(3, QStringLiteral("1990%1%2").arg(1 + i % 12, 2, 10, QLatin1Char('0')).arg(1 + i % 28, 2, 10, QLatin1Char('0')));
        kh.step();
    }
}
}
