// The stock posting rule: purchase form and sales variant, on a goods row found by barcode,
// name and unit together.
#include "stockposting.h"
#include "testsupport.h"
#include <QTest>
#include <sqlite3.h>

namespace {
Decimal d(const char *t) { return *Decimal::parse(QString::fromUtf8(t)); }
QVariant v(const char *t) { return QVariant::fromValue(d(t)); }

void addGoods(Connection &c, const QString &txm, const QString &ppgg, const QString &dw, const char *kcsl,
              const char *kcje, const char *kcjg)
{
    c.exec(QStringLiteral("INSERT INTO sp (txm, lb, ppgg, dw, kcsl, kcje, kcjg) VALUES (?, '饮料', ?, ?, ?, ?, ?)"),
           {{{}, txm}, {{}, ppgg}, {{}, dw}, {{}, v(kcsl)}, {{}, v(kcje)}, {{}, v(kcjg)}});
}

struct Row {
    QString lb, kcsl, kcje, kcjg;
};
QList<Row> rows(Connection &c, const QString &txm, const QString &dw)
{
    QList<Row> out;
    Statement st = c.prepare(QStringLiteral("SELECT lb, kcsl, kcje, kcjg FROM sp WHERE txm=? AND dw=? ORDER BY id"),
                             {{{}, txm}, {{}, dw}});
    while (st.step()) {
        auto dec = [&](int i) { return Decimal::fromRaw(sqlite3_column_int64(st.handle(), i)).toFixed(2); };
        out << Row{QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st.handle(), 0))), dec(1),
                   dec(2), dec(3)};
    }
    return out;
}
const stock::GoodsKey kCola{QStringLiteral("6901"), QStringLiteral("可乐 500ml"), QStringLiteral("瓶")};
}

class TstStockPosting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void purchaseForm_data()
    {
        QTest::addColumn<QString>("before"); // kcsl kcje kcjg
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("movement"); // quantity amount price
        QTest::addColumn<QString>("after");
        QTest::newRow("moving average") << "10 50 5" << 1 << "10 70 7" << "20.00 120.00 6.00";
        QTest::newRow("return to supplier lowers stock") << "10 50 5" << 1 << "-2 -10 5" << "8.00 40.00 5.00";
        QTest::newRow("stock used up: amount nothing, cost kept") << "3 12 4" << 1 << "-3 -15 5" << "0.00 0.00 4.00";
        QTest::newRow("free goods: amount rebuilt from cost") << "0 0 5" << 1 << "4 0 0" << "4.00 20.00 5.00";
        QTest::newRow("amount used up with stock left: rebuilt") << "4 8 2" << -1 << "2 8 4" << "2.00 4.00 2.00";
        QTest::newRow("average rounded to two decimals") << "0 0 0" << 1 << "3 10 3.33" << "3.00 10.00 3.33";
        QTest::newRow("stock-out into negative stock") << "1 5 5" << -1 << "3 15 5" << "-2.00 -10.00 5.00";
        QTest::newRow("stock-out reversed") << "-2 -10 5" << 1 << "3 15 5" << "1.00 5.00 5.00";
    }
    void purchaseForm()
    {
        QFETCH(QString, before);
        QFETCH(int, direction);
        QFETCH(QString, movement);
        QFETCH(QString, after);
        TempDb db;
        const QStringList b = before.split(u' '), m = movement.split(u' ');
        addGoods(db.conn(), kCola.txm, kCola.ppgg, kCola.dw, b[0].toUtf8(), b[1].toUtf8(), b[2].toUtf8());
        QCOMPARE(stock::post(db.conn(), kCola, direction, d(m[0].toUtf8()), d(m[1].toUtf8()), d(m[2].toUtf8())),
                 stock::Outcome::Updated);
        const QList<Row> r = rows(db.conn(), kCola.txm, kCola.dw);
        QCOMPARE(r.size(), 1);
        QCOMPARE(QStringList({r[0].kcsl, r[0].kcje, r[0].kcjg}).join(u' '), after);
    }

    // Goods not found by all three of barcode, name and unit get a new row in category "未知"
    // carrying the movement; the same barcode in another unit is left alone.
    void unknownGoods_data()
    {
        QTest::addColumn<bool>("sale");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("after");
        QTest::newRow("purchase") << false << 1 << "3.00 10.00 4.00";
        QTest::newRow("stock-out") << false << -1 << "-3.00 -10.00 4.00";
        // Sales variant: the line's unit cost, the amount unit cost times stock.
        QTest::newRow("sale") << true << -1 << "-3.00 -12.00 4.00";
        QTest::newRow("sale reversed") << true << 1 << "3.00 12.00 4.00";
    }
    void unknownGoods()
    {
        QFETCH(bool, sale);
        QFETCH(int, direction);
        QFETCH(QString, after);
        TempDb db;
        addGoods(db.conn(), kCola.txm, kCola.ppgg, QStringLiteral("箱"), "5", "100", "20");
        const auto outcome = sale ? stock::postSale(db.conn(), kCola, direction, d("3"), d("10"), d("4"))
                                  : stock::post(db.conn(), kCola, direction, d("3"), d("10"), d("4"));
        QCOMPARE(outcome, stock::Outcome::Created);
        const QList<Row> created = rows(db.conn(), kCola.txm, kCola.dw);
        QCOMPARE(created.size(), 1);
        QCOMPARE(created[0].lb, QStringLiteral("未知"));
        QCOMPARE(QStringList({created[0].kcsl, created[0].kcje, created[0].kcjg}).join(u' '), after);
        QCOMPARE(db.conn().scalar(QStringLiteral("SELECT ppgg FROM sp WHERE lb='未知'")).toString(), kCola.ppgg);
        const QList<Row> box = rows(db.conn(), kCola.txm, QStringLiteral("箱"));
        QCOMPARE(box[0].kcsl, QStringLiteral("5.00"));
        QCOMPARE(box[0].kcje, QStringLiteral("100.00"));
    }

    void salesVariant_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("line"); // sl cbje cbjg
        QTest::addColumn<QString>("after");
        QTest::newRow("sale at cost") << -1 << "2 6 3" << "8.00 24.00 3.00";
        QTest::newRow("return line raises stock") << -1 << "-1 -3 3" << "11.00 33.00 3.00";
        QTest::newRow("reversal puts it back") << 1 << "2 6 3" << "12.00 36.00 3.00";
        QTest::newRow("sold out") << -1 << "10 30 3" << "0.00 0.00 3.00";
    }
    void salesVariant()
    {
        QFETCH(int, direction);
        QFETCH(QString, line);
        QFETCH(QString, after);
        TempDb db;
        addGoods(db.conn(), kCola.txm, kCola.ppgg, kCola.dw, "10", "30", "3");
        const QStringList l = line.split(u' ');
        stock::postSale(db.conn(), kCola, direction, d(l[0].toUtf8()), d(l[1].toUtf8()), d(l[2].toUtf8()));
        const Row r = rows(db.conn(), kCola.txm, kCola.dw).value(0);
        QCOMPARE(QStringList({r.kcsl, r.kcje, r.kcjg}).join(u' '), after);
    }

    // Two rows with one key: only the first is posted. Letters of a barcode in either case match.
    void firstOfSeveralRowsAndCase()
    {
        TempDb db;
        addGoods(db.conn(), QStringLiteral("ab01"), kCola.ppgg, kCola.dw, "1", "5", "5");
        addGoods(db.conn(), QStringLiteral("ab01"), kCola.ppgg, kCola.dw, "1", "5", "5");
        stock::post(db.conn(), {QStringLiteral("AB01"), kCola.ppgg, kCola.dw}, 1, d("1"), d("7"), d("7"));
        const QList<Row> r = rows(db.conn(), QStringLiteral("ab01"), kCola.dw);
        QCOMPARE(r.size(), 2);
        QCOMPARE(r[0].kcsl, QStringLiteral("2.00"));
        QCOMPARE(r[0].kcjg, QStringLiteral("6.00"));
        QCOMPARE(r[1].kcsl, QStringLiteral("1.00"));
    }

    // The posting runs inside its caller's transaction: rolled back, nothing of it stays.
    void insideTheCallersTransaction()
    {
        TempDb db;
        addGoods(db.conn(), kCola.txm, kCola.ppgg, kCola.dw, "10", "50", "5");
        {
            Connection::Transaction t(db.conn());
            stock::post(db.conn(), kCola, 1, d("10"), d("70"), d("7"));
            stock::post(db.conn(), {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")}, 1, d("1"), d("1"), d("1"));
            QVERIFY(db.conn().inTransaction());
        }
        QCOMPARE(rows(db.conn(), kCola.txm, kCola.dw)[0].kcsl, QStringLiteral("10.00"));
        QCOMPARE(db.conn().scalar(QStringLiteral("SELECT count(*) FROM sp")).toInt(), 1);
    }

    void movedIsPure()
    {
        // The three recompute steps on the values the previous one left.
        const stock::Stock s = stock::moved({d("2"), d("0.02"), d("9")}, d("1"), d("0"));
        QCOMPARE(s.kcjg.toFixed(2), QStringLiteral("0.01"));
        QCOMPARE(s.kcje.toFixed(2), QStringLiteral("0.02"));
    }
};

QTEST_GUILESS_MAIN(TstStockPosting)
#include "tst_stockposting.moc"
