#include "dates.h"
#include "decimal.h"
#include "docnumber.h"
#include <QTest>

class TstCore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rounding_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("fixed");
        QTest::newRow("half down to even") << "2.125" << 2 << "2.12";
        QTest::newRow("half up to even") << "2.135" << 2 << "2.14";
        QTest::newRow("one decimal half to even") << "37.45" << 1 << "37.4";
        QTest::newRow("above half") << "37.46" << 1 << "37.5";
        QTest::newRow("negative half") << "-2.125" << 2 << "-2.12";
        QTest::newRow("negative above half") << "-2.1251" << 2 << "-2.13";
        QTest::newRow("pads zeros") << "7.5" << 2 << "7.50";
        QTest::newRow("zero") << "0" << 2 << "0.00";
        QTest::newRow("to units") << "2.5" << 0 << "2";
        QTest::newRow("to units odd") << "3.5" << 0 << "4";
        QTest::newRow("tiny negative rounds to zero") << "-0.001" << 2 << "0.00";
    }
    void rounding()
    {
        QFETCH(QString, value);
        QFETCH(int, decimals);
        QFETCH(QString, fixed);
        const auto d = Decimal::parse(value);
        QVERIFY(d);
        QCOMPARE(d->toFixed(decimals), fixed);
        QCOMPARE(d->rounded(decimals).toFixed(decimals), fixed);
    }

    void plainText_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("plain");
        QTest::newRow("trailing zero") << "1234.50" << "1234.5";
        QTest::newRow("whole") << "1234.00" << "1234";
        QTest::newRow("nothing") << "0" << "0";
        QTest::newRow("negative") << "-0.50" << "-0.5";
        QTest::newRow("four places") << "0.0001" << "0.0001";
        QTest::newRow("large, no separators") << "1234567.8" << "1234567.8";
    }
    void plainText()
    {
        QFETCH(QString, value);
        QFETCH(QString, plain);
        QCOMPARE(Decimal::parse(value)->toPlain(), plain);
    }

    void parsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("integer") << "3" << true << qint64(30000);
        QTest::newRow("blanks") << "  3.5 " << true << qint64(35000);
        QTest::newRow("leading point") << ".5" << true << qint64(5000);
        QTest::newRow("trailing point") << "3." << true << qint64(30000);
        QTest::newRow("minus") << "-1.25" << true << qint64(-12500);
        QTest::newRow("five places round to even") << "0.00005" << true << qint64(0);
        QTest::newRow("five places round up") << "0.00015" << true << qint64(2);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("two points") << "1.2.3" << false << qint64(0);
        QTest::newRow("letters") << "12a" << false << qint64(0);
        QTest::newRow("only point") << "." << false << qint64(0);
        QTest::newRow("thousands separator") << "1,000" << false << qint64(0);
    }
    void parsing()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(qint64, raw);
        const auto d = Decimal::parse(text);
        QCOMPARE(bool(d), ok);
        if (ok) QCOMPARE(d->raw(), raw);
    }

    void products_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("product2");
        QTest::newRow("stock value") << "3" << "2.5" << "7.50";
        QTest::newRow("discounted price") << "9.99" << "0.8" << "7.99"; // 7.992
        QTest::newRow("half cent to even") << "0.25" << "0.5" << "0.12";   // 0.125
        QTest::newRow("double rounding through four places") << "1.00005" << "1" << "1.00";
        QTest::newRow("negative quantity") << "-2" << "3.335" << "-6.67";
    }
    void products()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, product2);
        QCOMPARE(Decimal::mul2(*Decimal::parse(a), *Decimal::parse(b)).toFixed(2), product2);
    }

    void quotients()
    {
        auto q = [](const char *a, const char *b) {
            return Decimal::div2(*Decimal::parse(QLatin1String(a)), *Decimal::parse(QLatin1String(b))).toFixed(2);
        };
        QCOMPARE(q("10", "3"), QStringLiteral("3.33"));
        QCOMPARE(q("20", "3"), QStringLiteral("6.67"));
        QCOMPARE(q("7.5", "3"), QStringLiteral("2.50"));
        QCOMPARE(q("-10", "4"), QStringLiteral("-2.50"));
        QCOMPARE(q("1", "0"), QStringLiteral("0.00")); // no division by zero
        // Exactly 0.00125 at four places rounds to 0.0012, then 0.00.
        QCOMPARE((*Decimal::parse(QStringLiteral("0.01")) / Decimal::fromInt(8)).raw(), qint64(12));
        // 1/3 exact to four places, not pushed by the remainder.
        QCOMPARE((Decimal::fromInt(1) / Decimal::fromInt(3)).raw(), qint64(3333));
        QCOMPARE((Decimal::fromInt(2) / Decimal::fromInt(3)).raw(), qint64(6667));
    }

    void documentNumbers_data()
    {
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("next");
        QTest::newRow("first of the day") << "" << "XS201004050001";
        QTest::newRow("carry into tens") << "XS201004050009" << "XS201004050010";
        QTest::newRow("last allowed") << "XS201004059998" << "XS201004059999";
        QTest::newRow("yesterday's number does not continue") << "XS201004049999" << "XS201004050001";
        QTest::newRow("ceiling") << "XS201004059999" << "";
    }
    void documentNumbers()
    {
        QFETCH(QString, last);
        QFETCH(QString, next);
        const auto n = docnumber::next(QStringLiteral("XS"), QDate(2010, 4, 5), last);
        if (next.isEmpty()) QVERIFY(!n);
        else QCOMPARE(*n, next);
    }

    void clockText()
    {
        const QDateTime t(QDate(2010, 7, 11), QTime(14, 5, 9));
        QCOMPARE(dates::clockText(t), QStringLiteral("2010年07月11日 星期日 14时05分09秒"));
        QCOMPARE(dates::iso(QDate(2010, 7, 1)), QStringLiteral("2010-07-01"));
        QVERIFY(!dates::fromIso(QStringLiteral("2010-7-1")).isValid());
    }
};

QTEST_APPLESS_MAIN(TstCore)
#include "tst_core.moc"
