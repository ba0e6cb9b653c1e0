// Slip management: un-audit and delete in one transaction each, the browse window and its
// print, the sales details; and pictures of the screens for looking at.
#include "gridmodel.h"
#include "preview.h"
#include "reportforms.h"
#include "salesfixture.h"
#include "xsfx1.h"
#include "xsgl1.h"
#include "zhaoling1.h"
#include <QComboBox>
#include <QLabel>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>

using namespace fx;

namespace {
struct L {
    const char *txm, *ppgg, *dw, *sl, *jg, *cbjg;
};
// A slip posted as the counter would: its lines, then checkout with what was paid.
void postSlip(Connection &c, const QString &dh, const QList<L> &lines, const char *paid, const char *card = "0001",
              const char *name = "王五")
{
    for (const L &l : lines) {
        const Decimal je = Decimal::mul2(d(l.sl), d(l.jg)), cbje = Decimal::mul2(d(l.cbjg), d(l.sl));
        c.exec(QStringLiteral("INSERT INTO xsglc (dh, bj, txm, ppgg, dw, sl, yjg, zk, zkbj, jg, je, jfjs, bcjf, cbjg, cbje, maoli) "
                              "VALUES (?, 'dz', ?, ?, ?, ?, ?, 1, '不打折', ?, ?, 1, ?, ?, ?, ?)"),
               {{{}, dh}, {{}, QString::fromUtf8(l.txm)}, {{}, QString::fromUtf8(l.ppgg)}, {{}, QString::fromUtf8(l.dw)},
                {{}, v(l.sl)}, {{}, v(l.jg)}, {{}, v(l.jg)}, {{}, QVariant::fromValue(je)}, {{}, QVariant::fromValue(je)},
                {{}, v(l.cbjg)}, {{}, QVariant::fromValue(cbje)}, {{}, QVariant::fromValue(je - cbje)}});
    }
    sales::Slip s{dh, today(), QStringLiteral("张三"), QString::fromUtf8(card), QString::fromUtf8(name), QStringLiteral("备注"),
                  QStringLiteral("系统管理员")};
    sales::checkout(c, s, sales::Mode::New, d(paid), QDate::currentDate());
}
QString number(int seq) { return QStringLiteral("XS") + todayCompact() + QString::number(seq).rightJustified(4, u'0'); }

// The example slip: 2 x A at cost 3 and a return of 1 x B, total 37.46, 30 paid.
void postExample(Connection &c)
{
    addGoods(c, "A01", "商品A", "个", "20.23", "不打折", "1", "3", "10");
    addGoods(c, "B01", "商品B", "个", "3", "不打折", "1", "5", "10");
    postSlip(c, number(1), {{"A01", "商品A", "个", "2", "20.23", "3"}, {"B01", "商品B", "个", "-1", "3", "5"}}, "30");
}

struct State {
    QString stockA, amountA, stockB, amountB, points, spending;
    int details, receivables;
    bool operator==(const State &) const = default;
};
State state(Connection &c)
{
    return {decText(c, QStringLiteral("SELECT kcsl FROM sp WHERE txm='A01'")),
            decText(c, QStringLiteral("SELECT kcje FROM sp WHERE txm='A01'")),
            decText(c, QStringLiteral("SELECT kcsl FROM sp WHERE txm='B01'")),
            decText(c, QStringLiteral("SELECT kcje FROM sp WHERE txm='B01'")),
            decText(c, QStringLiteral("SELECT zjf FROM kh WHERE bm='0001'")),
            decText(c, QStringLiteral("SELECT zxf FROM kh WHERE bm='0001'")),
            count(c, QStringLiteral("SELECT count(*) FROM xsfx")),
            count(c, QStringLiteral("SELECT count(*) FROM ysfx"))};
}
char *toString(const State &s)
{
    return qstrdup(QStringList({s.stockA, s.amountA, s.stockB, s.amountB, s.points, s.spending, QString::number(s.details),
                                QString::number(s.receivables)})
                       .join(u' ')
                       .toUtf8());
}

struct List {
    QPointer<TFxsgl1> w = new TFxsgl1;
    List() { w->show(); }
    ~List()
    {
        if (w) w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};
}

class TstSlips : public QObject {
    Q_OBJECT
    TestFrame m_frame;

private Q_SLOTS:
    void initTestCase()
    {
        registerSalesScreens();
        qputenv("CS_RECEIPT_DEVICE", QByteArray("/dev/null"));
    }

    // Un-audit takes back what checkout did: stock, details, receivable, points, and exactly
    // the spending checkout added (37.5 for a total of 37.46).
    void unauditTheExample()
    {
        TempDb db;
        seedShop(db.conn());
        const State before{"10", "30", "10", "50", "100", "1000", 0, 0};
        postExample(db.conn());
        QCOMPARE(state(db.conn()), (State{"8", "24", "11", "55", "137.46", "1037.5", 2, 1}));
        MessageRecorder rec;
        List l;
        QCOMPARE(l.w->panel(5), QStringLiteral("默认显示当天数据"));
        QCOMPARE(l.w->panel(3), QStringLiteral("37.46"));
        QCOMPARE(l.w->model()->data(l.w->model()->index(0, 0), Qt::BackgroundRole).value<QColor>().isValid(), false);
        l.w->run(ListAction::Reverse);
        QCOMPARE(rec.texts(), QStringList({"确定要反审么？"}));
        QCOMPARE(state(db.conn()), before);
        QCOMPARE(text(db.conn(), QStringLiteral("SELECT shbj FROM xsglz")), QStringLiteral("未审核"));
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglc WHERE bj='yz'")), 2);
        QCOMPARE(l.w->model()->data(l.w->model()->index(0, 0), Qt::BackgroundRole).value<QColor>(), unauditedTint());
        QVERIFY(DM1->AQxsfx1->isOpen() && DM1->AQxsfx1->isEmpty());
        // Again: already held.
        l.w->run(ListAction::Reverse);
        QCOMPARE(rec.lastText(), QStringLiteral("数据已经反审！"));
        QCOMPARE(rec.messages.back().title, QStringLiteral("警告"));
        QCOMPARE(state(db.conn()), before);
    }

    // Refused or failing half-way: nothing changes.
    void unauditChangesNothingWhenItCannotFinish_data()
    {
        QTest::addColumn<QString>("fragment");
        QTest::addColumn<bool>("memberGone");
        QTest::addColumn<QString>("message");
        QTest::newRow("member gone") << "" << true << "会员资料不存在，不可反审！";
        QTest::newRow("failure at the stock") << "UPDATE sp" << false << "模拟的数据库故障";
        QTest::newRow("failure at the receivable") << "DELETE FROM ysfx" << false << "模拟的数据库故障";
        QTest::newRow("failure at the header") << "UPDATE xsglz" << false << "模拟的数据库故障";
    }
    void unauditChangesNothingWhenItCannotFinish()
    {
        QFETCH(QString, fragment);
        QFETCH(bool, memberGone);
        QFETCH(QString, message);
        TempDb db;
        seedShop(db.conn());
        postExample(db.conn());
        if (memberGone) db.conn().exec(QStringLiteral("UPDATE kh SET mc='改名' WHERE bm='0001'"));
        const State posted = state(db.conn());
        MessageRecorder rec;
        List l;
        if (!fragment.isEmpty()) db.conn().failNextStatementContaining(fragment);
        l.w->run(ListAction::Reverse);
        QVERIFY2(rec.lastText().contains(message), qPrintable(rec.lastText()));
        QCOMPARE(state(db.conn()), posted);
        QCOMPARE(text(db.conn(), QStringLiteral("SELECT shbj FROM xsglz")), QStringLiteral("已审核"));
        QCOMPARE(DM1->AQxsz1->text(QStringLiteral("shbj")), QStringLiteral("已审核"));
    }

    // Deleting a posted slip removes its lines, details and receivable; stock and member stay.
    void deletePostedSlip()
    {
        TempDb db;
        seedShop(db.conn());
        postExample(db.conn());
        postSlip(db.conn(), number(2), {{"6902", "矿泉水", "瓶", "1", "2", "1"}}, "2");
        MessageRecorder rec;
        List l;
        QCOMPARE(l.w->panel(3), QStringLiteral("39.46"));
        const State posted = state(db.conn());
        // A failure half-way deletes nothing.
        db.conn().failNextStatementContaining(QStringLiteral("DELETE FROM xsglz"));
        l.w->run(ListAction::Delete);
        QCOMPARE(count(db.conn(), QStringLiteral("SELECT count(*) FROM xsglc WHERE dh=?"), {{{}, number(1)}}), 2);
        QCOMPARE(DM1->AQxsz1->recordCount(), 2);
        rec.clear();
        l.w->run(ListAction::Delete);
        QCOMPARE(rec.texts(), QStringList({"确定要删除此单据么？\n提醒：同时删除与本单对应的明细和欠款！"}));
        Connection &k = db.conn();
        QCOMPARE(count(k, QStringLiteral("SELECT count(*) FROM xsglz WHERE dh=?"), {{{}, number(1)}}), 0);
        QCOMPARE(count(k, QStringLiteral("SELECT count(*) FROM xsglc WHERE dh=?"), {{{}, number(1)}}), 0);
        QCOMPARE(count(k, QStringLiteral("SELECT count(*) FROM xsfx WHERE dh=?"), {{{}, number(1)}}), 0);
        QCOMPARE(count(k, QStringLiteral("SELECT count(*) FROM ysfx")), 0);
        QCOMPARE(count(k, QStringLiteral("SELECT count(*) FROM xsfx")), 1);
        State after = state(k);
        QCOMPARE(after.stockA, posted.stockA);
        QCOMPARE(after.spending, posted.spending);
        QCOMPARE(l.w->panel(3), QStringLiteral("2"));
        QCOMPARE(l.w->panel(2), QStringLiteral("1"));
        QVERIFY(DM1->AQysfx1->isOpen() && DM1->AQysfx1->isEmpty());
    }

    void guardsOfAnEmptyList()
    {
        TempDb db;
        MessageRecorder rec;
        List l;
        l.w->run(ListAction::Details);
        l.w->run(ListAction::Reverse);
        l.w->run(ListAction::Delete);
        QCOMPARE(rec.texts(), QStringList({"没有数据可查单，请先查询！", "没有数据可反审，请先查询！", "没有数据可删除，请先查询！"}));
        QCOMPARE(l.w->panel(2), QStringLiteral("0"));
        // Esc closes and deletes nothing.
        QTest::keyClick(l.w->grid(), Qt::Key_Escape);
        QTRY_VERIFY(l.w.isNull());
    }

    void queryDialog()
    {
        TempDb db;
        seedShop(db.conn());
        postExample(db.conn());
        postSlip(db.conn(), number(2), {{"6902", "矿泉水", "瓶", "1", "2", "1"}}, "2", "0000", "散客");
        sales::unaudit(db.conn(), number(2));
        MessageRecorder rec;
        List l;
        ModalDriver drv("TFcxxsd1", [](QWidget *d) {
            QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(d, "Edit1"));
            child<QComboBox>(d, "ComboBox1")->setCurrentIndex(1); // 未审核
            QTest::keyClick(child<QLineEdit>(d, "Edit4"), Qt::Key_Return);
        });
        l.w->run(ListAction::Query);
        QVERIFY(drv.acted());
        QCOMPARE(DM1->AQxsz1->recordCount(), 1);
        QCOMPARE(DM1->AQxsz1->text(QStringLiteral("dh")), number(2));
        QCOMPARE(l.w->panel(3), QStringLiteral("2"));
    }

    // The browse window walks the list; its buttons follow the ends.
    void browseWindow()
    {
        TempDb db;
        seedShop(db.conn());
        for (int i = 1; i <= 3; ++i)
            postSlip(db.conn(), number(i), QList<L>(i, {"6902", "矿泉水", "瓶", "1", "2", "1"}), "100");
        sales::unaudit(db.conn(), number(2));
        MessageRecorder rec;
        List l;
        DM1->AQxsz1->moveTo(1);
        l.w->run(ListAction::Details);
        TFllxsd1 *b = qApp->findChild<TFllxsd1 *>();
        if (!b)
            for (QWidget *w : QApplication::topLevelWidgets())
                if ((b = qobject_cast<TFllxsd1 *>(w))) break;
        QVERIFY(b);
        QCOMPARE(child<QLineEdit>(b, "dh")->text(), number(2));
        QCOMPARE(child<QLabel>(b, "shbj")->text(), QStringLiteral("未审核"));
        QCOMPARE(child<QLabel>(b, "shbj")->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(child<QLineEdit>(b, "dhdz")->text(), QStringLiteral("北京路1号13900000000"));
        QCOMPARE(DM1->AQxsc1->recordCount(), 2);
        QCOMPARE(b->panel(4), QStringLiteral("4"));
        auto enabled = [b] {
            QString s;
            for (const char *n : {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4"}) s += b->button(n)->isEnabled() ? u'1' : u'0';
            return s;
        };
        b->button("BitBtn1")->click(); // 首单
        QCOMPARE(child<QLineEdit>(b, "dh")->text(), number(1));
        QCOMPARE(enabled(), QStringLiteral("0011"));
        QCOMPARE(child<QLabel>(b, "shbj")->text(), QStringLiteral("已审核"));
        b->button("BitBtn3")->click(); // 后单
        QCOMPARE(enabled(), QStringLiteral("1111"));
        b->button("BitBtn3")->click();
        QCOMPARE(child<QLineEdit>(b, "dh")->text(), number(3));
        QCOMPARE(enabled(), QStringLiteral("1100"));
        QCOMPARE(DM1->AQxsc1->recordCount(), 3);
        b->button("BitBtn2")->click(); // 前单
        QCOMPARE(enabled(), QStringLiteral("1111"));
        b->button("BitBtn4")->click(); // 尾单
        QCOMPARE(enabled(), QStringLiteral("1100"));
        // The list closed under it: its next move says so and the window closes.
        QPointer<TFllxsd1> guard(b);
        l.w->close();
        b->button("BitBtn1")->click();
        QCOMPARE(rec.lastText(), QStringLiteral("数据表未打开，关闭窗口后重新打开！"));
        QTRY_VERIFY(guard.isNull());
    }

    // The slip print: the total in capitals, "负" for a return slip, the customer line.
    void slipPrint_data()
    {
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("capitals");
        QTest::newRow("37.46") << "37.46" << "1" << "叁拾柒圆肆角陆分";
        QTest::newRow("return slip") << "12.5" << "-1" << "负壹拾贰圆伍角整";
    }
    void slipPrint()
    {
        QFETCH(QString, price);
        QFETCH(QString, quantity);
        QFETCH(QString, capitals);
        TempDb db;
        seedShop(db.conn());
        const QByteArray p = price.toUtf8(), q = quantity.toUtf8();
        postSlip(db.conn(), number(1), {{"7001", "礼盒", "盒", q.constData(), p.constData(), "20"}}, "100");
        postSlip(db.conn(), number(2), {{"6902", "矿泉水", "瓶", "1", "2", "1"}}, "100");
        MessageRecorder rec;
        List l;
        DM1->AQxsz1->moveTo(0);
        l.w->run(ListAction::Details);
        TFllxsd1 *b = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if ((b = qobject_cast<TFllxsd1 *>(w))) break;
        QVERIFY(b);
        int previews = 0;
        QStringList pageTexts;
        setPreviewObserver([&](TFdyPreview1 *pv) {
            ++previews;
            QTimer::singleShot(0, pv, [&, pv] {
                QTRY_VERIFY(pv->pageCount() > 0);
                pageTexts = pv->run()->page(0).texts();
                pv->reject();
            });
        });
        QVERIFY(b->print());
        setPreviewObserver({});
        QCOMPARE(previews, 1);
        rpt::ReportForm *form = reportForm(QStringLiteral("TFdyxsd1"));
        QCOMPARE(form->text(QStringLiteral("QRLdx")), capitals);
        QCOMPARE(form->text(QStringLiteral("QRLkh2")), QStringLiteral("0001 王五  北京路1号13900000000"));
        QCOMPARE(form->text(QStringLiteral("QRLyhm2")), QStringLiteral("系统管理员"));
        QVERIFY(pageTexts.contains(QStringLiteral("礼盒")));
        QVERIFY(!pageTexts.contains(QStringLiteral("矿泉水"))); // only the lines of the slip shown
        b->close();
    }

    void salesDetails()
    {
        TempDb db;
        seedShop(db.conn());
        postSlip(db.conn(), number(1),
                 {{"6901", "可乐 500ml", "瓶", "2", "9.99", "5"}, {"6902", "矿泉水", "瓶", "-1", "2", "1"},
                  {"6903", "啤酒", "瓶", "0", "3", "2"}},
                 "100");
        // Yesterday's details are not shown on opening.
        db.conn().exec(QStringLiteral("INSERT INTO xsfx (rq, txm, sl, je) VALUES ('2000-01-01', 'old', ?, ?)"),
                       {{{}, v("1")}, {{}, v("1")}});
        MessageRecorder rec;
        QPointer<TFxsfx1> w = new TFxsfx1;
        w->show();
        QCOMPARE(DM1->AQxsfx1->recordCount(), 3);
        QCOMPARE(w->panel(2), QStringLiteral("1"));
        QCOMPARE(w->panel(4), QStringLiteral("17.98"));
        QCOMPARE(w->panel(6), QStringLiteral("9"));
        QCOMPARE(w->panel(7), QStringLiteral("8.98"));
        QCOMPARE(w->panel(9), QStringLiteral("默认显示当天数据"));
        auto red = [&](int row) {
            return w->model()->data(w->model()->index(row, 0), Qt::ForegroundRole).value<QColor>() == warningText();
        };
        QVERIFY(!red(0));
        QVERIFY(red(1));
        QVERIFY(red(2)); // quantity 0 is red too
        ModalDriver drv("TFcxxs1", [](QWidget *d) {
            QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(d, "Edit2"));
            child<QComboBox>(d, "ComboBox1")->setCurrentIndex(2); // 退货
            QTest::keyClick(child<QLineEdit>(d, "Edit4"), Qt::Key_Return);
        });
        w->run(ListAction::Query);
        QVERIFY(drv.acted());
        QCOMPARE(DM1->AQxsfx1->recordCount(), 1);
        QCOMPARE(w->panel(4), QStringLiteral("-2"));
        w->close();
        QTRY_VERIFY(w.isNull());
        QVERIFY(!DM1->AQxsfx1->isOpen());
    }

    // "打印" of both lists: the report with its title and the status-bar totals.
    void listPrints()
    {
        TempDb db;
        seedShop(db.conn());
        postSlip(db.conn(), number(1), {{"6901", "可乐 500ml", "瓶", "2", "9.99", "5"}}, "100");
        MessageRecorder rec;
        QString title, e1, e2;
        setPreviewObserver([&](TFdyPreview1 *pv) { QTimer::singleShot(0, pv, [pv] { pv->reject(); }); });
        {
            List l;
            l.w->run(ListAction::Print);
            rpt::ReportForm *f = reportForm(QStringLiteral("TFdyxsgl1"));
            QCOMPARE(f->text(QStringLiteral("QRLdw")), QStringLiteral("我的店铺销售单据明细表"));
            QCOMPARE(f->text(QStringLiteral("e1")), QStringLiteral("2"));
            QCOMPARE(f->text(QStringLiteral("e2")), QStringLiteral("19.98"));
        }
        {
            QPointer<TFxsfx1> w = new TFxsfx1;
            w->show();
            w->run(ListAction::Print);
            rpt::ReportForm *f = reportForm(QStringLiteral("TFdycgfx1"));
            QCOMPARE(f->text(QStringLiteral("QRLdw")), QStringLiteral("我的店铺销售出库明细表"));
            QCOMPARE(f->text(QStringLiteral("e2")), QStringLiteral("19.98"));
            w->close();
        }
        setPreviewObserver({});
        QCOMPARE(rec.messages.size(), size_t(0));
    }

    // Pictures for looking at (set CS_SCREENSHOTS to a folder).
    void screenshots()
    {
        const QString dir = qEnvironmentVariable("CS_SCREENSHOTS");
        if (dir.isEmpty()) QSKIP("CS_SCREENSHOTS not set");
        TempDb db;
        seedShop(db.conn());
        MessageRecorder rec;
        {
            Counter c;
            c.box("bz")->setText(QStringLiteral("周末促销"));
            for (const char *code : {"6901", "6901", "6902", "7001"}) c.scan(code);
            QTest::qWait(200);
            QVERIFY(c.w->grab().save(dir + QStringLiteral("/counter.png")));
            ModalDriver drv("TFzhaoling1", [&](QWidget *d) {
                child<QLineEdit>(d, "zhifu")->setText(QStringLiteral("100"));
                QTest::qWait(200);
                d->grab().save(dir + QStringLiteral("/checkout.png"));
                static_cast<TFzhaoling1 *>(d)->confirm();
            });
            c.key(Qt::Key_F7);
            c.scan("6903");
            c.key(Qt::Key_F7); // shown, then closed by the deadline
        }
        postSlip(db.conn(), number(5), {{"6902", "矿泉水", "瓶", "3", "2", "1"}}, "6");
        postSlip(db.conn(), number(6), {{"6901", "可乐 500ml", "瓶", "1", "7.99", "5"}}, "8", "0000", "散客");
        sales::unaudit(db.conn(), number(5));
        List l;
        l.w->resize(1100, 400);
        QTest::qWait(200);
        QVERIFY(l.w->grab().save(dir + QStringLiteral("/slip-list.png")));
        DM1->AQxsz1->moveTo(0);
        l.w->run(ListAction::Details);
        TFllxsd1 *b = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if ((b = qobject_cast<TFllxsd1 *>(w))) break;
        QVERIFY(b);
        QTest::qWait(200);
        QVERIFY(b->grab().save(dir + QStringLiteral("/browse.png")));
        setPreviewObserver([&](TFdyPreview1 *pv) {
            QTimer::singleShot(0, pv, [&, pv] {
                pv->printToPdf(dir + QStringLiteral("/slip.pdf"));
                pv->reject();
            });
        });
        b->print();
        setPreviewObserver({});
        b->close();
    }
};

QTEST_MAIN(TstSlips)
#include "tst_slips.moc"
