#include "capitals.h"
#include "frame.h"
#include "ntoc1.h"
#include "salesscreens.h"
#include "testsupport.h"
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TstSales : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void capitals_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("capitals");
        // The reference table of the conversion.
        QTest::newRow("0") << "0" << "零";
        QTest::newRow("0.05") << "0.05" << "伍分";
        QTest::newRow("0.50") << "0.50" << "伍角整";
        QTest::newRow("1") << "1" << "壹圆整";
        QTest::newRow("1.05") << "1.05" << "壹圆零伍分";
        QTest::newRow("1.50") << "1.50" << "壹圆伍角整";
        QTest::newRow("10") << "10" << "壹拾圆整";
        QTest::newRow("10.50") << "10.50" << "壹拾圆伍角整";
        QTest::newRow("20.02") << "20.02" << "贰拾圆零贰分";
        QTest::newRow("100.10") << "100.10" << "壹佰圆壹角整";
        QTest::newRow("101") << "101" << "壹佰零壹圆整";
        QTest::newRow("1,001") << "1001" << "壹仟零壹圆整";
        QTest::newRow("10,010") << "10010" << "壹万零壹拾圆整";
        QTest::newRow("100,000") << "100000" << "壹拾万圆整";
        QTest::newRow("1,010,000") << "1010000" << "壹佰零壹万圆整";
        QTest::newRow("10,000,001") << "10000001" << "壹仟万零壹圆整";
        QTest::newRow("100,000,000") << "100000000" << "壹亿圆整";
        QTest::newRow("100,010,000") << "100010000" << "壹亿零壹万圆整";
        QTest::newRow("1,000,000,000,000") << "1000000000000" << "壹万亿圆整";
        QTest::newRow("123,456.78") << "123456.78" << "壹拾贰万叁仟肆佰伍拾陆圆柒角捌分";
        QTest::newRow("slip total 37.46") << "37.46" << "叁拾柒圆肆角陆分";
        // An all-zero 万 section under 亿 with a thousands digit: the gap is written 零.
        QTest::newRow("500,008,775") << "500008775" << "伍亿零捌仟柒佰柒拾伍圆整";
        QTest::newRow("500,008,000") << "500008000" << "伍亿零捌仟圆整";
        QTest::newRow("1,000,000,008,775") << "1000000008775" << "壹万亿零捌仟柒佰柒拾伍圆整";
        QTest::newRow("500,000,775 keeps one 零") << "500000775" << "伍亿零柒佰柒拾伍圆整";
        QTest::newRow("1,000,100") << "1000100" << "壹佰万零壹佰圆整";
        // Rounded to two decimals first, an exact half to the even neighbour.
        QTest::newRow("0.125") << "0.125" << "壹角贰分";
        QTest::newRow("0.135") << "0.135" << "壹角肆分";
        QTest::newRow("negative") << "-12.5" << "负壹拾贰圆伍角整";
        QTest::newRow("tiny negative is zero") << "-0.001" << "零";
        QTest::newRow("13 digits") << "9999999999999.99" << "玖万玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖圆玖角玖分"
                                                               ;
        QTest::newRow("beyond 13 digits") << "10000000000000" << "";
    }
    void capitals()
    {
        QFETCH(QString, amount);
        QFETCH(QString, capitals);
        const auto d = Decimal::parse(amount);
        QVERIFY(d);
        QCOMPARE(amountInCapitals(*d), capitals);
    }

    void registered()
    {
        registerSalesScreens();
        QVERIFY(screens::has(QStringLiteral("TFntoc1")));
        QVERIFY(screens::isChild(QStringLiteral("TFntoc1")));
        std::unique_ptr<QWidget> w(screens::create(QStringLiteral("TFntoc1"), nullptr));
        QVERIFY(qobject_cast<TFntoc1 *>(w.get()));
        QCOMPARE(w->windowTitle(), QStringLiteral("人民币大小写转换"));
    }

    void window_data()
    {
        QTest::addColumn<QString>("figures");
        QTest::addColumn<QString>("capitals");
        QTest::addColumn<QString>("message");
        QTest::newRow("pasted negative") << "-12.5" << "负壹拾贰圆伍角整" << "";
        QTest::newRow("amount") << "123456.78" << "壹拾贰万叁仟肆佰伍拾陆圆柒角捌分" << "";
        QTest::newRow("zero") << "0" << "零" << "";
        QTest::newRow("empty") << "" << "零" << "小写金额不可为空！";
        QTest::newRow("not a number") << "12a" << "零" << "小写金额不正确！";
    }
    // Pasting passes the typing rule (a minus sign cannot be typed but can be pasted).
    void window()
    {
        QFETCH(QString, figures);
        QFETCH(QString, capitals);
        QFETCH(QString, message);
        MessageRecorder rec;
        TFntoc1 w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *edit1 = child<QLineEdit>(&w, "Edit1");
        auto *edit2 = child<QLineEdit>(&w, "Edit2");
        QCOMPARE(edit1->text(), QStringLiteral("0.00"));
        QCOMPARE(edit2->text(), QStringLiteral("零"));
        QVERIFY(edit2->isReadOnly());
        edit1->clear();
        QGuiApplication::clipboard()->setText(figures);
        edit1->paste();
        QCOMPARE(edit1->text(), figures);
        child<QPushButton>(&w, "BitBtn1")->click();
        QCOMPARE(edit2->text(), capitals);
        QCOMPARE(rec.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) {
            QCOMPARE(rec.messages.front().title, QStringLiteral("提示"));
            QCOMPARE(rec.messages.front().kind, msg::Kind::Information);
            QVERIFY(edit1->hasFocus());
        }
    }

    void windowKeyboard()
    {
        MessageRecorder rec;
        TFntoc1 w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.activateWindow();
        auto *edit1 = child<QLineEdit>(&w, "Edit1");
        auto *edit2 = child<QLineEdit>(&w, "Edit2");
        QTRY_VERIFY(edit1->hasFocus());
        edit1->clear();
        // Only digits and one point can be typed.
        QTest::keyClicks(edit1, QStringLiteral("1a2.-5.0x"));
        QCOMPARE(edit1->text(), QStringLiteral("12.50"));
        QTest::keyClick(edit1, Qt::Key_Backspace);
        QCOMPARE(edit1->text(), QStringLiteral("12.5"));
        QTest::keyClick(edit1, Qt::Key_Return); // Enter converts
        QCOMPARE(edit2->text(), QStringLiteral("壹拾贰圆伍角整"));
        // Leaving the box writes two decimals; an empty box becomes 0.00.
        child<QPushButton>(&w, "BitBtn1")->setFocus();
        QCOMPARE(edit1->text(), QStringLiteral("12.50"));
        edit1->setFocus();
        edit1->clear();
        child<QPushButton>(&w, "BitBtn1")->setFocus();
        QCOMPARE(edit1->text(), QStringLiteral("0.00"));
        // Esc closes.
        QTest::keyClick(edit1, Qt::Key_Escape);
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(rec.messages.empty());
    }
};

QTEST_MAIN(TstSales)
#include "tst_sales.moc"
