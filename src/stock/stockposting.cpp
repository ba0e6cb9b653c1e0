#include "stockposting.h"
#include <sqlite3.h>

namespace stock {
namespace {
QVariant v(Decimal d) { return QVariant::fromValue(d); }

Outcome apply(Connection &c, const GoodsKey &key, Decimal dq, Decimal da, Decimal newPrice, Decimal newAmount)
{
    qint64 id = -1;
    Stock s;
    {
        Statement st = c.prepare(QStringLiteral("SELECT id, kcsl, kcje, kcjg FROM sp\n"
                                                "where txm=?\n"
                                                "and ppgg=?\n"
                                                "and dw=?\n"
                                                "order by id"),
                                 {{{}, key.txm}, {{}, key.ppgg}, {{}, key.dw}});
        if (st.step()) {
            sqlite3_stmt *h = st.handle();
            id = sqlite3_column_int64(h, 0);
            s.kcsl = Decimal::fromRaw(sqlite3_column_int64(h, 1));
            s.kcje = Decimal::fromRaw(sqlite3_column_int64(h, 2));
            s.kcjg = Decimal::fromRaw(sqlite3_column_int64(h, 3));
        }
    }
    if (id < 0) {
        c.exec(QStringLiteral("INSERT INTO sp (lb, txm, ppgg, dw, kcjg, kcsl, kcje) VALUES (?, ?, ?, ?, ?, ?, ?)"),
               {{{}, unknownCategory()}, {{}, key.txm}, {{}, key.ppgg}, {{}, key.dw}, {{}, v(newPrice)},
                {{}, v(dq)}, {{}, v(newAmount)}});
        return Outcome::Created;
    }
    const Stock n = moved(s, dq, da);
    c.exec(QStringLiteral("UPDATE sp SET kcsl=?, kcje=?, kcjg=? WHERE id=?"),
           {{{}, v(n.kcsl)}, {{}, v(n.kcje)}, {{}, v(n.kcjg)}, {{}, id}});
    return Outcome::Updated;
}
}

QString unknownCategory() { return QStringLiteral("未知"); }

Stock moved(Stock s, Decimal dq, Decimal da)
{
    s.kcsl += dq;
    s.kcje += da;
    if (!s.kcsl.isZero() && !s.kcje.isZero()) s.kcjg = Decimal::div2(s.kcje, s.kcsl);
    if (!s.kcsl.isZero() && s.kcje.isZero()) s.kcje = Decimal::mul2(s.kcjg, s.kcsl);
    if (s.kcsl.isZero()) s.kcje = Decimal();
    return s;
}

Outcome post(Connection &c, const GoodsKey &key, int direction, Decimal quantity, Decimal amount, Decimal price)
{
    const Decimal d = Decimal::fromInt(direction < 0 ? -1 : 1);
    const Decimal dq = d * quantity, da = d * amount;
    return apply(c, key, dq, da, price, da);
}

Outcome postSale(Connection &c, const GoodsKey &key, int direction, Decimal sl, Decimal cbje, Decimal cbjg)
{
    const Decimal d = Decimal::fromInt(direction < 0 ? -1 : 1);
    const Decimal dq = d * sl;
    return apply(c, key, dq, d * cbje, cbjg, Decimal::mul2(cbjg, dq));
}
}
