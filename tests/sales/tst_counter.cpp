// The counter: numbering, the line rule through the screen, holding, taking a held slip up
// again, line changes and deletions and what closing the window keeps.
#include "chooser.h"
#include "masterscreens.h"
#include "salesfixture.h"
#include "selection.h"
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QTableView>

using namespace fx;

class TstCounter : public QObject {
    Q_OBJECT
    TestFrame m_frame;

    // Takes up the held slip at the given row of the held-slip chooser.
    static void takeUp(Counter &c, int row = 0)
    {
        ModalDriver drv("TFxzxs1", [row](QWidget *d) {
            DM1->AQxsz1->moveTo(row);
            static_cast<TFxzxs1 *>(d)->choose();
        });
        c.key(Qt::Key_F5);
        QVERIFY(drv.acted());
    }
    // Changes the current line's quantity through F10.
    static void changeQuantity(Counter &c, const char *qty)
    {
        ModalDriver drv("TFxgxsmx1", [qty](QWidget *d) {
            auto *e = child<QLineEdit>(d, "Edit3");
            e->setText(QString::fromUtf8(qty));
            QTest::keyClick(e, Qt::Key_Return);
        });
        c.key(Qt::Key_F10);
        QVERIFY(drv.acted());
    }

private Q_SLOTS:
    void initTestCase()
    {
        registerMasterScreens();
        registerSalesScreens();
    }

    void numbering_data()
    {
        QTest::addColumn<QStringList>("saved"); // numbers first saved on 2010-04-05
        QTest::addColumn<QString>("next");
        QTest::newRow("first of the day") << QStringList() << "XS201004050001";
        QTest::newRow("after nine") << QStringList({"XS201004050001", "XS201004050009"}) << "XS201004050010";
        QTest::newRow("slip numbered the day before, saved after midnight") << QStringList({"XS201004040007"})
                                                                             << "XS201004050001";
        QTest::newRow("ceiling") << QStringList({"XS201004059999"}) << "";
    }
    void numbering()
    {
        QFETCH(QStringList, saved);
        QFETCH(QString, next);
        TempDb db;
        // A slip saved the day before does not count.
        db.conn().exec(QStringLiteral("INSERT INTO xsglz (dh, kdrq, shbj) VALUES ('XS201004040005', '2010-04-04', '未审核')"));
        for (const QString &n : saved)
            db.conn().exec(QStringLiteral("INSERT INTO xsglz (dh, kdrq, shbj) VALUES (?, '2010-04-05', '未审核')"), {{{}, n}});
        QCOMPARE(sales::firstNumber(db.conn(), QDate(2010, 4, 5)).value_or(QString()), next);
    }

    void numberAfterHoldAcrossMidnight()
    {
        QCOMPARE(sales::numberAfter(QStringLiteral("XS201004049998"), QDate(2010, 4, 5)).value_or(QString()),
                 QStringLiteral("XS201004059999"));
        QVERIFY(!sales::numberAfter(QStringLiteral("XS201004049999"), QDate(2010, 4, 5)));
    }

    // The day's 9999th slip saved: the counter refuses to number another and closes.
    void ceilingThroughTheScreen()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        db.conn().exec(QStringLiteral("INSERT INTO xsglz (dh, kdrq, shbj) VALUES (?, ?, '未审核')"),
                       {{{}, QString(QStringLiteral("XS") + todayCompact() + QStringLiteral("9998"))}, {{}, today()}});
        Counter c;
        QCOMPARE(c.e("dh"), QStringLiteral("XS") + todayCompact() + QStringLiteral("9999"));
        c.scan("6901");
        c.key(Qt::Key_F8);
        QCOMPARE(rec.lastText(), QStringLiteral("每天录入不可超过9999单！"));
        QCOMPARE(rec.messages.back().title, QStringLiteral("警告"));
        QTRY_VERIFY(c.w.isNull());
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglz WHERE dh LIKE '%9999'")), 1);
        Counter again(nullptr, true);
        QCOMPARE(rec.lastText(), QStringLiteral("每天录入不可超过9999单！"));
        QTRY_VERIFY(again.w.isNull());
    }

    void scanningAndThePriceRule()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        Counter c;
        QCOMPARE(c.w->windowTitle(), QStringLiteral("新增销售出库单"));
        QCOMPARE(c.e("zk"), QStringLiteral("0.8"));
        QCOMPARE(c.e("dhdz"), QStringLiteral("北京路1号13900000000"));
        c.scan("6901");
        c.scan("6901"); // never merged
        c.scan("6902");
        QCOMPARE(c.lines(), 3);
        QCOMPARE(c.line(0, "jg"), QStringLiteral("7.99"));
        QCOMPARE(c.line(1, "jg"), QStringLiteral("7.99"));
        QCOMPARE(c.line(2, "jg"), QStringLiteral("2")); // "不打折" keeps its list price
        QCOMPARE(c.line(0, "bcjf"), QStringLiteral("7.99"));
        QCOMPARE(c.line(0, "maoli"), QStringLiteral("2.99"));
        QCOMPARE(c.e("E1"), QStringLiteral("3"));
        QCOMPARE(c.e("E2"), QStringLiteral("17.98"));
        QCOMPARE(c.e("txm"), QString());
        QCOMPARE(QApplication::focusWidget(), c.box("txm"));
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglc WHERE bj='dz'")), 3);
        // A code of no goods, or of goods in two units, fills nothing.
        for (const char *code : {"0000000", "6903"}) {
            rec.clear();
            c.scan(code);
            QCOMPARE(rec.lastText(), QStringLiteral("商品不可为空！"));
            QCOMPARE(c.lines(), 3);
        }
        // Another member: every line priced again; no points without a card.
        c.box("hybm")->setText(QStringLiteral("0000"));
        QCOMPARE(c.line(0, "jg"), QStringLiteral("9.99"));
        QCOMPARE(c.line(0, "bcjf"), QStringLiteral("0"));
        QCOMPARE(c.e("E2"), QStringLiteral("21.98"));
        QCOMPARE(c.e("bcjf"), QStringLiteral("0"));
        QCOMPARE(decText(db.conn(), QStringLiteral("SELECT sum(je) FROM xsglc")), QStringLiteral("21.98"));
        c.box("hybm")->setText(QStringLiteral("0001"));
        QCOMPARE(c.e("E2"), QStringLiteral("17.98"));
        QCOMPARE(c.e("bcjf"), QStringLiteral("17.98"));
    }

    // A price typed with F11 gives way to the discount rule when the member changes.
    void typedPriceRepricedForAnotherMember()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        Counter c;
        c.scan("6901");
        ModalDriver drv("TFxgxsmx1", [](QWidget *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("修改销售单价"));
            QVERIFY(child<QLineEdit>(d, "Edit3")->isReadOnly());
            auto *e = child<QLineEdit>(d, "Edit4");
            e->setText(QStringLiteral("5"));
            QTest::keyClick(e, Qt::Key_Return);
        });
        c.key(Qt::Key_F11);
        QVERIFY(drv.acted());
        QCOMPARE(c.e("E2"), QStringLiteral("5"));
        c.box("hybm")->setText(QStringLiteral("0000"));
        c.box("hybm")->setText(QStringLiteral("0001"));
        QCOMPARE(c.line(0, "jg"), QStringLiteral("7.99"));
    }

    void memberChecks_data()
    {
        QTest::addColumn<QString>("card");
        QTest::addColumn<QString>("message");
        QTest::newRow("no member") << "" << "会员不可为空！";
        QTest::newRow("unusable card") << "0009" << "该会员卡不可用！";
    }
    void memberChecks()
    {
        QFETCH(QString, card);
        QFETCH(QString, message);
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        Counter c(nullptr);
        c.box("hybm")->setText(card);
        c.box("hybm")->setFocus();
        c.box("txm")->setFocus(); // entering the barcode box
        QCOMPARE(rec.texts(), QStringList({message}));
        QCOMPARE(QApplication::focusWidget(), c.box("hybm"));
        rec.clear();
        c.key(Qt::Key_F8);
        QCOMPARE(rec.lastText(), message);
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglz")), 0);
    }

    void holdingChecks()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        Counter c;
        c.key(Qt::Key_F8);
        QCOMPARE(rec.lastText(), QStringLiteral("明细不可为空！"));
        QCOMPARE(rec.messages.back().title, QStringLiteral("提示"));
        c.scan("6901");
        c.box("jsr")->clear();
        c.key(Qt::Key_F8);
        QCOMPARE(rec.lastText(), QStringLiteral("业务员不可为空！"));
        QCOMPARE(QApplication::focusWidget(), c.box("jsr"));
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglz")), 0);
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglc WHERE bj='yz'")), 0);
    }

    void holdAndTakeUp()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        Counter c;
        const QString first = c.e("dh");
        c.box("bz")->setText(QStringLiteral("留货"));
        c.scan("6901");
        c.scan("6902");
        c.key(Qt::Key_F8);
        QCOMPARE(rec.messages.size(), size_t(0));
        QCOMPARE(text(db.conn(), QStringLiteral("SELECT shbj FROM xsglz WHERE dh=?"), {{{}, first}}), QStringLiteral("未审核"));
        QCOMPARE(decText(db.conn(), QStringLiteral("SELECT hjje FROM xsglz")), QStringLiteral("9.99"));
        QCOMPARE(decText(db.conn(), QStringLiteral("SELECT hjsl FROM xsglz")), QStringLiteral("2"));
        QCOMPARE(text(db.conn(), QStringLiteral("SELECT zhidan FROM xsglz")), QStringLiteral("系统管理员"));
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglc WHERE bj='yz'")), 2);
        // Ready for the next: number + 1, member emptied, salesperson and remark kept.
        QCOMPARE(c.e("dh"), first.left(10) + QStringLiteral("0002"));
        QCOMPARE(c.e("hybm"), QString());
        QCOMPARE(c.e("zk"), QStringLiteral("1"));
        QCOMPARE(c.e("jsr"), QStringLiteral("张三"));
        QCOMPARE(c.e("bz"), QStringLiteral("留货"));
        QCOMPARE(c.e("E2"), QStringLiteral("0"));
        QCOMPARE(c.lines(), 0);
        QCOMPARE(QApplication::focusWidget(), c.box("hybm"));
        // Taken up again: mode "修改", the stored totals and lines.
        takeUp(c);
        QCOMPARE(c.w->windowTitle(), QStringLiteral("修改销售出库单"));
        QCOMPARE(child<QLabel>(c.w, "ST1")->text(), QStringLiteral("修改"));
        QCOMPARE(c.e("dh"), first);
        QCOMPARE(c.e("hymc"), QStringLiteral("王五"));
        QCOMPARE(c.e("E2"), QStringLiteral("9.99"));
        QCOMPARE(c.lines(), 2);
        // A line added recomputes from all lines; holding again saves the header, not a second one.
        c.scan("6902");
        QCOMPARE(c.e("E2"), QStringLiteral("11.99"));
        c.key(Qt::Key_F8);
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglz")), 1);
        QCOMPARE(decText(db.conn(), QStringLiteral("SELECT hjje FROM xsglz")), QStringLiteral("11.99"));
        QCOMPARE(c.w->windowTitle(), QStringLiteral("新增销售出库单"));
    }

    // The chooser filters by the counter's member; emptied boxes list every held slip.
    void heldSlipChooserFilters()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        Counter c;
        c.scan("6901");
        c.key(Qt::Key_F8);
        c.box("hybm")->setText(QStringLiteral("0000"));
        c.scan("6902");
        c.key(Qt::Key_F8);
        c.box("hybm")->setText(QStringLiteral("0001"));
        int listed = -1, all = -1;
        ModalDriver drv("TFxzxs1", [&](QWidget *d) {
            listed = DM1->AQxsz1->recordCount();
            child<QLineEdit>(d, "Edit1")->clear();
            child<QLineEdit>(d, "Edit2")->clear();
            child<QPushButton>(d, "BitBtn1")->click();
            all = DM1->AQxsz1->recordCount();
            static_cast<QDialog *>(d)->reject();
        });
        c.key(Qt::Key_F5);
        QVERIFY(drv.acted());
        QCOMPARE(listed, 1);
        QCOMPARE(all, 2);
    }

    // Deleting a saved line of a taken-up slip and closing without holding restores the line.
    void closingAfterDeletingAHeldLine()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        {
            Counter c;
            c.scan("6901");
            c.scan("6902");
            c.key(Qt::Key_F8);
            takeUp(c);
            DM1->AQxsc1->moveTo(0);
            c.box("bz")->setFocus();
            c.key(Qt::Key_Delete, c.box("bz")); // Del acts wherever the focus is
            QCOMPARE(rec.lastText(), QStringLiteral("确定要删除此明细么？"));
            QCOMPARE(c.lines(), 1);
            QCOMPARE(c.e("E2"), QStringLiteral("2"));
            QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglc WHERE bj='ds'")), 1);
            // A line added and deleted again while changing is simply gone.
            c.scan("6902");
            c.key(Qt::Key_Delete);
            QCOMPARE(c.lines(), 1);
        }
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglc WHERE bj='yz'")), 2);
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglc")), 2);
        QCOMPARE(decText(db.conn(), QStringLiteral("SELECT sum(je) FROM xsglc")),
                 decText(db.conn(), QStringLiteral("SELECT hjje FROM xsglz")));
    }

    // A line of a taken-up slip changed and the window closed without holding: the slip keeps
    // what it had when held, so its stored totals still equal its lines.
    void heldTotalsAlwaysEqualTheLines()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        auto consistent = [&] {
            return decText(db.conn(), QStringLiteral("SELECT sum(je) FROM xsglc WHERE bj='yz'"))
                    == decText(db.conn(), QStringLiteral("SELECT hjje FROM xsglz"))
                && decText(db.conn(), QStringLiteral("SELECT sum(sl) FROM xsglc WHERE bj='yz'"))
                    == decText(db.conn(), QStringLiteral("SELECT hjsl FROM xsglz"));
        };
        {
            Counter c;
            c.scan("6901");
            c.scan("6902");
            c.key(Qt::Key_F8);
            takeUp(c);
            DM1->AQxsc1->moveTo(0);
            changeQuantity(c, "3");
            QCOMPARE(c.line(0, "sl"), QStringLiteral("3"));
            QCOMPARE(c.line(0, "je"), QStringLiteral("23.97"));
            QCOMPARE(c.line(0, "cbje"), QStringLiteral("15"));
            QCOMPARE(c.e("E2"), QStringLiteral("25.97"));
            // A member change on the same slip re-prices the held lines the same careful way.
            c.box("hybm")->setText(QStringLiteral("0000"));
        }
        QVERIFY(consistent());
        QCOMPARE(decText(db.conn(), QStringLiteral("SELECT sl FROM xsglc ORDER BY id LIMIT 1")), QStringLiteral("1"));
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglc")), 2);
        // Changed and held: the header takes the new totals, the old line is gone.
        {
            Counter c;
            takeUp(c);
            DM1->AQxsc1->moveTo(0);
            changeQuantity(c, "3");
            c.key(Qt::Key_F8);
        }
        // Changed and left for another slip with "开单": the held slip is as it was held.
        {
            Counter c;
            takeUp(c);
            DM1->AQxsc1->moveTo(1);
            changeQuantity(c, "5");
            c.key(Qt::Key_F6);
            QCOMPARE(c.w->windowTitle(), QStringLiteral("新增销售出库单"));
            QVERIFY(consistent());
            QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglc")), 2);
        }
        QVERIFY(consistent());
        QCOMPARE(decText(db.conn(), QStringLiteral("SELECT hjje FROM xsglz")), QStringLiteral("25.97"));
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglc")), 2);
        // The order of the lines stays as entered.
        QCOMPARE(text(db.conn(), QStringLiteral("SELECT txm FROM xsglc ORDER BY id LIMIT 1")), QStringLiteral("6901"));
    }

    void lineDialogRules()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        Counter c;
        c.key(Qt::Key_F10);
        QCOMPARE(rec.lastText(), QStringLiteral("没有明细可修改！"));
        c.scan("6902");
        QString zeroMessage, liveAmount;
        ModalDriver drv("TFxgxsmx1", [&](QWidget *d) {
            auto *sl = child<QLineEdit>(d, "Edit3");
            sl->setText(QStringLiteral("-"));
            liveAmount = child<QLineEdit>(d, "Edit5")->text();
            QTest::keyClick(sl, Qt::Key_Return);
            zeroMessage = rec.lastText();
            sl->setText(QStringLiteral("-2"));
            QTest::keyClick(sl, Qt::Key_Return);
        });
        c.key(Qt::Key_F10);
        QVERIFY(drv.acted());
        QCOMPARE(liveAmount, QStringLiteral("0"));
        QCOMPARE(zeroMessage, QStringLiteral("数量不可为0！"));
        QCOMPARE(c.line(0, "je"), QStringLiteral("-4"));
        QCOMPARE(c.line(0, "bcjf"), QStringLiteral("-4"));
        QCOMPARE(c.e("E1"), QStringLiteral("-2"));
        // Esc leaves the line as it was.
        ModalDriver esc("TFxgxsmx1", [](QWidget *d) {
            auto *sl = child<QLineEdit>(d, "Edit3");
            sl->setText(QStringLiteral("7"));
            QTest::keyClick(sl, Qt::Key_Escape);
        });
        c.key(Qt::Key_F10);
        QVERIFY(esc.acted());
        QCOMPARE(c.line(0, "sl"), QStringLiteral("-2"));
    }

    void closingDiscardsWhatWasNotSaved()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        {
            Counter c;
            c.scan("6901");
            // F6 leaves the lines under their number; "开单" shows them again.
            c.key(Qt::Key_F6);
            QCOMPARE(c.lines(), 1);
            c.box("jsr")->setText(QStringLiteral("张三"));
            c.box("hybm")->setText(QStringLiteral("0001"));
            c.box("txm")->setText(QStringLiteral("6902"));
            c.key(Qt::Key_F9, c.box("txm"));
            QCOMPARE(c.lines(), 2);
            c.key(Qt::Key_Escape, c.box("bz"));
            QTRY_VERIFY(c.w.isNull());
        }
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglc")), 0);
    }

    // The slip list or the browse window closed the shared datasets: the counter says so and closes.
    void sharedDatasetsClosedUnderTheCounter()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        Counter c;
        c.scan("6901");
        DM1->AQxsz1->close();
        c.scan("6902");
        QCOMPARE(rec.lastText(), QStringLiteral("数据表未打开，关闭窗口后重新打开！"));
        QCOMPARE(rec.messages.back().title, QStringLiteral("警告"));
        QTRY_VERIFY(c.w.isNull());
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglc")), 0);
    }

    // The goods chooser hands its current row to the counter, which adds the line.
    void goodsChooserAddsALine()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        Counter c;
        Dataset *sp = DM1->AQsp1;
        sp->setSql(QStringLiteral("SELECT * FROM sp WHERE txm='6903' AND dw='箱'"));
        sp->open();
        QVERIFY(selection::fill(QStringLiteral("TFsp3"), QStringLiteral("tjxs"), c.w, *sp));
        QVERIFY(selection::fill(QStringLiteral("TFsp3"), QStringLiteral("tjxs"), nullptr, *sp));
        QCOMPARE(c.lines(), 2);
        QCOMPARE(c.line(0, "dw"), QStringLiteral("箱"));
        QCOMPARE(c.line(0, "jg"), QStringLiteral("24"));
        QCOMPARE(c.e("E2"), QStringLiteral("48"));
    }

    // Enter through the header: an empty salesperson opens the employee chooser, whose choice
    // fills the box; a filled one moves to the card box.
    void enterThroughTheHeader()
    {
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        Counter c(nullptr);
        c.box("jsr")->clear();
        c.box("jsr")->setFocus();
        ModalDriver drv("TFyg2", [](QWidget *d) { static_cast<Chooser *>(d)->choose(); });
        QTest::keyClick(c.box("jsr"), Qt::Key_Return);
        QVERIFY(drv.acted());
        QCOMPARE(c.e("jsr"), QStringLiteral("张三"));
        c.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(c.w));
        c.box("jsr")->setFocus();
        QTest::keyClick(c.box("jsr"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), c.box("hybm"));
        c.box("hybm")->setText(QStringLiteral("0001"));
        QTest::keyClick(c.box("hybm"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), c.box("txm"));
    }
};

QTEST_MAIN(TstCounter)
#include "tst_counter.moc"
