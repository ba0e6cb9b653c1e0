#pragma once
// A small shop for the counter tests: a salesperson, members of a card level and of the level
// without a card, an unusable card, and a few goods.
#include "frame.h"
#include "salesscreens.h"
#include "testsupport.h"
#include "tjxsd1.h"
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <sqlite3.h>

namespace fx {
inline Decimal d(const char *t) { return *Decimal::parse(QString::fromUtf8(t)); }
inline QVariant v(const char *t) { return QVariant::fromValue(d(t)); }

class TestFrame : public Frame {
public:
    TestFrame() { setFrame(this); }
    ~TestFrame() override { setFrame(nullptr); }
    QString operatorName() const override { return QStringLiteral("系统管理员"); }
    QString priceFlag() const override { return QStringLiteral("显示价格"); }
    QWidget *mainWindow() override { return nullptr; }
    void showChild(QWidget *w) override { w->show(); }
    bool activateIfOpen(QWidget *w) override
    {
        if (!w) return false;
        w->show();
        w->raise();
        return true;
    }
};

inline void addGoods(Connection &c, const char *txm, const char *ppgg, const char *dw, const char *xj, const char *ztbj,
                     const char *jfjs, const char *kcjg, const char *kcsl)
{
    const Decimal amount = Decimal::mul2(d(kcjg), d(kcsl));
    c.exec(QStringLiteral("INSERT INTO sp (txm, lb, ppgg, dw, jj, xj, kcsl, kcjg, kcje, jfjs, ztbj) "
                          "VALUES (?, '食品', ?, ?, 0, ?, ?, ?, ?, ?, ?)"),
           {{{}, QString::fromUtf8(txm)}, {{}, QString::fromUtf8(ppgg)}, {{}, QString::fromUtf8(dw)}, {{}, v(xj)},
            {{}, v(kcsl)}, {{}, v(kcjg)}, {{}, QVariant::fromValue(amount)}, {{}, v(jfjs)}, {{}, QString::fromUtf8(ztbj)}});
}

inline void addMember(Connection &c, const char *bm, const char *mc, const char *dj, const char *zk, const char *ztbj = "可用")
{
    c.exec(QStringLiteral("INSERT INTO kh (bm, mc, xb, dj, zk, zjf, zxf, lxdz, lxdh, ztbj) VALUES (?, ?, '女', ?, ?, ?, ?, ?, ?, ?)"),
           {{{}, QString::fromUtf8(bm)}, {{}, QString::fromUtf8(mc)}, {{}, QString::fromUtf8(dj)}, {{}, v(zk)},
            {{}, v("100")}, {{}, v("1000")}, {{}, QStringLiteral("北京路1号")}, {{}, QStringLiteral("13900000000")},
            {{}, QString::fromUtf8(ztbj)}});
}

// The seeded walk-in member "0000" 散客 is of level 无卡顾客.
inline void seedShop(Connection &c)
{
    c.exec(QStringLiteral("INSERT INTO yg (xm, xb) VALUES ('张三', '男')"));
    c.exec(QStringLiteral("INSERT INTO dj (dj, zk) VALUES ('金卡', ?)"), {{{}, v("0.8")}});
    addMember(c, "0001", "王五", "金卡", "0.8");
    addMember(c, "0009", "赵六", "金卡", "0.8", "不可用");
    addGoods(c, "6901", "可乐 500ml", "瓶", "9.99", "打折", "1", "5", "10");
    addGoods(c, "6902", "矿泉水", "瓶", "2", "不打折", "1", "1", "10");
    addGoods(c, "6903", "啤酒", "瓶", "3", "打折", "1", "2", "10");
    addGoods(c, "6903", "啤酒", "箱", "30", "打折", "1", "20", "1");
    addGoods(c, "7001", "礼盒", "盒", "37.46", "不打折", "1", "20", "10");
}

inline QString text(Connection &c, const QString &sql, const Bindings &b = {}) { return c.scalar(sql, b).toString(); }
inline QString decText(Connection &c, const QString &sql, const Bindings &b = {})
{
    const QVariant r = c.scalar(sql, b);
    return r.isValid() ? Decimal::fromRaw(r.toLongLong()).toPlain() : QStringLiteral("null");
}
inline int count(Connection &c, const QString &sql, const Bindings &b = {}) { return c.scalar(sql, b).toInt(); }
inline QString today() { return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")); }
inline QString todayCompact() { return QDate::currentDate().toString(QStringLiteral("yyyyMMdd")); }

// The counter window, shown, with a salesperson and (optionally) a member; closed at the end.
struct Counter {
    QPointer<TFtjxsd1> w;
    explicit Counter(const char *card = "0001", bool show = true)
    {
        w = new TFtjxsd1;
        if (!show) return;
        w->show();
        w->activateWindow();
        // (A counter that refuses to open closes itself meanwhile.)
        for (int i = 0; i < 100 && w && !w->isActiveWindow(); ++i) QTest::qWait(10);
        if (!w) return;
        box("jsr")->setText(QStringLiteral("张三"));
        if (card) box("hybm")->setText(QString::fromUtf8(card));
    }
    ~Counter()
    {
        if (w) w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QLineEdit *box(const char *name) const { return w->box(name); }
    QString e(const char *name) const { return box(name)->text(); }
    // A scanner types the code and Enter into the barcode box.
    void scan(const char *code)
    {
        QLineEdit *t = box("txm");
        t->setFocus();
        t->setText(QString::fromUtf8(code));
        QTest::keyClick(t, Qt::Key_Return);
    }
    void key(Qt::Key k, QWidget *target = nullptr) { QTest::keyClick(target ? target : box("txm"), k); }
    int lines() const { return DM1->AQxsc1->isOpen() ? DM1->AQxsc1->recordCount() : -1; }
    QString line(int row, const char *field) const
    {
        const Dataset *ds = DM1->AQxsc1;
        const int c = ds->fieldIndex(QLatin1String(field));
        return ds->fieldKind(c) == Dataset::Kind::Decimal ? ds->decAt(row, c).toPlain() : ds->textAt(row, c);
    }
};
}
