// Checkout: amount due, change, the underpayment question, the receipt, and the posting of
// details, stock, receivable and member, all of it or none of it.
#include "salesfixture.h"
#include "zhaoling1.h"
#include <QFile>
#include <QRadioButton>
#include <QStringDecoder>
#include <QTemporaryDir>

using namespace fx;

class TstCheckout : public QObject {
    Q_OBJECT
    TestFrame m_frame;
    QTemporaryDir m_dir;
    QString m_device;

    // F7 on the counter, the dialog handled by `act`.
    static void checkout(Counter &c, std::function<void(TFzhaoling1 *)> act)
    {
        ModalDriver drv("TFzhaoling1", [act](QWidget *d) {
            auto *z = static_cast<TFzhaoling1 *>(d);
            act(z);
            if (z->isVisible()) z->reject();
        });
        c.key(Qt::Key_F7);
        QVERIFY(drv.acted());
    }
    static void pay(TFzhaoling1 *z, const char *amount)
    {
        auto *zhifu = child<QLineEdit>(z, "zhifu");
        zhifu->setText(QString::fromUtf8(amount));
        QTest::keyClick(zhifu, Qt::Key_Return);
    }
    QByteArray printed() const
    {
        QFile f(m_device);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    void initTestCase()
    {
        registerSalesScreens();
        m_device = m_dir.filePath(QStringLiteral("receipt.txt"));
        qputenv("CS_RECEIPT_DEVICE", m_device.toLocal8Bit());
    }
    void init() { QFile::remove(m_device); }

    void receiptDeviceIsConfigured()
    {
        QCOMPARE(receiptprinter::devicePath(), m_device);
        qunsetenv("CS_RECEIPT_DEVICE");
        QCOMPARE(receiptprinter::devicePath(), QStringLiteral("/dev/usb/lp0"));
        qputenv("CS_RECEIPT_DEVICE", m_device.toLocal8Bit());
    }

    // 37.46: due 37.5, change 12.5 from 50, spending + 37.5, the receipt printed, stock taken.
    void checkoutOf3746()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        Counter c;
        const QString dh = c.e("dh");
        c.scan("7001");
        QString due, zjf, change;
        QByteArray expected;
        checkout(c, [&](TFzhaoling1 *z) {
            QCOMPARE(z->windowTitle(), QStringLiteral("结帐收款"));
            QVERIFY(child<QRadioButton>(z, "RadioButton1")->isChecked()); // the shop's default
            due = child<QLineEdit>(z, "yse")->text();
            zjf = child<QLineEdit>(z, "zjf")->text();
            QCOMPARE(child<QLineEdit>(z, "zhifu")->text(), QStringLiteral("0"));
            QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(z, "zhifu"));
            child<QLineEdit>(z, "zhifu")->setText(QStringLiteral("50"));
            change = child<QLineEdit>(z, "zhaoling")->text();
            expected = receipt::bytes(z->receiptData());
            QTest::keyClick(child<QLineEdit>(z, "zhifu"), Qt::Key_Return);
        });
        QCOMPARE(due, QStringLiteral("37.5"));
        QCOMPARE(zjf, QStringLiteral("137.46"));
        QCOMPARE(change, QStringLiteral("12.5"));
        QCOMPARE(rec.messages.size(), size_t(0));
        Connection &k = db.conn();
        QCOMPARE(text(k, QStringLiteral("SELECT shbj FROM xsglz WHERE dh=?"), {{{}, dh}}), QStringLiteral("已审核"));
        QCOMPARE(decText(k, QStringLiteral("SELECT hjje FROM xsglz")), QStringLiteral("37.46"));
        QCOMPARE(decText(k, QStringLiteral("SELECT zxf FROM kh WHERE bm='0001'")), QStringLiteral("1037.5"));
        QCOMPARE(decText(k, QStringLiteral("SELECT zjf FROM kh WHERE bm='0001'")), QStringLiteral("137.46"));
        QCOMPARE(count(k, QStringLiteral("SELECT count(*) FROM ysfx")), 0);
        QCOMPARE(count(k, QStringLiteral("SELECT count(*) FROM xsfx WHERE dh=? AND je=? AND cbje=? AND jsr='张三' AND hymc='王五'"),
                       {{{}, dh}, {{}, v("37.46")}, {{}, v("20")}}),
                 1);
        QCOMPARE(decText(k, QStringLiteral("SELECT kcsl FROM sp WHERE txm='7001'")), QStringLiteral("9"));
        QCOMPARE(decText(k, QStringLiteral("SELECT kcje FROM sp WHERE txm='7001'")), QStringLiteral("180"));
        QCOMPARE(count(k, QStringLiteral("SELECT count(*) FROM xsglc WHERE bj='yz'")), 1);
        // The receipt went to the device as the dialog built it (the clock may have moved on).
        const QByteArray got = printed();
        QStringDecoder dec("GB18030");
        QStringList gotLines = QString(dec.decode(got)).split(QStringLiteral("\r\n"));
        QStringDecoder dec2("GB18030");
        QStringList expLines = QString(dec2.decode(expected)).split(QStringLiteral("\r\n"));
        QVERIFY(gotLines.size() > 4 && gotLines[3].startsWith(QStringLiteral("时间:")));
        gotLines[3] = expLines[3];
        QCOMPARE(gotLines, expLines);
        QVERIFY(gotLines.contains(QStringLiteral("件数:1.0         应付:37.5")));
        QVERIFY(gotLines.contains(QStringLiteral("找零:￥12.5")));
        QVERIFY(gotLines.contains(QStringLiteral("累计积分:137.46")));
        // The counter shows the next slip.
        QCOMPARE(c.e("dh"), dh.left(10) + QStringLiteral("0002"));
        QCOMPARE(c.e("E2"), QStringLiteral("0"));
        QCOMPARE(c.e("hybm"), QString());
        QCOMPARE(c.lines(), 0);
    }

    void underpayment_data()
    {
        QTest::addColumn<bool>("payAgain");
        QTest::newRow("否: the rest is owed") << false;
        QTest::newRow("是: pay again, nothing saved") << true;
    }
    void underpayment()
    {
        QFETCH(bool, payAgain);
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        rec.answer(payAgain ? msg::Answer::Yes : msg::Answer::No);
        Counter c;
        const QString dh = c.e("dh");
        c.scan("7001");
        bool stillOpen = false;
        checkout(c, [&](TFzhaoling1 *z) {
            pay(z, "30");
            stillOpen = z->isVisible() && QApplication::focusWidget() == child<QLineEdit>(z, "zhifu");
        });
        QCOMPARE(rec.messages.at(0).text, QStringLiteral("顾客支付＜应收金额，是否重新支付？\n\n　　［是］：重新填写支付\n\n　　［否］：计入顾客欠款"));
        QCOMPARE(rec.messages.at(0).buttons, msg::Buttons::YesNo);
        Connection &k = db.conn();
        if (payAgain) {
            QVERIFY(stillOpen);
            QCOMPARE(count(k, QStringLiteral("SELECT count(*) FROM xsglz")), 0);
            QCOMPARE(count(k, QStringLiteral("SELECT count(*) FROM xsfx")), 0);
            QVERIFY(printed().isEmpty());
            QCOMPARE(c.e("dh"), dh);
            return;
        }
        QCOMPARE(decText(k, QStringLiteral("SELECT qk FROM ysfx WHERE dh=?"), {{{}, dh}}), QStringLiteral("7.5"));
        QCOMPARE(text(k, QStringLiteral("SELECT bz FROM ysfx")), dh);
        QCOMPARE(text(k, QStringLiteral("SELECT kdrq FROM ysfx")), today());
        QCOMPARE(text(k, QStringLiteral("SELECT hybm || hymc || jsr FROM ysfx")), QStringLiteral("0001王五张三"));
        // Spending grows by the amount due whether paid or not.
        QCOMPARE(decText(k, QStringLiteral("SELECT zxf FROM kh WHERE bm='0001'")), QStringLiteral("1037.5"));
    }

    void payInFull()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        Counter c;
        c.scan("7001");
        checkout(c, [&](TFzhaoling1 *z) {
            child<QPushButton>(z, "BitBtn3")->click();
            QCOMPARE(child<QLineEdit>(z, "zhifu")->text(), QStringLiteral("37.5"));
            QCOMPARE(child<QLineEdit>(z, "zhaoling")->text(), QStringLiteral("0"));
            z->confirm();
        });
        QCOMPARE(rec.messages.size(), size_t(0));
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM ysfx")), 0);
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglz WHERE shbj='已审核'")), 1);
    }

    // A line of quantity -1 raises the goods' stock at checkout.
    void returnLineRaisesStock()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        Counter c;
        c.scan("6902");
        ModalDriver drv("TFxgxsmx1", [](QWidget *d) {
            auto *e = child<QLineEdit>(d, "Edit3");
            e->setText(QStringLiteral("-1"));
            QTest::keyClick(e, Qt::Key_Return);
        });
        c.key(Qt::Key_F10);
        QVERIFY(drv.acted());
        checkout(c, [](TFzhaoling1 *z) { z->confirm(); });
        QCOMPARE(decText(db.conn(), QStringLiteral("SELECT kcsl FROM sp WHERE txm='6902'")), QStringLiteral("11"));
        QCOMPARE(decText(db.conn(), QStringLiteral("SELECT kcje FROM sp WHERE txm='6902'")), QStringLiteral("11"));
        QCOMPARE(decText(db.conn(), QStringLiteral("SELECT sl FROM xsfx")), QStringLiteral("-1"));
        // The shop is owed nothing for a refund: no receivable from paying 0 against -2.
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM ysfx")), 0);
    }

    void printChoices_data()
    {
        QTest::addColumn<QString>("shopDefault");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<bool>("receipt");
        QTest::newRow("receipt") << "同时打印小票" << "RadioButton1" << true;
        QTest::newRow("slip prints nothing here") << "同时打印单据" << "RadioButton2" << false;
        QTest::newRow("nothing") << "不同时打印" << "RadioButton3" << false;
        QTest::newRow("unknown keeps the receipt") << "随便" << "RadioButton1" << true;
    }
    void printChoices()
    {
        QFETCH(QString, shopDefault);
        QFETCH(QString, checked);
        QFETCH(bool, receipt);
        TempDb db;
        seedShop(db.conn());
        db.conn().exec(QStringLiteral("UPDATE danwei SET dy=?"), {{{}, shopDefault}});
        DM1->ATdanwei1->open();
        MessageRecorder rec;
        Counter c("0000"); // no card: no points lines
        c.scan("6902");
        bool isChecked = false;
        checkout(c, [&](TFzhaoling1 *z) {
            isChecked = child<QRadioButton>(z, checked.toLatin1())->isChecked();
            z->payInFull();
            z->confirm();
        });
        QVERIFY(isChecked);
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglz")), 1);
        const QByteArray p = printed();
        QCOMPARE(!p.isEmpty(), receipt);
        if (receipt) {
            QStringDecoder dec("GB18030");
            const QString t = dec.decode(p);
            QVERIFY(t.contains(QStringLiteral("会员卡号:0000 散客")));
            QVERIFY(!t.contains(QStringLiteral("积分")));
        }
    }

    // A receipt printer that cannot be written stops the checkout before anything is saved.
    void printerFailureSavesNothing()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        qputenv("CS_RECEIPT_DEVICE", m_dir.filePath(QStringLiteral("no/such/printer")).toLocal8Bit());
        Counter c;
        c.scan("7001");
        bool open = false;
        checkout(c, [&](TFzhaoling1 *z) {
            z->payInFull();
            open = !z->confirm() && z->isVisible();
        });
        qputenv("CS_RECEIPT_DEVICE", m_device.toLocal8Bit());
        QVERIFY(open);
        QVERIFY(rec.lastText().startsWith(QStringLiteral("小票打印失败：")));
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglz")), 0);
        QCOMPARE(decText(db.conn(), QStringLiteral("SELECT kcsl FROM sp WHERE txm='7001'")), QStringLiteral("10"));
    }

    // An engine failure anywhere in the posting leaves nothing of it: no header, no details,
    // stock, receivable and member as they were, the lines still on the counter.
    void failureMidPostingLeavesNothing_data()
    {
        QTest::addColumn<QString>("fragment");
        QTest::newRow("stock") << "UPDATE sp";
        QTest::newRow("receivable") << "INSERT INTO ysfx";
        QTest::newRow("member") << "UPDATE kh";
        QTest::newRow("lines saved") << "UPDATE xsglc";
    }
    void failureMidPostingLeavesNothing()
    {
        QFETCH(QString, fragment);
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        rec.answer(msg::Answer::No); // the rest owed
        Counter c;
        const QString dh = c.e("dh");
        c.scan("7001");
        c.scan("6901");
        db.conn().failNextStatementContaining(fragment);
        bool open = false;
        checkout(c, [&](TFzhaoling1 *z) {
            child<QRadioButton>(z, "RadioButton3")->setChecked(true);
            pay(z, "10");
            open = z->isVisible();
        });
        QVERIFY(open);
        Connection &k = db.conn();
        QCOMPARE(count(k, QStringLiteral("SELECT count(*) FROM xsglz")), 0);
        QCOMPARE(count(k, QStringLiteral("SELECT count(*) FROM xsfx")), 0);
        QCOMPARE(count(k, QStringLiteral("SELECT count(*) FROM ysfx")), 0);
        QCOMPARE(decText(k, QStringLiteral("SELECT kcsl FROM sp WHERE txm='7001'")), QStringLiteral("10"));
        QCOMPARE(decText(k, QStringLiteral("SELECT kcsl FROM sp WHERE txm='6901'")), QStringLiteral("10"));
        QCOMPARE(decText(k, QStringLiteral("SELECT zxf FROM kh WHERE bm='0001'")), QStringLiteral("1000"));
        QCOMPARE(count(k, QStringLiteral("SELECT count(*) FROM xsglc WHERE bj='dz'")), 2);
        QCOMPARE(c.e("dh"), dh);
        QCOMPARE(c.lines(), 2);
        // Once the engine answers again the same slip checks out whole.
        checkout(c, [&](TFzhaoling1 *z) {
            child<QRadioButton>(z, "RadioButton3")->setChecked(true);
            z->payInFull();
            z->confirm();
        });
        QCOMPARE(count(k, QStringLiteral("SELECT count(*) FROM xsfx WHERE dh=?"), {{{}, dh}}), 2);
        QCOMPARE(decText(k, QStringLiteral("SELECT kcsl FROM sp WHERE txm='7001'")), QStringLiteral("9"));
    }

    // A taken-up held slip checked out: its header is posted, not duplicated; lines deleted
    // while changing are not posted.
    void heldSlipCheckedOut()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        Counter c;
        const QString dh = c.e("dh");
        c.scan("7001");
        c.scan("6902");
        c.key(Qt::Key_F8);
        ModalDriver drv("TFxzxs1", [](QWidget *d) { static_cast<TFxzxs1 *>(d)->choose(); });
        c.key(Qt::Key_F5);
        QVERIFY(drv.acted());
        DM1->AQxsc1->moveTo(1);
        c.key(Qt::Key_Delete);
        checkout(c, [](TFzhaoling1 *z) {
            z->payInFull();
            z->confirm();
        });
        Connection &k = db.conn();
        QCOMPARE(count(k, QStringLiteral("SELECT count(*) FROM xsglz")), 1);
        QCOMPARE(text(k, QStringLiteral("SELECT shbj FROM xsglz WHERE dh=?"), {{{}, dh}}), QStringLiteral("已审核"));
        QCOMPARE(decText(k, QStringLiteral("SELECT hjje FROM xsglz")), QStringLiteral("37.46"));
        QCOMPARE(count(k, QStringLiteral("SELECT count(*) FROM xsfx")), 1);
        QCOMPARE(count(k, QStringLiteral("SELECT count(*) FROM xsglc")), 1);
        QCOMPARE(decText(k, QStringLiteral("SELECT kcsl FROM sp WHERE txm='6902'")), QStringLiteral("10"));
        QCOMPARE(c.w->windowTitle(), QStringLiteral("新增销售出库单"));
    }

    // The day's last number checked out: the number stays, and a second slip under it is
    // refused instead of posting the first slip's lines again.
    void ceilingAtCheckout()
    {
        TempDb db;
        seedShop(db.conn());
        db.conn().exec(QStringLiteral("INSERT INTO xsglz (dh, kdrq, shbj) VALUES (?, ?, '未审核')"),
                       {{{}, QString(QStringLiteral("XS") + todayCompact() + QStringLiteral("9998"))}, {{}, today()}});
        MessageRecorder rec;
        Counter c;
        const QString last = c.e("dh");
        QVERIFY(last.endsWith(QStringLiteral("9999")));
        c.scan("7001");
        checkout(c, [](TFzhaoling1 *z) {
            z->payInFull();
            z->confirm();
        });
        QCOMPARE(rec.lastText(), QStringLiteral("每天录入不可超过9999单！"));
        QCOMPARE(c.e("dh"), last);
        c.box("hybm")->setText(QStringLiteral("0001"));
        c.scan("7001");
        bool refused = false;
        checkout(c, [&](TFzhaoling1 *z) {
            z->payInFull();
            refused = !z->confirm();
        });
        QVERIFY(refused);
        QVERIFY(rec.lastText().contains(QStringLiteral("已存在")));
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsfx")), 1);
        QCOMPARE(decText(db.conn(), QStringLiteral("SELECT kcsl FROM sp WHERE txm='7001'")), QStringLiteral("9"));
        QCOMPARE(decText(db.conn(), QStringLiteral("SELECT zxf FROM kh WHERE bm='0001'")), QStringLiteral("1037.5"));
    }

    // Goods deleted from the list meanwhile: created in "未知" with the sold quantity taken off.
    void goodsMissingAtPosting()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        Counter c;
        c.scan("6901");
        db.conn().exec(QStringLiteral("DELETE FROM sp WHERE txm='6901'"));
        checkout(c, [](TFzhaoling1 *z) {
            z->payInFull();
            z->confirm();
        });
        QCOMPARE(text(db.conn(), QStringLiteral("SELECT lb FROM sp WHERE txm='6901'")), QStringLiteral("未知"));
        QCOMPARE(decText(db.conn(), QStringLiteral("SELECT kcsl FROM sp WHERE txm='6901'")), QStringLiteral("-1"));
        QCOMPARE(decText(db.conn(), QStringLiteral("SELECT kcje FROM sp WHERE txm='6901'")), QStringLiteral("-5"));
    }
};

QTEST_MAIN(TstCheckout)
#include "tst_checkout.moc"
