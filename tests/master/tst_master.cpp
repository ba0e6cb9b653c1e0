// Employees, categories and units: the screens as the operator uses them.
#include "frame.h"
#include "masterscreens.h"
#include "selection.h"
#include "testsupport.h"
#include "tlb1.h"
#include "tyg1.h"
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {
void addEmployee(Connection &c, const QString &xm, const QString &bm = {})
{
    c.exec(QStringLiteral("INSERT INTO yg (xm, xb, bm, jbgz) VALUES (?, '男', ?, ?)"),
           {{{}, xm}, {{}, bm}, {{}, QVariant::fromValue(Decimal::fromInt(3000))}});
}
// A caller of the choosers: a dialog with the boxes named as the real callers name them.
QWidget *makeCaller(QWidget *owner, const QStringList &boxes)
{
    auto *w = new QWidget(owner);
    for (const QString &b : boxes) (new QLineEdit(w))->setObjectName(b);
    return w;
}
QString box(QWidget *caller, const char *name) { return child<QLineEdit>(caller, name)->text(); }
}

class TstMaster : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { registerMasterScreens(); }

    // Pictures of the employee list and its add dialog, for looking at (set CS_SCREENSHOTS to a folder).
    void screenshots()
    {
        const QString dir = qEnvironmentVariable("CS_SCREENSHOTS");
        if (dir.isEmpty()) QSKIP("CS_SCREENSHOTS not set");
        TempDb db;
        addEmployee(db.conn(), QStringLiteral("张三"), QStringLiteral("销售部"));
        addEmployee(db.conn(), QStringLiteral("李四"), QStringLiteral("仓库"));
        addEmployee(db.conn(), QStringLiteral("王五"), QStringLiteral("财务部"));
        TFyg1 list;
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QHeaderView *h = list.grid()->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(3) + 5, h->height() / 2));
        QTest::qWait(200);
        QVERIFY(list.grab().save(dir + QStringLiteral("/employee-list.png")));
        ModalDriver drv("TFtjyg1", [&](QWidget *d) {
            child<QLineEdit>(d, "Edit1")->setText(QStringLiteral("赵六"));
            QTest::qWait(300);
            d->grab().save(dir + QStringLiteral("/employee-add.png"));
            static_cast<QDialog *>(d)->reject();
        });
        list.run(ListAction::Add);
        QVERIFY(drv.acted());
    }

    void employeeList()
    {
        TempDb db;
        addEmployee(db.conn(), QStringLiteral("张三"));
        addEmployee(db.conn(), QStringLiteral("李四"));
        QVERIFY(screens::isChild(QStringLiteral("TFyg1")));
        QPointer<QWidget> w = screens::create(QStringLiteral("TFyg1"), nullptr);
        auto *list = qobject_cast<TFyg1 *>(w.data());
        QVERIFY(list);
        QVERIFY(list->testAttribute(Qt::WA_DeleteOnClose));
        list->show();
        QCOMPARE(list->windowTitle(), QStringLiteral("员工资料"));
        QCOMPARE(list->panel(1), QStringLiteral("2"));
        QStringList buttons;
        for (const char *n : {"SB66", "SB77", "SB88", "SB99", "SB100"}) buttons << child<QToolButton>(list, n)->text();
        QCOMPARE(buttons, QStringList({"新增", "修改", "删除", "导出", "关闭"}));
        QCOMPARE(list->findChildren<QToolButton *>().size(), 5);
        QCOMPARE(list->model()->cellText(0, 6), QStringLiteral("3000.00"));
        QCOMPARE(list->model()->data(list->model()->index(0, 6), Qt::BackgroundRole).value<QColor>(), QColor(222, 253, 254));
        // Double-click is "修改".
        bool changeOpened = false;
        ModalDriver drv("TFtjyg1", [&](QWidget *d) {
            changeOpened = child<QLabel>(d, "ST1")->text() == QStringLiteral("修改")
                && child<QLineEdit>(d, "Edit1")->text() == QStringLiteral("李四");
            static_cast<QDialog *>(d)->reject();
        });
        DM1->AQyg1->moveTo(1);
        QTableView *grid = list->grid();
        const QRect cell = grid->visualRect(grid->model()->index(1, 0));
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(drv.acted());
        QVERIFY(changeOpened);
        QCOMPARE(tableRows(db.conn(), "yg"), 2);
        child<QToolButton>(list, "SB100")->click();
        QVERIFY(!DM1->AQyg1->isOpen());
        QTRY_VERIFY(w.isNull());
    }

    void employeeAddKeepsTheDialogOpen()
    {
        TempDb db;
        addEmployee(db.conn(), QStringLiteral("张三"));
        MessageRecorder rec;
        TFyg1 list;
        list.show();
        bool ok = false;
        ModalDriver drv("TFtjyg1", [&](QWidget *dw) {
            auto *d = static_cast<TFtjyg1 *>(dw);
            QCOMPARE(d->windowTitle(), QStringLiteral("新增员工资料"));
            QCOMPARE(child<QComboBox>(d, "ComboBox1")->currentText(), QStringLiteral("男"));
            QCOMPARE(child<QLineEdit>(d, "Edit6")->text(), QStringLiteral("0"));
            QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(d, "Edit1"));
            child<QLineEdit>(d, "Edit1")->setText(QStringLiteral("张三"));
            d->saveButton()->click();
            QCOMPARE(rec.lastText(), QStringLiteral("员工不可重复！"));
            QCOMPARE(tableRows(db.conn(), "yg"), 1);
            // A sex of blanks is refused like an empty name.
            child<QLineEdit>(d, "Edit1")->setText(QStringLiteral("王五"));
            child<QComboBox>(d, "ComboBox1")->setEditText(QStringLiteral(" "));
            d->saveButton()->click();
            QCOMPARE(rec.lastText(), QStringLiteral("性别不可为空！"));
            child<QComboBox>(d, "ComboBox1")->setEditText(QStringLiteral("女"));
            child<QLineEdit>(d, "Edit3")->setText(QStringLiteral("  销售部 "));
            child<QLineEdit>(d, "Edit6")->setText(QStringLiteral("1234.567"));
            QTest::keyClicks(child<QLineEdit>(d, "Edit7"), QStringLiteral("1101x05"));
            d->saveButton()->click();
            // Stays open: boxes emptied, wage "0", the sex list keeps its text, focus in the name.
            ok = d->isVisible() && child<QLineEdit>(d, "Edit1")->text().isEmpty()
                && child<QLineEdit>(d, "Edit3")->text().isEmpty() && child<QLineEdit>(d, "Edit6")->text() == QStringLiteral("0")
                && child<QComboBox>(d, "ComboBox1")->currentText() == QStringLiteral("女")
                && QApplication::focusWidget() == child<QLineEdit>(d, "Edit1");
            QCOMPARE(list.panel(1), QStringLiteral("2"));
            d->closeButton()->click();
        });
        list.run(ListAction::Add);
        QVERIFY(drv.acted());
        QVERIFY(ok);
        const Bindings who{{{}, QStringLiteral("王五")}};
        QCOMPARE(db.conn().scalar(QStringLiteral("select bm from yg where xm=?"), who).toString(), QStringLiteral("销售部"));
        QCOMPARE(db.conn().scalar(QStringLiteral("select xb from yg where xm=?"), who).toString(), QStringLiteral("女"));
        QCOMPARE(db.conn().scalar(QStringLiteral("select sfz from yg where xm=?"), who).toString(), QStringLiteral("110105"));
        QCOMPARE(db.conn().scalar(QStringLiteral("select jbgz from yg where xm=?"), who).toLongLong(), 12345700LL);
        QCOMPARE(column(DM1->AQyg1, QStringLiteral("xm")), QStringList({"张三", "王五"}));
    }

    void employeeChangeAcceptsATakenName()
    {
        TempDb db;
        addEmployee(db.conn(), QStringLiteral("张三"));
        addEmployee(db.conn(), QStringLiteral("李四"));
        MessageRecorder rec;
        TFyg1 list;
        list.show();
        DM1->AQyg1->moveTo(1);
        ModalDriver drv("TFtjyg1", [&](QWidget *dw) {
            auto *d = static_cast<TFtjyg1 *>(dw);
            QCOMPARE(d->windowTitle(), QStringLiteral("修改员工资料"));
            QCOMPARE(child<QLineEdit>(d, "Edit6")->text(), QStringLiteral("3000"));
            child<QLineEdit>(d, "Edit1")->setText(QStringLiteral("张三"));
            // Enter through to the last box presses "保存".
            QWidget *last = child<QLineEdit>(d, "Edit8");
            last->setFocus();
            QTest::keyClick(last, Qt::Key_Return);
        });
        list.run(ListAction::Change);
        QVERIFY(drv.acted());
        QVERIFY(rec.messages.empty());
        QCOMPARE(db.conn().scalar(QStringLiteral("select count(*) from yg where xm='张三'")).toInt(), 2);
        QCOMPARE(list.model()->cellText(1, 0), QStringLiteral("张三"));
    }

    void quotedNamesAreNamesLikeAnyOther()
    {
        TempDb db;
        MessageRecorder rec;
        TFyg1 list;
        list.show();
        const QString name = QStringLiteral("O'Brien");
        ModalDriver drv("TFtjyg1", [&](QWidget *dw) {
            auto *d = static_cast<TFtjyg1 *>(dw);
            child<QLineEdit>(d, "Edit1")->setText(name);
            d->saveButton()->click();
            QVERIFY(rec.messages.empty());
            child<QLineEdit>(d, "Edit1")->setText(name);
            d->saveButton()->click();
            QCOMPARE(rec.lastText(), QStringLiteral("员工不可重复！"));
            child<QLineEdit>(d, "Edit1")->setText(QStringLiteral("x' or '1'='1"));
            d->saveButton()->click();
            d->closeButton()->click();
        });
        list.run(ListAction::Add);
        QVERIFY(drv.acted());
        QCOMPARE(rec.texts(), QStringList{QStringLiteral("员工不可重复！")});
        QCOMPARE(tableRows(db.conn(), "yg"), 2);
        // The chooser finds it by a part containing the quote and deletes it like any other row.
        QWidget owner;
        QWidget *caller = makeCaller(&owner, {QStringLiteral("jsr")});
        TFyg2 ch(&owner);
        ch.setMode(QStringLiteral("tjxs"), caller);
        ch.show();
        child<QLineEdit>(&ch, "Edit1")->setText(QStringLiteral("'B"));
        ch.runQuery();
        QCOMPARE(column(DM1->AQyg1, QStringLiteral("xm")), QStringList{name});
        QVERIFY(ch.choose());
        QCOMPARE(box(caller, "jsr"), name);
        list.fill();
        list.run(ListAction::Delete);
        QCOMPARE(rec.lastText(), QStringLiteral("确定要删除此员工么？"));
        QCOMPARE(tableRows(db.conn(), "yg"), 1);
        QCOMPARE(list.panel(1), QStringLiteral("1"));
    }

    void employeeChooserByMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("filled"); // the box of the caller that gets the name; "" none
        QTest::newRow("sales slip") << "tjxs" << "jsr";
        QTest::newRow("receivable") << "tjysfx" << "Edit3";
        QTest::newRow("income and expense") << "tjszfx" << "Edit1";
        QTest::newRow("registered later by its caller") << "tjcg" << "Edit9";
        QTest::newRow("nobody registered") << "tjxx" << "";
    }
    void employeeChooserByMode()
    {
        QFETCH(QString, mode);
        QFETCH(QString, filled);
        TempDb db;
        addEmployee(db.conn(), QStringLiteral("张三"), QStringLiteral("销售部"));
        addEmployee(db.conn(), QStringLiteral("李四"), QStringLiteral("仓库"));
        addEmployee(db.conn(), QStringLiteral("王五"), QStringLiteral("销售部"));
        // The purchase entry, written later, registers its handler box.
        selection::registerBoxes(QStringLiteral("TFyg2"), QStringLiteral("tjcg"), {{QStringLiteral("xm"), QStringLiteral("Edit9")}});
        const QStringList names{"jsr", "Edit1", "Edit3", "Edit9"};
        QWidget owner;
        QWidget *caller = makeCaller(&owner, names);
        QWidget *other = makeCaller(&owner, names);
        MessageRecorder rec;
        TFyg2 ch(&owner);
        ch.setMode(mode, caller);
        ch.show();
        QCOMPARE(ch.windowTitle(), QStringLiteral("选择员工资料"));
        QCOMPARE(DM1->AQyg1->recordCount(), 3);
        // Department filter, then Enter in the grid chooses the current row.
        child<QLineEdit>(&ch, "Edit2")->setText(QStringLiteral("销售"));
        QTest::keyClick(child<QLineEdit>(&ch, "Edit2"), Qt::Key_Return);
        QCOMPARE(column(DM1->AQyg1, QStringLiteral("xm")), QStringList({"张三", "王五"}));
        DM1->AQyg1->moveTo(1);
        QTest::keyClick(ch.grid(), Qt::Key_Return);
        QCOMPARE(ch.result(), int(QDialog::Accepted));
        for (const QString &n : names) {
            QCOMPARE(box(caller, qPrintable(n)), n == filled ? QStringLiteral("王五") : QString());
            QVERIFY(box(other, qPrintable(n)).isEmpty());
        }
        QVERIFY(rec.messages.empty());
    }

    void listCountFollowsAChooserSearch()
    {
        // The chooser searches the list's shared dataset: the open list shows its result, and
        // its record count says so.
        TempDb db;
        addEmployee(db.conn(), QStringLiteral("张三"), QStringLiteral("销售部"));
        addEmployee(db.conn(), QStringLiteral("李四"), QStringLiteral("仓库"));
        addEmployee(db.conn(), QStringLiteral("张飞"), QStringLiteral("仓库"));
        TFyg1 list;
        list.show();
        QCOMPARE(list.panel(1), QStringLiteral("3"));
        TFyg2 ch(&list);
        ch.show();
        child<QLineEdit>(&ch, "Edit1")->setText(QStringLiteral("张"));
        child<QLineEdit>(&ch, "Edit2")->setText(QStringLiteral("仓库"));
        ch.runQuery();
        QCOMPARE(list.model()->rowCount(), 1);
        QCOMPARE(list.panel(1), QStringLiteral("1"));
    }

    void employeeChooserNothingToChoose()
    {
        TempDb db;
        MessageRecorder rec;
        TFyg2 ch;
        ch.setMode(QStringLiteral("tjxs"));
        ch.show();
        QTest::keyClick(ch.grid(), Qt::Key_Return);
        QCOMPARE(rec.texts(), QStringList{QStringLiteral("没有员工可选择！")});
        QVERIFY(ch.isVisible());
        // "新增" opens the employee dialog in mode "新增"; what it saves appears in the chooser.
        ModalDriver drv("TFtjyg1", [&](QWidget *dw) {
            auto *d = static_cast<TFtjyg1 *>(dw);
            QCOMPARE(child<QLabel>(d, "ST1")->text(), QStringLiteral("新增"));
            child<QLineEdit>(d, "Edit1")->setText(QStringLiteral("赵六"));
            d->saveButton()->click();
            d->closeButton()->click();
        });
        child<QPushButton>(&ch, "xin")->click();
        QVERIFY(drv.acted());
        QCOMPARE(column(DM1->AQyg1, QStringLiteral("xm")), QStringList{QStringLiteral("赵六")});
    }

    void categoryList()
    {
        TempDb db;
        MessageRecorder rec;
        QWidget goodsDialog;
        (new QLineEdit(&goodsDialog))->setObjectName(QStringLiteral("Edit1"));
        TFlb1 list(&goodsDialog);
        list.show();
        QCOMPARE(list.windowTitle(), QStringLiteral("商品类别设置"));
        QCOMPARE(list.size(), QSize(292, 453));
        child<QPushButton>(&list, "xuan")->click();
        QCOMPARE(rec.lastText(), QStringLiteral("没有类别可选择！"));
        child<QPushButton>(&list, "chu")->click();
        QCOMPARE(rec.lastText(), QStringLiteral("没有类别可删除！"));
        rec.clear();
        ModalDriver drv("TFtjlb1", [&](QWidget *dw) {
            auto *d = static_cast<TFtjlb1 *>(dw);
            QCOMPARE(d->windowTitle(), QStringLiteral("新增商品类别"));
            auto *e = child<QLineEdit>(d, "Edit1");
            for (const char *typed : {"   ", " 饮料 ", "饮料", "零食"}) {
                e->setText(QString::fromUtf8(typed));
                e->setFocus();
                QTest::keyClick(e, Qt::Key_Return); // Enter presses "保存"
            }
            QVERIFY(d->isVisible());
            QTest::keyClick(e, Qt::Key_Escape);
        });
        child<QPushButton>(&list, "xin")->click();
        QVERIFY(drv.acted());
        QCOMPARE(rec.texts(), QStringList({"类别不可为空！", "类别不可重复！"}));
        QCOMPARE(column(DM1->AQlb1, QStringLiteral("lb")), QStringList({"饮料", "零食"}));
        // Title click sorts the category list.
        QHeaderView *h = list.grid()->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(5, h->height() / 2));
        QCOMPARE(DM1->AQlb1->sort(), QStringLiteral("lb ASC"));
        DM1->AQlb1->moveTo(0);
        const QString chosen = DM1->AQlb1->text(QStringLiteral("lb"));
        QTest::keyClick(list.grid(), Qt::Key_Return);
        QCOMPARE(child<QLineEdit>(&goodsDialog, "Edit1")->text(), chosen);
        QCOMPARE(list.result(), int(QDialog::Accepted));
    }

    void unitListByMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("goodsBox"); // goods dialog Edit4
        QTest::addColumn<QString>("giftBox");  // gift dialog Edit3
        QTest::newRow("goods dialog") << "tjsp" << "箱" << "";
        QTest::newRow("gift dialog") << "tjzp" << "" << "箱";
        QTest::newRow("other mode copies nothing") << "tjxs" << "" << "";
    }
    void unitListByMode()
    {
        QFETCH(QString, mode);
        QFETCH(QString, goodsBox);
        QFETCH(QString, giftBox);
        TempDb db;
        for (const char *u : {"瓶", "箱"})
            db.conn().exec(QStringLiteral("INSERT INTO dw (dw) VALUES (?)"), {{{}, QString::fromUtf8(u)}});
        QWidget owner;
        // The goods dialog and the gift dialog both have an Edit3 and an Edit4.
        QWidget *goods = makeCaller(&owner, {QStringLiteral("Edit3"), QStringLiteral("Edit4")});
        QWidget *gift = makeCaller(&owner, {QStringLiteral("Edit3"), QStringLiteral("Edit4")});
        TFdw1 list(&owner);
        list.setMode(mode, mode == QStringLiteral("tjzp") ? gift : goods);
        QCOMPARE(child<QLabel>(&list, "xzbj")->text(), mode);
        list.show();
        DM1->AQdw1->moveTo(1);
        const QPoint at = list.grid()->visualRect(list.grid()->model()->index(1, 0)).center();
        QTest::mousePress(list.grid()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list.grid()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(list.result(), int(QDialog::Accepted));
        QCOMPARE(box(goods, "Edit4"), goodsBox);
        QCOMPARE(box(gift, "Edit3"), giftBox);
        QVERIFY(box(goods, "Edit3").isEmpty());
        QVERIFY(box(gift, "Edit4").isEmpty());
    }

    void unitListHasNoTitleSortAndDeletes()
    {
        TempDb db;
        for (const char *u : {"瓶", "箱", "个"})
            db.conn().exec(QStringLiteral("INSERT INTO dw (dw) VALUES (?)"), {{{}, QString::fromUtf8(u)}});
        MessageRecorder rec;
        TFdw1 list;
        list.show();
        QHeaderView *h = list.grid()->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(5, h->height() / 2));
        QVERIFY(DM1->AQdw1->sort().isEmpty());
        QCOMPARE(column(DM1->AQdw1, QStringLiteral("dw")), QStringList({"瓶", "箱", "个"}));
        DM1->AQdw1->moveTo(1);
        rec.answer(msg::Answer::Cancel);
        child<QPushButton>(&list, "chu")->click();
        QCOMPARE(tableRows(db.conn(), "dw"), 3);
        child<QPushButton>(&list, "chu")->click();
        QCOMPARE(rec.texts(), QStringList({"确定要删除此单位么？", "确定要删除此单位么？"}));
        QCOMPARE(column(DM1->AQdw1, QStringLiteral("dw")), QStringList({"瓶", "个"}));
        QCOMPARE(tableRows(db.conn(), "dw"), 2);
        // The unit add dialog: its own messages.
        rec.clear();
        TFtjdw1 add;
        add.startAdd();
        add.show();
        QCOMPARE(add.windowTitle(), QStringLiteral("新增计量单位"));
        child<QLineEdit>(&add, "Edit1")->setText(QStringLiteral(""));
        add.save();
        child<QLineEdit>(&add, "Edit1")->setText(QStringLiteral("个"));
        add.save();
        QCOMPARE(rec.texts(), QStringList({"单位不可为空！", "单位不可重复！"}));
        QCOMPARE(tableRows(db.conn(), "dw"), 2);
    }
};

QTEST_MAIN(TstMaster)
#include "tst_master.moc"
