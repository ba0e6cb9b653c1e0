// The receipt text and the arithmetic of a slip line: pure functions.
#include "receipt.h"
#include "saleline.h"
#include <QStringDecoder>
#include <QTest>

namespace {
Decimal d(const char *t) { return *Decimal::parse(QString::fromUtf8(t)); }

receipt::Data sample(bool withPoints)
{
    receipt::Data r;
    r.header = QStringLiteral("朗森超市");
    r.number = QStringLiteral("XS201004050001");
    r.time = QDateTime(QDate(2010, 4, 5), QTime(9, 3, 7));
    r.items = {{QStringLiteral("可乐 500ml"), d("1"), d("7.99"), d("7.99")},
               {QStringLiteral("矿泉水"), d("12"), d("1.5"), d("18")},
               {QStringLiteral("退货 口香糖"), d("-1"), d("3.5"), d("-3.5")}};
    r.due = d("22.5");
    r.paid = d("50");
    r.change = d("27.51");
    r.memberCard = QStringLiteral("0001");
    r.memberName = QStringLiteral("张三");
    r.withPoints = withPoints;
    r.slipPoints = d("22.49");
    r.totalPoints = d("122.49");
    r.footer1 = QStringLiteral("谢谢惠顾");
    r.footer2 = QStringLiteral("欢迎再次光临");
    return r;
}
}

class TstReceipt : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void receiptBytes_data()
    {
        QTest::addColumn<bool>("withPoints");
        QTest::newRow("member with points") << true;
        QTest::newRow("customer without a card") << false;
    }
    void receiptBytes()
    {
        QFETCH(bool, withPoints);
        QStringList expected = {
            QStringLiteral("            朗森超市"),
            QString(),
            QStringLiteral("单号:XS201004050001"),
            QStringLiteral("时间:10-04-05  09:03:07"),
            QStringLiteral("品名规格    数量    单价    金额"),
            QStringLiteral("--------------------------------"),
            QStringLiteral("可乐 500ml"),
            QStringLiteral("            1    7.99    7.99"),
            QStringLiteral("矿泉水"),
            QStringLiteral("            12     1.5      18"),
            QStringLiteral("退货 口香糖"),
            QStringLiteral("            -1     3.5    -3.5"),
            QStringLiteral("--------------------------------"),
            QStringLiteral("件数:3.0         应付:22.5"),
            QStringLiteral("付款:￥50.0"),
            QStringLiteral("找零:￥27.5"),
            QStringLiteral("会员卡号:0001 张三"),
        };
        if (withPoints) expected << QStringLiteral("本次积分:22.49") << QStringLiteral("累计积分:122.49");
        expected << QStringLiteral("谢谢惠顾") << QStringLiteral("欢迎再次光临");
        for (int i = 0; i < 6; ++i) expected << QString();
        QCOMPARE(receipt::lines(sample(withPoints)), expected);

        const QByteArray bytes = receipt::bytes(sample(withPoints));
        // GB18030 as the printer reads it: the shop header's first character, the yen sign.
        QVERIFY(bytes.startsWith(QByteArray(QByteArray(12, ' ') + QByteArray("\xC0\xCA", 2))));
        QVERIFY(bytes.contains(QByteArray("\xB8\xB6\xBF\xEE:\xA3\xA4" "50.0\r\n")));
        QVERIFY(bytes.endsWith(QByteArray(QByteArray("\xBB\xB6\xD3\xAD\xD4\xD9\xB4\xCE\xB9\xE2\xC1\xD9\r\n") + QByteArray("\r\n").repeated(6))));
        QCOMPARE(bytes.count("\r\n"), expected.size());
        QStringDecoder dec("GB18030");
        QCOMPARE(QString(dec.decode(bytes)), expected.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    }

    void headerCentring_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<int>("spaces");
        QTest::newRow("odd width rounds down") << QStringLiteral("A朗森") << 13; // 5 bytes: 27 / 2
        QTest::newRow("exactly 32 bytes") << QString(16, QChar(0x6717)) << 0;
        QTest::newRow("longer than the paper") << QString(20, QChar(0x6717)) << 0;
        QTest::newRow("empty") << QString() << 16;
    }
    void headerCentring()
    {
        QFETCH(QString, header);
        QFETCH(int, spaces);
        receipt::Data r = sample(true);
        r.header = header;
        QCOMPARE(receipt::lines(r).first(), QString(spaces, u' ') + header);
    }

    void widthsInBytes()
    {
        QCOMPARE(receipt::width(QStringLiteral("品名规格")), 8);
        QCOMPARE(receipt::width(QStringLiteral("ab￥")), 4);
        QCOMPARE(receipt::rightAligned(QStringLiteral("7.99"), 8), QStringLiteral("    7.99"));
        QCOMPARE(receipt::rightAligned(QStringLiteral("123456789"), 8), QStringLiteral("123456789"));
    }

    // The line rule: discount only for goods flagged "打折", points only for members with a card.
    void newLine_data()
    {
        QTest::addColumn<QString>("listPrice");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("points");
        QTest::addColumn<QString>("profit");
        // cost 5, points base 2
        QTest::newRow("discounted 9.99 at 0.8") << "9.99" << "0.8" << "打折" << "金卡" << "7.99" << "15.98" << "2.99";
        QTest::newRow("not discounted keeps list price") << "9.99" << "0.8" << "不打折" << "金卡" << "9.99" << "19.98" << "4.99";
        QTest::newRow("no card: no points") << "9.99" << "0.8" << "打折" << "无卡顾客" << "7.99" << "0" << "2.99";
        QTest::newRow("half cent to even") << "2.5" << "0.85" << "打折" << "金卡" << "2.12" << "4.24" << "-2.88";
    }
    void newLine()
    {
        QFETCH(QString, listPrice);
        QFETCH(QString, discount);
        QFETCH(QString, flag);
        QFETCH(QString, level);
        QFETCH(QString, price);
        QFETCH(QString, points);
        QFETCH(QString, profit);
        const saleline::Line l = saleline::newLine(*Decimal::parse(listPrice), *Decimal::parse(discount), flag, d("2"),
                                                   d("5"), level);
        QCOMPARE(l.sl.toPlain(), QStringLiteral("1"));
        QCOMPARE(l.jg.toPlain(), price);
        QCOMPARE(l.je.toPlain(), price);
        QCOMPARE(l.bcjf.toPlain(), points);
        QCOMPARE(l.cbje.toPlain(), QStringLiteral("5"));
        QCOMPARE(l.maoli.toPlain(), profit);
    }

    void repriceAndChange()
    {
        saleline::Line l = saleline::newLine(d("9.99"), d("1"), QStringLiteral("打折"), d("1"), d("5"), QStringLiteral("金卡"));
        saleline::change(l, d("3"), d("9"), QStringLiteral("金卡")); // a price typed with F11
        QCOMPARE(l.je.toPlain(), QStringLiteral("27"));
        QCOMPARE(l.cbje.toPlain(), QStringLiteral("15"));
        // Another member: the discount rule replaces the typed price.
        saleline::reprice(l, d("0.8"), QStringLiteral("金卡"));
        QCOMPARE(l.jg.toPlain(), QStringLiteral("7.99"));
        QCOMPARE(l.je.toPlain(), QStringLiteral("23.97"));
        QCOMPARE(l.bcjf.toPlain(), QStringLiteral("23.97"));
        QCOMPARE(l.maoli.toPlain(), QStringLiteral("8.97"));
        saleline::reprice(l, d("1"), QStringLiteral("无卡顾客"));
        QCOMPARE(l.bcjf.toPlain(), QStringLiteral("0"));
        // A return: quantity -2 at 5 is -10 with negative points.
        saleline::change(l, d("-2"), d("5"), QStringLiteral("金卡"));
        QCOMPARE(l.je.toPlain(), QStringLiteral("-10"));
        QCOMPARE(l.bcjf.toPlain(), QStringLiteral("-10"));
        QCOMPARE(l.cbje.toPlain(), QStringLiteral("-10"));
    }

    void amountDue_data()
    {
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("due");
        QTest::newRow("37.46") << "37.46" << "37.5";
        QTest::newRow("half to even down") << "37.45" << "37.4";
        QTest::newRow("half to even up") << "37.55" << "37.6";
        QTest::newRow("return slip") << "-12.55" << "-12.6";
    }
    void amountDue()
    {
        QFETCH(QString, total);
        QFETCH(QString, due);
        QCOMPARE(saleline::amountDue(*Decimal::parse(total)).toFixed(1), due);
    }
};

QTEST_GUILESS_MAIN(TstReceipt)
#include "tst_receipt.moc"
