// Members and member levels: the list, the dialog, the query with its birthday condition, the
// member chooser, the level list.
#include "frame.h"
#include "reportforms.h"
#include "salesscreens.h"
#include "selection.h"
#include "tdj1.h"
#include "testsupport.h"
#include "tkh1.h"
#include <QComboBox>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {
struct Member {
    const char *bm, *mc, *csrq;
    const char *ztbj = "可用";
    const char *kkrq = "2026-01-15";
    const char *dj = "普通会员";
};

void addMember(Connection &c, const Member &m)
{
    c.exec(QStringLiteral("INSERT INTO kh (bm, mc, xb, dj, zk, zjf, zxf, zj, yb, csrq, lxdh, lxdz, bz, kkrq, ztbj) "
                          "VALUES (?, ?, '女', ?, 9000, 0, 0, '', '', ?, '', '', '', ?, ?)"),
           {{{}, QString::fromUtf8(m.bm)}, {{}, QString::fromUtf8(m.mc)}, {{}, QString::fromUtf8(m.dj)},
            {{}, QString::fromUtf8(m.csrq)}, {{}, QString::fromUtf8(m.kkrq)}, {{}, QString::fromUtf8(m.ztbj)}});
}

void addLevel(Connection &c, const QString &dj, qlonglong zk)
{
    c.exec(QStringLiteral("INSERT INTO dj (dj, zk) VALUES (?, ?)"), {{{}, dj}, {{}, zk}});
}

// The walk-in customer of a new database (0000), and members around the year's end.
void someMembers(Connection &c)
{
    addLevel(c, QStringLiteral("普通会员"), 9000);
    addMember(c, {"1001", "张丽", "19901231"});
    addMember(c, {"1002", "王芳", "19850101", "不可用", "2026-03-01"});
    addMember(c, {"1003", "李娜", "19920102"});
    addMember(c, {"1004", "赵敏", "19881230", "可用", "2025-12-31"});
    addMember(c, {"1005", "O'Hara", "19960229"});
}

QVariant stored(Connection &c, const char *field, const QString &bm)
{
    return c.scalar(QStringLiteral("select ") + QLatin1String(field) + QStringLiteral(" from kh where bm=?"), {{{}, bm}});
}

QLineEdit *box(QWidget *d, const char *name) { return child<QLineEdit>(d, name); }

void showActive(QWidget *w)
{
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

QAction *menuEntry(ListWindow &w, const QString &text)
{
    for (QAction *a : w.contextMenu()->actions())
        if (a->text() == text) return a;
    qFatal("no menu entry");
}

// The member dialog filled with what a save needs; the level as the level list writes it.
void fillRequired(QWidget *d, const QString &bm, const QString &mc)
{
    box(d, "Edit1")->setText(bm);
    box(d, "Edit2")->setText(mc);
    box(d, "Edit8")->setText(QStringLiteral("普通会员"));
    box(d, "Edit9")->setText(QStringLiteral("0.9"));
}
}

class TstMembers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { registerSalesScreens(); }
    void cleanup() { members::setToday(QDate()); }

    // Pictures of the member list and the member chooser (set CS_SCREENSHOTS to a folder).
    void screenshots()
    {
        const QString dir = qEnvironmentVariable("CS_SCREENSHOTS");
        if (dir.isEmpty()) QSKIP("CS_SCREENSHOTS not set");
        TempDb db;
        someMembers(db.conn());
        TFkh1 list;
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QTest::qWait(200);
        QVERIFY(list.grab().save(dir + QStringLiteral("/member-list.png")));
        TFkh2 ch;
        ch.setMode(QStringLiteral("tjxs"));
        ch.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ch));
        QTest::qWait(200);
        QVERIFY(ch.grab().save(dir + QStringLiteral("/member-chooser.png")));
        TFtjkh1 d;
        d.startAdd();
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QVERIFY(d.grab().save(dir + QStringLiteral("/member-dialog.png")));
    }

    void memberList()
    {
        TempDb db;
        someMembers(db.conn());
        MessageRecorder rec;
        QVERIFY(screens::isChild(QStringLiteral("TFkh1")));
        QPointer<QWidget> w = screens::create(QStringLiteral("TFkh1"), nullptr);
        auto *list = qobject_cast<TFkh1 *>(w.data());
        QVERIFY(list);
        list->show();
        QCOMPARE(list->windowTitle(), QStringLiteral("会员资料"));
        QCOMPARE(list->panel(1), QStringLiteral("6"));
        QStringList titles;
        for (int c = 0; c < list->model()->columnCount(); ++c) titles << list->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titles, QStringList({"会员卡号", "会员姓名", "性别", "会员等级", "会员折扣", "总积分", "总消费", "证件编码",
                                      "邮政编码", "出生日期", "联系方式", "联系地址", "备注", "开卡日期", "可用标记"}));
        const QString red = QColor(255, 0, 0).name();
        auto colorOf = [&](int row) { return list->model()->data(list->model()->index(row, 0), Qt::ForegroundRole).value<QColor>().name(); };
        QCOMPARE(colorOf(2), red);   // 王芳, 不可用
        QVERIFY(colorOf(1) != red);
        // The markers: a status it already has is refused with its message.
        DM1->AQkh1->moveTo(2);
        menuEntry(*list, QStringLiteral("改标记：不可用"))->trigger();
        menuEntry(*list, QStringLiteral("改标记：可用"))->trigger();
        QCOMPARE(stored(db.conn(), "ztbj", QStringLiteral("1002")).toString(), QStringLiteral("可用"));
        QVERIFY(colorOf(2) != red);
        DM1->AQkh1->moveTo(1);
        menuEntry(*list, QStringLiteral("改标记：不可用"))->trigger();
        QCOMPARE(stored(db.conn(), "ztbj", QStringLiteral("1001")).toString(), QStringLiteral("不可用"));
        QCOMPARE(colorOf(1), red);
        QCOMPARE(rec.texts(), QStringList{"“不可用”标记，无须修改！"});
        // "删除" asks; other records that name the member are not touched.
        rec.clear();
        list->run(ListAction::Delete);
        QCOMPARE(rec.texts(), QStringList{"确定要删除此会员么？"});
        QCOMPARE(tableRows(db.conn(), "kh"), 5);
        QCOMPARE(list->panel(1), QStringLiteral("5"));
        // "打印": the member list, previewed.
        ModalDriver preview("TFdyPreview1", [](QWidget *p) { static_cast<QDialog *>(p)->reject(); });
        list->run(ListAction::Print);
        QVERIFY(preview.acted());
        QVERIFY(reportForm(QStringLiteral("TFdykh1"))->text(QStringLiteral("QRLdw")).endsWith(QStringLiteral("会员信息表")));
        // An empty result: the guards.
        rec.clear();
        db.conn().exec(QStringLiteral("DELETE FROM kh"));
        list->fill();
        list->run(ListAction::Change);
        list->run(ListAction::Delete);
        menuEntry(*list, QStringLiteral("改标记：可用"))->trigger();
        list->run(ListAction::Print);
        QCOMPARE(rec.texts(), QStringList({"没有数据可修改，请先查询！", "没有数据可删除，请先查询！", "没有数据可修改，请先查询！",
                                           "没有数据可打印，请先查询！"}));
        list->close();
        QTRY_VERIFY(w.isNull());
        QVERIFY(!DM1->AQkh1->isOpen());
    }

    void addMemberRulesAndStayOpen()
    {
        TempDb db;
        someMembers(db.conn());
        members::setToday(QDate(2026, 12, 11));
        MessageRecorder rec;
        TFkh1 list;
        list.show();
        ModalDriver drv("TFtjkh1", [&](QWidget *dw) {
            auto *d = static_cast<TFtjkh1 *>(dw);
            QCOMPARE(d->windowTitle(), QStringLiteral("新增会员资料"));
            QCOMPARE(QApplication::focusWidget(), box(d, "Edit1"));
            QCOMPARE(child<QComboBox>(d, "ComboBox1")->currentText(), QStringLiteral("女"));
            QCOMPARE(box(d, "Edit9")->text(), QStringLiteral("1"));
            QCOMPARE(box(d, "Edit10")->text(), QStringLiteral("0"));
            QCOMPARE(box(d, "Edit11")->text(), QStringLiteral("0"));
            // Required boxes in order.
            d->save();
            box(d, "Edit1")->setText(QStringLiteral("2001"));
            d->save();
            box(d, "Edit2")->setText(QStringLiteral("钱多多"));
            child<QComboBox>(d, "ComboBox1")->setEditText(QStringLiteral(" "));
            d->save();
            child<QComboBox>(d, "ComboBox1")->setEditText(QStringLiteral("男"));
            d->save();
            QCOMPARE(rec.texts(), QStringList({"会员卡号不可为空！", "会员姓名不可为空！", "会员性别不可为空！", "会员等级不可为空！"}));
            // A card number in use: refused, the focus in the name box, nothing appended.
            rec.clear();
            fillRequired(d, QStringLiteral(" 1001 "), QStringLiteral("钱多多"));
            QVERIFY(!d->save());
            QCOMPARE(rec.texts(), QStringList{"会员卡号不可重复！"});
            QCOMPARE(rec.messages.back().title, QStringLiteral("警告"));
            QCOMPARE(QApplication::focusWidget(), box(d, "Edit2"));
            QCOMPARE(tableRows(db.conn(), "kh"), 6);
            // Birth date and post code take digits and points only, 8 and 6 at most.
            box(d, "Edit1")->setText(QStringLiteral("2001"));
            box(d, "Edit3")->setFocus();
            QTest::keyClicks(box(d, "Edit3"), QStringLiteral("1990a02-0512"));
            QCOMPARE(box(d, "Edit3")->text(), QStringLiteral("19900205"));
            box(d, "Edit5")->setFocus();
            QTest::keyClicks(box(d, "Edit5"), QStringLiteral("10x0.0850"));
            QCOMPARE(box(d, "Edit5")->text(), QStringLiteral("100.08"));
            box(d, "Edit10")->setText(QStringLiteral("12.345"));
            box(d, "Edit11")->setText(QString()); // emptied: "0"
            QCOMPARE(box(d, "Edit11")->text(), QStringLiteral("0"));
            box(d, "Edit12")->setFocus();
            QTest::keyClick(box(d, "Edit12"), Qt::Key_Return); // Enter in the remark saves
            QCOMPARE(tableRows(db.conn(), "kh"), 7);
            // Ready for the next member: sex, level and discount kept.
            QVERIFY(d->isVisible());
            for (const char *n : {"Edit1", "Edit2", "Edit3", "Edit5", "Edit12"}) QVERIFY(box(d, n)->text().isEmpty());
            QCOMPARE(box(d, "Edit10")->text(), QStringLiteral("0"));
            QCOMPARE(child<QComboBox>(d, "ComboBox1")->currentText(), QStringLiteral("男"));
            QCOMPARE(box(d, "Edit8")->text(), QStringLiteral("普通会员"));
            QCOMPARE(box(d, "Edit9")->text(), QStringLiteral("0.9"));
            QCOMPARE(QApplication::focusWidget(), box(d, "Edit1"));
            QTest::keyClick(box(d, "Edit1"), Qt::Key_Escape);
        });
        list.run(ListAction::Add);
        QVERIFY(drv.acted());
        const QString card = QStringLiteral("2001");
        QCOMPARE(stored(db.conn(), "zjf", card).toLongLong(), 123400LL);
        QCOMPARE(stored(db.conn(), "zxf", card).toLongLong(), 0LL);
        QCOMPARE(stored(db.conn(), "zk", card).toLongLong(), 9000LL);
        QCOMPARE(stored(db.conn(), "kkrq", card).toString(), QStringLiteral("2026-12-11"));
        QCOMPARE(stored(db.conn(), "ztbj", card).toString(), QStringLiteral("可用"));
        QCOMPARE(stored(db.conn(), "csrq", card).toString(), QStringLiteral("19900205"));
        QCOMPARE(list.panel(1), QStringLiteral("7"));
    }

    void pointsRounded_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<qlonglong>("stored");
        QTest::newRow("three decimals, half to even") << "12.345" << "12.34" << 123400LL;
        QTest::newRow("beyond the half") << "12.3451" << "12.35" << 123500LL;
        QTest::newRow("two decimals as typed") << "8.5" << "8.5" << 85000LL;
        QTest::newRow("emptied") << "" << "0" << 0LL;
    }
    void pointsRounded()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(qlonglong, stored);
        TempDb db;
        someMembers(db.conn());
        MessageRecorder rec;
        TFkh1 list;
        list.show();
        DM1->AQkh1->moveTo(1);
        ModalDriver drv("TFtjkh1", [&](QWidget *d) {
            box(d, "Edit10")->setText(typed);
            box(d, "Edit11")->setText(typed);
            static_cast<TFtjkh1 *>(d)->save();
            QCOMPARE(box(d, "Edit10")->text(), shown);
        });
        list.run(ListAction::Change);
        QVERIFY(drv.acted());
        QVERIFY(rec.messages.empty());
        QCOMPARE(::stored(db.conn(), "zjf", QStringLiteral("1001")).toLongLong(), stored);
        QCOMPARE(::stored(db.conn(), "zxf", QStringLiteral("1001")).toLongLong(), stored);
    }

    void changeAcceptsATakenCardAndSetsTheDate()
    {
        TempDb db;
        someMembers(db.conn());
        members::setToday(QDate(2026, 12, 11));
        MessageRecorder rec;
        TFkh1 list;
        list.show();
        DM1->AQkh1->moveTo(3); // 李娜, opened 2026-01-15
        ModalDriver drv("TFtjkh1", [&](QWidget *dw) {
            auto *d = static_cast<TFtjkh1 *>(dw);
            QCOMPARE(d->windowTitle(), QStringLiteral("修改会员资料"));
            QCOMPARE(child<QLabel>(d, "ST1")->text(), QStringLiteral("修改"));
            QCOMPARE(box(d, "Edit1")->text(), QStringLiteral("1003"));
            QCOMPARE(box(d, "Edit3")->text(), QStringLiteral("19920102"));
            QCOMPARE(box(d, "Edit9")->text(), QStringLiteral("0.9"));
            box(d, "Edit1")->setText(QStringLiteral("1001"));
            d->saveButton()->click();
        });
        list.run(ListAction::Change);
        QVERIFY(drv.acted());
        QVERIFY(rec.messages.empty());
        QCOMPARE(db.conn().scalar(QStringLiteral("select count(*) from kh where bm='1001'")).toInt(), 2);
        const Bindings who{{{}, QStringLiteral("李娜")}};
        QCOMPARE(db.conn().scalar(QStringLiteral("select kkrq from kh where mc=?"), who).toString(), QStringLiteral("2026-12-11"));
        QCOMPARE(db.conn().scalar(QStringLiteral("select ztbj from kh where mc=?"), who).toString(), QStringLiteral("可用"));
        QCOMPARE(tableRows(db.conn(), "kh"), 6);
    }

    void levelFromTheLevelList()
    {
        TempDb db;
        someMembers(db.conn());
        addLevel(db.conn(), QStringLiteral("金卡"), 8000);
        TFtjkh1 d;
        d.startAdd();
        showActive(&d);
        // Enter in the empty level box opens the level list; its choice fills level and discount.
        ModalDriver drv("TFdj1", [](QWidget *w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("会员等级设置"));
            auto *grid = w->findChild<QTableView *>();
            QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("折扣"));
            DM1->AQdj1->moveTo(2);
            QTest::keyClick(grid, Qt::Key_Return);
        });
        box(&d, "Edit8")->setFocus();
        QTest::keyClick(box(&d, "Edit8"), Qt::Key_Return);
        QVERIFY(drv.acted());
        QCOMPARE(box(&d, "Edit8")->text(), QStringLiteral("金卡"));
        QCOMPARE(box(&d, "Edit9")->text(), QStringLiteral("0.8"));
        // With a level, Enter goes on to the points.
        showActive(&d);
        box(&d, "Edit8")->setFocus();
        QTest::keyClick(box(&d, "Edit8"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box(&d, "Edit10"));
    }

    void levels()
    {
        TempDb db;
        someMembers(db.conn());
        MessageRecorder rec;
        QWidget memberDialog;
        TFdj1 list(&memberDialog);
        list.show();
        QCOMPARE(column(DM1->AQdj1, "dj"), QStringList({"无卡顾客", "普通会员"}));
        // The walk-in level stays.
        DM1->AQdj1->moveTo(0);
        child<QPushButton>(&list, "chu")->click();
        QCOMPARE(rec.texts(), QStringList{"不可删除“无卡顾客”！"});
        QCOMPARE(rec.messages.back().title, QStringLiteral("警告"));
        // Another level goes; the members that carry it keep it.
        DM1->AQdj1->moveTo(1);
        child<QPushButton>(&list, "chu")->click();
        QCOMPARE(rec.lastText(), QStringLiteral("确定要删除此等级么？"));
        QCOMPARE(tableRows(db.conn(), "dj"), 1);
        QCOMPARE(db.conn().scalar(QStringLiteral("select count(*) from kh where dj='普通会员' and zk=9000")).toInt(), 5);
        // New levels: required, unique, discount "1" when emptied, the dialog stays open.
        rec.clear();
        ModalDriver drv("TFtjdj1", [&](QWidget *dw) {
            auto *d = static_cast<TFtjdj1 *>(dw);
            QCOMPARE(d->windowTitle(), QStringLiteral("新增会员等级"));
            QCOMPARE(box(d, "Edit2")->text(), QStringLiteral("1"));
            d->save();
            box(d, "Edit1")->setText(QStringLiteral(" 无卡顾客 "));
            d->save();
            box(d, "Edit1")->setText(QStringLiteral("银卡"));
            box(d, "Edit2")->setText(QString());
            QCOMPARE(box(d, "Edit2")->text(), QStringLiteral("1"));
            box(d, "Edit2")->setText(QStringLiteral("0.95"));
            box(d, "Edit2")->setFocus();
            QTest::keyClick(box(d, "Edit2"), Qt::Key_Return); // Enter in the discount saves
            QVERIFY(d->isVisible());
            QVERIFY(box(d, "Edit1")->text().isEmpty());
            QCOMPARE(box(d, "Edit2")->text(), QStringLiteral("1"));
            d->closeButton()->click();
        });
        child<QPushButton>(&list, "xin")->click();
        QVERIFY(drv.acted());
        QCOMPARE(rec.texts(), QStringList({"等级不可为空！", "等级不可重复！"}));
        QCOMPARE(db.conn().scalar(QStringLiteral("select zk from dj where dj='银卡'")).toLongLong(), 9500LL);
        // Nothing left to delete or choose.
        rec.clear();
        db.conn().exec(QStringLiteral("DELETE FROM dj"));
        list.refill();
        child<QPushButton>(&list, "chu")->click();
        child<QPushButton>(&list, "xuan")->click();
        QCOMPARE(rec.texts(), QStringList({"没有等级可删除！", "没有等级可选择！"}));
    }

    void birthday_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("choice"); // 1 今天, 2 明天, 3 后天
        QTest::addColumn<QStringList>("cards");
        const QDate eve(2026, 12, 31);
        QTest::newRow("31 Dec, today") << eve << 1 << QStringList{"1001"};
        QTest::newRow("31 Dec, tomorrow is 1 Jan") << eve << 2 << QStringList{"1002"};
        QTest::newRow("31 Dec, the day after is 2 Jan") << eve << 3 << QStringList{"1003"};
        QTest::newRow("30 Dec, the day after is 1 Jan") << QDate(2026, 12, 30) << 3 << QStringList{"1002"};
        QTest::newRow("30 Dec, today") << QDate(2026, 12, 30) << 1 << QStringList{"1004"};
        QTest::newRow("leap year, 28 Feb, tomorrow") << QDate(2028, 2, 28) << 2 << QStringList{"1005"};
        QTest::newRow("common year, 28 Feb, tomorrow is 1 Mar") << QDate(2027, 2, 28) << 2 << QStringList();
    }
    void birthday()
    {
        QFETCH(QDate, today);
        QFETCH(int, choice);
        QFETCH(QStringList, cards);
        TempDb db;
        someMembers(db.conn());
        members::setToday(today);
        TFkh1 list;
        list.show();
        ModalDriver drv("TFcxkh1", [&](QWidget *d) {
            child<QComboBox>(d, "ComboBox1")->setCurrentIndex(choice);
            static_cast<TFcxkh1 *>(d)->queryButton()->click();
        });
        list.run(ListAction::Query);
        QVERIFY(drv.acted());
        QCOMPARE(column(DM1->AQkh1, "bm"), cards);
        QCOMPARE(list.panel(1), QString::number(cards.size()));
    }

    void query_data()
    {
        QTest::addColumn<QString>("card");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("status"); // 0 全部, 1 可用, 2 不可用
        QTest::addColumn<bool>("range"); // opening dates 2026-01-01 to 2026-02-28
        QTest::addColumn<QStringList>("cards");
        QTest::newRow("everything") << "" << "" << 0 << false << QStringList({"0000", "1001", "1002", "1003", "1004", "1005"});
        QTest::newRow("unusable") << "" << "" << 2 << false << QStringList{"1002"};
        QTest::newRow("usable, card part") << "100" << "" << 1 << false << QStringList({"1001", "1003", "1004", "1005"});
        QTest::newRow("opening dates") << "" << "" << 0 << true << QStringList({"1001", "1003", "1005"});
        QTest::newRow("quote in the name") << "" << "'H" << 0 << false << QStringList{"1005"};
    }
    void query()
    {
        QFETCH(QString, card);
        QFETCH(QString, name);
        QFETCH(int, status);
        QFETCH(bool, range);
        QFETCH(QStringList, cards);
        TempDb db;
        someMembers(db.conn());
        // The walk-in customer was opened with the database: today.
        db.conn().exec(QStringLiteral("UPDATE kh SET kkrq='2020-01-01' WHERE bm='0000'"));
        TFkh1 list;
        list.show();
        ModalDriver drv("TFcxkh1", [&](QWidget *d) {
            QCOMPARE(QApplication::focusWidget(), box(d, "Edit1"));
            QCOMPARE(child<QDateEdit>(d, "DateTimePicker2")->date(), QDate::currentDate());
            QCOMPARE(child<QDateEdit>(d, "DateTimePicker1")->date(), QDate::currentDate().addMonths(-1));
            child<QCheckBox>(d, "CheckBox1")->setChecked(range);
            child<QDateEdit>(d, "DateTimePicker1")->setDate(QDate(2026, 1, 1));
            child<QDateEdit>(d, "DateTimePicker2")->setDate(QDate(2026, 2, 28));
            box(d, "Edit1")->setText(card);
            box(d, "Edit2")->setText(name);
            child<QComboBox>(d, "ComboBox2")->setCurrentIndex(status);
            box(d, "Edit4")->setFocus();
            QTest::keyClick(box(d, "Edit4"), Qt::Key_Return); // Enter in the address queries
        });
        list.run(ListAction::Query);
        QVERIFY(drv.acted());
        QCOMPARE(column(DM1->AQkh1, "bm"), cards);
    }

    void chooserListsUnusableMembersAndStartsTheCallersLookup()
    {
        TempDb db;
        someMembers(db.conn());
        MessageRecorder rec;
        // The counter's card box: its change runs the counter's own member lookup.
        QWidget counter;
        auto *hybm = new QLineEdit(&counter);
        hybm->setObjectName(QStringLiteral("hybm"));
        QStringList lookups;
        QObject::connect(hybm, &QLineEdit::textChanged, [&](const QString &t) { lookups << t; });
        TFkh2 ch(&counter);
        ch.setMode(QStringLiteral("tjxs"));
        ch.show();
        QCOMPARE(ch.windowTitle(), QStringLiteral("选择会员资料"));
        QCOMPARE(DM1->AQkh1->recordCount(), 6);
        // The unusable member is listed, in red, and can be chosen.
        box(&ch, "Edit2")->setText(QStringLiteral("王"));
        ch.runQuery();
        QCOMPARE(column(DM1->AQkh1, "bm"), QStringList{"1002"});
        QCOMPARE(ch.model()->data(ch.model()->index(0, 0), Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
        const QRect cell = ch.grid()->visualRect(ch.grid()->model()->index(0, 1));
        QTest::mousePress(ch.grid()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(ch.grid()->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(ch.result(), int(QDialog::Accepted));
        QCOMPARE(hybm->text(), QStringLiteral("1002"));
        QCOMPARE(lookups, QStringList{"1002"});
        QVERIFY(rec.messages.empty());
        // A mode whose caller has not registered copies nothing.
        TFkh2 other(&counter);
        other.setMode(QStringLiteral("tjdui"));
        other.show();
        QVERIFY(other.choose());
        QCOMPARE(lookups.size(), 1);
        // Nothing found, nothing to choose.
        TFkh2 none(&counter);
        none.show();
        box(&none, "Edit1")->setText(QStringLiteral("9999"));
        none.runQuery();
        none.choose();
        QCOMPARE(rec.texts(), QStringList{"没有会员可选择！"});
    }

    void sharedMemberDataset()
    {
        TempDb db;
        someMembers(db.conn());
        TFkh1 *list = new TFkh1;
        list->show();
        QCOMPARE(list->model()->rowCount(), 6);
        TFkh2 ch;
        ch.show();
        box(&ch, "Edit1")->setText(QStringLiteral("1003"));
        ch.runQuery();
        QCOMPARE(list->model()->rowCount(), 1);
        QCOMPARE(list->model()->cellText(0, 1), QStringLiteral("李娜"));
        QPointer<TFkh1> gone(list);
        list->close();
        QTRY_VERIFY(gone.isNull());
        QCOMPARE(ch.model()->rowCount(), 0);
    }
};

QTEST_MAIN(TstMembers)
#include "tst_members.moc"
