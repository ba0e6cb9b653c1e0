// Goods: the list with its category tree, the goods dialog, the goods query and both choosers.
#include "frame.h"
#include "goodstree.h"
#include "masterscreens.h"
#include "reportforms.h"
#include "selection.h"
#include "testsupport.h"
#include "tsp1.h"
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {
struct Article {
    const char *txm, *lb, *ppgg, *dw;
    int kcsl = 0;
    const char *ztbj = "打折";
};

void addCategory(Connection &c, const QString &lb)
{
    c.exec(QStringLiteral("INSERT INTO lb (lb) VALUES (?)"), {{{}, lb}});
}

void addArticle(Connection &c, const Article &a)
{
    c.exec(QStringLiteral("INSERT INTO sp (txm, lb, ppgg, dw, jj, xj, kcsl, kcjg, kcje, slt, jet, jfjs, ms, bz, ztbj) "
                          "VALUES (?, ?, ?, ?, 12000, 25000, ?, 12000, 0, 0, 0, 10000, '', '', ?)"),
           {{{}, QString::fromUtf8(a.txm)}, {{}, QString::fromUtf8(a.lb)}, {{}, QString::fromUtf8(a.ppgg)},
            {{}, QString::fromUtf8(a.dw)}, {{}, qlonglong(a.kcsl) * 10000}, {{}, QString::fromUtf8(a.ztbj)}});
}

// Three articles in two categories and one that a stock posting created ("未知").
void shop(Connection &c)
{
    addCategory(c, QStringLiteral("饮料"));
    addCategory(c, QStringLiteral("零食"));
    addArticle(c, {"6901", "饮料", "可乐 500ml", "瓶", 5});
    addArticle(c, {"6902", "零食", "薯片 100g", "袋", 0, "不打折"});
    addArticle(c, {"6903", "饮料", "橙汁 1L", "瓶", -2});
    addArticle(c, {"6904", "未知", "雪碧 500ml", "瓶", 1});
}

QVariant stored(Connection &c, const char *field, const QString &ppgg)
{
    return c.scalar(QStringLiteral("select ") + QLatin1String(field) + QStringLiteral(" from sp where ppgg=?"), {{{}, ppgg}});
}

QLineEdit *box(QWidget *d, const char *name) { return child<QLineEdit>(d, name); }

// Fills the goods dialog as the operator would; the read-only boxes as the code lists fill them.
void type(QWidget *d, const QString &lb, const QString &ppgg, const QString &txm, const QString &dw)
{
    box(d, "Edit1")->setText(lb);
    box(d, "Edit2")->setText(ppgg);
    box(d, "Edit3")->setText(txm);
    box(d, "Edit4")->setText(dw);
}

QAction *menuEntry(ListWindow &w, const QString &text)
{
    for (QAction *a : w.contextMenu()->actions())
        if (a->text() == text) return a;
    qFatal("no menu entry");
}

// A non-modal window shown and made active, so that it holds the keyboard focus.
void showActive(QWidget *w)
{
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

void clickNode(CategoryTree *tree, QTreeWidgetItem *node)
{
    const QRect r = tree->visualItemRect(node);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
}
}

class TstGoods : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { registerMasterScreens(); }

    // Pictures of the goods list (tree, a red row) and the goods dialog (set CS_SCREENSHOTS to a folder).
    void screenshots()
    {
        const QString dir = qEnvironmentVariable("CS_SCREENSHOTS");
        if (dir.isEmpty()) QSKIP("CS_SCREENSHOTS not set");
        TempDb db;
        shop(db.conn());
        TFsp1 list;
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QTest::qWait(200);
        QVERIFY(list.grab().save(dir + QStringLiteral("/goods-list.png")));
        DM1->AQsp1->moveTo(0);
        ModalDriver drv("TFtjsp1", [&](QWidget *d) {
            QTest::qWait(300);
            d->grab().save(dir + QStringLiteral("/goods-dialog.png"));
            static_cast<QDialog *>(d)->reject();
        });
        list.run(ListAction::Change);
        QVERIFY(drv.acted());
    }

    void goodsList()
    {
        TempDb db;
        shop(db.conn());
        QPointer<QWidget> w = screens::create(QStringLiteral("TFsp1"), nullptr);
        QVERIFY(screens::isChild(QStringLiteral("TFsp1")));
        auto *list = qobject_cast<TFsp1 *>(w.data());
        QVERIFY(list);
        list->show();
        QCOMPARE(list->windowTitle(), QStringLiteral("商品资料"));
        QCOMPARE(list->panel(0), QStringLiteral("记录数："));
        QCOMPARE(list->panel(1), QStringLiteral("4"));
        QStringList titles;
        for (int c = 0; c < list->model()->columnCount(); ++c) titles << list->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titles, QStringList({"条码", "品名规格型号", "单位", "采购单价", "销售单价", "库存单价", "库存数量", "库存金额",
                                      "数量提成", "金额提成", "积分基数", "商品描述", "备注", "打折标记", "类别"}));
        QStringList buttons;
        for (ListAction a : {ListAction::Import, ListAction::Add, ListAction::Change, ListAction::Delete, ListAction::Query,
                             ListAction::Print, ListAction::Export, ListAction::Close})
            buttons << list->button(a)->text();
        QCOMPARE(buttons, QStringList({"导入", "新增", "修改", "删除", "查询", "打印", "导出", "关闭"}));
        bool legend = false;
        for (QLabel *l : list->findChildren<QLabel *>()) legend = legend || l->text() == QStringLiteral("不打折商品");
        QVERIFY(legend);
        // The article sold at the full price is red, the others are not.
        auto color = [&](int row) { return list->model()->data(list->model()->index(row, 0), Qt::ForegroundRole).value<QColor>(); };
        QCOMPARE(color(1), QColor(255, 0, 0));
        QVERIFY(color(0) != QColor(255, 0, 0));
        QCOMPARE(list->model()->cellText(0, 3), QStringLiteral("1.20"));
        // Esc closes the list and its dataset.
        QTest::keyClick(list->grid(), Qt::Key_Escape);
        QTRY_VERIFY(w.isNull());
        QVERIFY(!DM1->AQsp1->isOpen());
    }

    void treeFiltersByExactCategory()
    {
        TempDb db;
        shop(db.conn());
        addCategory(db.conn(), QStringLiteral("饮"));
        TFsp1 list;
        list.show();
        CategoryTree *tree = list.tree();
        QCOMPARE(tree->objectName(), QStringLiteral("TreeView1"));
        QCOMPARE(tree->topLevelItemCount(), 1);
        QTreeWidgetItem *root = tree->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("全部类别"));
        QCOMPARE(root->childCount(), 3);
        // "饮" is not "饮料": the tree matches whole names.
        clickNode(tree, tree->node(QStringLiteral("饮")));
        QVERIFY(column(DM1->AQsp1, "ppgg").isEmpty());
        QCOMPARE(list.panel(1), QStringLiteral("0"));
        clickNode(tree, tree->node(QStringLiteral("饮料")));
        QCOMPARE(column(DM1->AQsp1, "ppgg"), QStringList({"可乐 500ml", "橙汁 1L"}));
        QCOMPARE(list.panel(1), QStringLiteral("2"));
        // "未知" has no node of its own: its article shows only under the root.
        QVERIFY(!tree->node(QStringLiteral("未知")));
        clickNode(tree, root);
        QCOMPARE(column(DM1->AQsp1, "ppgg").size(), 4);
        QVERIFY(column(DM1->AQsp1, "lb").contains(QStringLiteral("未知")));
        QCOMPARE(list.panel(1), QStringLiteral("4"));
        // The tree keeps the categories it was built with.
        addCategory(db.conn(), QStringLiteral("日用"));
        QCOMPARE(root->childCount(), 3);
        // The chooser's tree filters its grid the same way.
        TFsp2 ch;
        ch.show();
        clickNode(ch.tree(), ch.tree()->node(QStringLiteral("零食")));
        QCOMPARE(column(DM1->AQsp1, "ppgg"), QStringList{"薯片 100g"});
        QCOMPARE(ch.tree()->topLevelItem(0)->childCount(), 4);
    }

    void newArticleDefaultsAndSaveInAddKeepsTheSeries()
    {
        TempDb db;
        MessageRecorder rec;
        TFsp1 list;
        list.show();
        bool checked = false;
        ModalDriver drv("TFtjsp1", [&](QWidget *dw) {
            auto *d = static_cast<TFtjsp1 *>(dw);
            QCOMPARE(d->windowTitle(), QStringLiteral("新增商品资料"));
            QCOMPARE(child<QLabel>(d, "ST1")->text(), QStringLiteral("新增"));
            QCOMPARE(QApplication::focusWidget(), box(d, "Edit1"));
            QCOMPARE(box(d, "Edit3")->text(), QStringLiteral("无"));
            for (const char *n : {"Edit5", "Edit6", "Edit7", "Edit8", "Edit9", "Edit10", "Edit11"})
                QCOMPARE(box(d, n)->text(), QStringLiteral("0"));
            QVERIFY(box(d, "Edit1")->isReadOnly());
            QVERIFY(box(d, "Edit4")->isReadOnly());
            type(d, QStringLiteral("饮料"), QStringLiteral("可乐 500ml"), QStringLiteral("6901"), QStringLiteral("瓶"));
            box(d, "Edit5")->setText(QStringLiteral("1.2"));
            box(d, "Edit6")->setText(QStringLiteral("2.5"));
            box(d, "Edit12")->setText(QStringLiteral("冰镇"));
            // Enter in the remark saves.
            box(d, "Edit13")->setFocus();
            QTest::keyClick(box(d, "Edit13"), Qt::Key_Return);
            QCOMPARE(tableRows(db.conn(), "sp"), 1);
            // Ready for the next article of the series: only the barcode starts again.
            QVERIFY(d->isVisible());
            QCOMPARE(box(d, "Edit3")->text(), QStringLiteral("无"));
            QCOMPARE(QApplication::focusWidget(), box(d, "Edit2"));
            QCOMPARE(box(d, "Edit1")->text(), QStringLiteral("饮料"));
            QCOMPARE(box(d, "Edit2")->text(), QStringLiteral("可乐 500ml"));
            QCOMPARE(box(d, "Edit4")->text(), QStringLiteral("瓶"));
            QCOMPARE(box(d, "Edit5")->text(), QStringLiteral("1.2"));
            QCOMPARE(box(d, "Edit6")->text(), QStringLiteral("2.5"));
            QCOMPARE(box(d, "Edit12")->text(), QStringLiteral("冰镇"));
            QCOMPARE(list.panel(1), QStringLiteral("1"));
            // The same article in a second unit goes in with the next save.
            box(d, "Edit4")->setText(QStringLiteral("箱"));
            box(d, "Edit3")->setText(QStringLiteral("6901"));
            d->saveButton()->click();
            checked = true;
            QTest::keyClick(box(d, "Edit2"), Qt::Key_Escape);
        });
        list.run(ListAction::Add);
        QVERIFY(drv.acted());
        QVERIFY(checked);
        QVERIFY(rec.messages.empty());
        QCOMPARE(column(DM1->AQsp1, "dw"), QStringList({"瓶", "箱"}));
        QCOMPARE(column(DM1->AQsp1, "ztbj"), QStringList({"打折", "打折"}));
        QCOMPARE(list.panel(1), QStringLiteral("2"));
    }

    void duplicateTriple_data()
    {
        QTest::addColumn<QString>("ppgg");
        QTest::addColumn<QString>("txm"); // as typed; "" empties the box
        QTest::addColumn<QString>("dw");
        QTest::addColumn<bool>("refused");
        // In the shop: 可乐 without a barcode in 瓶, 雪碧 6904 in 瓶, O'Neil 7001 in 个.
        QTest::newRow("no barcode twice") << "可乐" << "" << "瓶" << true;
        QTest::newRow("no barcode, typed") << "可乐" << "无" << "瓶" << true;
        QTest::newRow("blanks trimmed") << " 雪碧 " << " 6904 " << "瓶" << true;
        QTest::newRow("same barcode, other unit") << "雪碧" << "6904" << "箱" << false;
        QTest::newRow("same barcode, other name") << "芬达" << "6904" << "瓶" << false;
        QTest::newRow("no barcode, other name") << "芬达" << "" << "瓶" << false;
        QTest::newRow("quote in the name") << "O'Neil" << "7001" << "个" << true;
        QTest::newRow("a quote that would widen the test") << "x' or '1'='1" << "7001" << "个" << false;
    }
    void duplicateTriple()
    {
        QFETCH(QString, ppgg);
        QFETCH(QString, txm);
        QFETCH(QString, dw);
        QFETCH(bool, refused);
        TempDb db;
        addArticle(db.conn(), {"无", "饮料", "可乐", "瓶"});
        addArticle(db.conn(), {"6904", "饮料", "雪碧", "瓶"});
        addArticle(db.conn(), {"7001", "日用", "O'Neil", "个"});
        MessageRecorder rec;
        TFtjsp1 d;
        d.startAdd();
        showActive(&d);
        type(&d, QStringLiteral("饮料"), ppgg, txm, dw);
        QCOMPARE(box(&d, "Edit3")->text(), txm.isEmpty() ? QStringLiteral("无") : txm);
        QCOMPARE(d.save(), !refused);
        QCOMPARE(tableRows(db.conn(), "sp"), refused ? 3 : 4);
        QCOMPARE(rec.texts(), refused ? QStringList{"商品不可重复！"} : QStringList{});
        if (refused) {
            QCOMPARE(rec.messages.front().title, QStringLiteral("警告"));
            QCOMPARE(QApplication::focusWidget(), box(&d, "Edit3"));
        } else {
            QCOMPARE(db.conn().scalar(QStringLiteral("select txm from sp where id=4")).toString(),
                     txm.trimmed().isEmpty() ? QStringLiteral("无") : txm.trimmed());
        }
    }

    void requiredBoxesInOrder()
    {
        TempDb db;
        MessageRecorder rec;
        TFtjsp1 d;
        d.startAdd();
        showActive(&d);
        d.save();
        type(&d, QStringLiteral("饮料"), QStringLiteral("  "), QString(), QString());
        d.save();
        box(&d, "Edit2")->setText(QStringLiteral("可乐"));
        d.save();
        QCOMPARE(rec.texts(), QStringList({"类别不可为空！", "品名规格型号不可为空！", "计量单位不可为空！"}));
        QCOMPARE(QApplication::focusWidget(), box(&d, "Edit4"));
        QCOMPARE(tableRows(db.conn(), "sp"), 0);
        // A box holding only a point is not a number: nothing is written.
        box(&d, "Edit4")->setText(QStringLiteral("瓶"));
        box(&d, "Edit9")->setText(QStringLiteral("."));
        rec.clear();
        QVERIFY(!d.save());
        QCOMPARE(rec.messages.size(), size_t(1));
        QCOMPARE(tableRows(db.conn(), "sp"), 0);
        QVERIFY(d.isVisible());
    }

    void numbersRoundedAndStockValue_data()
    {
        QTest::addColumn<QString>("jj");   // purchase price as typed
        QTest::addColumn<QString>("kcsl"); // stock quantity
        QTest::addColumn<QString>("kcjg"); // unit cost
        QTest::addColumn<QString>("jjBox");
        QTest::addColumn<qlonglong>("jjStored");
        QTest::addColumn<qlonglong>("kcjeStored");
        QTest::newRow("3.456 and 3 x 2.5") << "3.456" << "3" << "2.5" << "3.46" << 34600LL << 75000LL;
        QTest::newRow("half to even down") << "2.125" << "1" << "1" << "2.12" << 21200LL << 10000LL;
        QTest::newRow("half to even up") << "2.135" << "0" << "9" << "2.14" << 21400LL << 0LL;
        QTest::newRow("quantity and cost rounded first") << "1" << "0.333" << "0.333" << "1" << 10000LL << 1100LL;
        QTest::newRow("value half to even") << "1" << "0.5" << "0.25" << "1" << 10000LL << 1200LL;
        QTest::newRow("value 1.5 x 0.25") << "1" << "1.5" << "0.25" << "1" << 10000LL << 3800LL;
        QTest::newRow("long tail") << "0.9999999" << "2" << "0.115" << "1.00" << 10000LL << 2400LL;
    }
    void numbersRoundedAndStockValue()
    {
        QFETCH(QString, jj);
        QFETCH(QString, kcsl);
        QFETCH(QString, kcjg);
        QFETCH(QString, jjBox);
        QFETCH(qlonglong, jjStored);
        QFETCH(qlonglong, kcjeStored);
        TempDb db;
        MessageRecorder rec;
        TFtjsp1 d;
        d.startAdd();
        showActive(&d);
        type(&d, QStringLiteral("饮料"), QStringLiteral("可乐"), QString(), QStringLiteral("瓶"));
        box(&d, "Edit5")->setText(jj);
        box(&d, "Edit9")->setText(kcsl);
        box(&d, "Edit10")->setText(kcjg);
        QVERIFY(d.save());
        QCOMPARE(box(&d, "Edit5")->text(), jjBox);
        QCOMPARE(stored(db.conn(), "jj", QStringLiteral("可乐")).toLongLong(), jjStored);
        QCOMPARE(stored(db.conn(), "kcje", QStringLiteral("可乐")).toLongLong(), kcjeStored);
        QVERIFY(rec.messages.empty());
    }

    void changeRecomputesAndKeepsTheMarker()
    {
        TempDb db;
        shop(db.conn());
        MessageRecorder rec;
        TFsp1 list;
        list.show();
        DM1->AQsp1->moveTo(1); // 薯片, 不打折
        ModalDriver drv("TFtjsp1", [&](QWidget *dw) {
            auto *d = static_cast<TFtjsp1 *>(dw);
            QCOMPARE(d->windowTitle(), QStringLiteral("修改商品资料"));
            QCOMPARE(child<QLabel>(d, "ST1")->text(), QStringLiteral("修改"));
            QCOMPARE(box(d, "Edit2")->text(), QStringLiteral("薯片 100g"));
            QCOMPARE(box(d, "Edit5")->text(), QStringLiteral("1.2"));
            // Made the same article as 可乐: refused, postings could not tell them apart.
            type(d, QStringLiteral("饮料"), QStringLiteral("可乐 500ml"), QStringLiteral("6901"), QStringLiteral("瓶"));
            QVERIFY(!d->save());
            QCOMPARE(rec.lastText(), QStringLiteral("商品不可重复！"));
            // Its own triple again is no duplicate.
            type(d, QStringLiteral("零食"), QStringLiteral("薯片 100g"), QStringLiteral("6902"), QStringLiteral("袋"));
            box(d, "Edit9")->setText(QStringLiteral("4"));
            box(d, "Edit10")->setText(QStringLiteral("1.255"));
            QVERIFY(d->save());
        });
        list.run(ListAction::Change);
        QVERIFY(drv.acted());
        QCOMPARE(rec.texts(), QStringList{"商品不可重复！"});
        const QString name = QStringLiteral("薯片 100g");
        QCOMPARE(stored(db.conn(), "kcjg", name).toLongLong(), 12600LL);
        QCOMPARE(stored(db.conn(), "kcje", name).toLongLong(), 50400LL);
        QCOMPARE(stored(db.conn(), "ztbj", name).toString(), QStringLiteral("不打折"));
        QCOMPARE(tableRows(db.conn(), "sp"), 4);
    }

    void categoryAndUnitFromTheirLists()
    {
        TempDb db;
        addCategory(db.conn(), QStringLiteral("饮料"));
        db.conn().exec(QStringLiteral("INSERT INTO dw (dw) VALUES ('瓶')"));
        TFtjsp1 d;
        d.startAdd();
        showActive(&d);
        // Enter in the empty category box opens the category list; the choice fills the box.
        ModalDriver lb("TFlb1", [](QWidget *w) { QTest::keyClick(w->findChild<QTableView *>(), Qt::Key_Return); });
        box(&d, "Edit1")->setFocus();
        QTest::keyClick(box(&d, "Edit1"), Qt::Key_Return);
        QVERIFY(lb.acted());
        QCOMPARE(box(&d, "Edit1")->text(), QStringLiteral("饮料"));
        // With a category, Enter moves on.
        showActive(&d);
        box(&d, "Edit1")->setFocus();
        QTest::keyClick(box(&d, "Edit1"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box(&d, "Edit2"));
        // A double-click on the unit box opens the unit list in mode "tjsp".
        QString mode;
        ModalDriver dw("TFdw1", [&](QWidget *w) {
            mode = child<QLabel>(w, "xzbj")->text();
            QTest::keyClick(w->findChild<QTableView *>(), Qt::Key_Return);
        });
        QTest::mouseDClick(box(&d, "Edit4"), Qt::LeftButton);
        QVERIFY(dw.acted());
        QCOMPARE(mode, QStringLiteral("tjsp"));
        QCOMPARE(box(&d, "Edit4")->text(), QStringLiteral("瓶"));
    }

    void stockQuery_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("barcode");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("全部") << 0 << "" << QStringList({"6901", "6902", "6903", "6904"});
        QTest::newRow("库存＞0") << 1 << "" << QStringList({"6901", "6904"});
        QTest::newRow("库存＝0") << 2 << "" << QStringList({"6902"});
        QTest::newRow("库存＜0: sold below zero") << 3 << "" << QStringList({"6903"});
        QTest::newRow("barcode part and stock") << 1 << "90" << QStringList({"6901", "6904"});
        QTest::newRow("a quote matches nothing") << 0 << "'" << QStringList();
    }
    void stockQuery()
    {
        QFETCH(int, choice);
        QFETCH(QString, barcode);
        QFETCH(QStringList, listed);
        TempDb db;
        shop(db.conn());
        TFsp1 list;
        list.show();
        QString mode;
        ModalDriver drv("TFcxsp1", [&](QWidget *d) {
            mode = child<QLabel>(d, "ST1")->text();
            QCOMPARE(QApplication::focusWidget(), box(d, "Edit1"));
            QCOMPARE(child<QComboBox>(d, "ComboBox1")->currentText(), QStringLiteral("全部"));
            box(d, "Edit1")->setText(barcode);
            auto *combo = child<QComboBox>(d, "ComboBox1");
            combo->setCurrentIndex(choice);
            combo->setFocus();
            QTest::keyClick(combo, Qt::Key_Return); // Enter in the drop-down runs the query
        });
        list.run(ListAction::Query);
        QVERIFY(drv.acted());
        QCOMPARE(mode, QStringLiteral("sp"));
        QCOMPARE(column(DM1->AQsp1, "txm"), listed);
        QCOMPARE(list.panel(1), QString::number(listed.size()));
    }

    void markers()
    {
        TempDb db;
        shop(db.conn());
        MessageRecorder rec;
        TFsp1 list;
        list.show();
        TFsp3 sales;
        sales.show();
        const QString red = QColor(255, 0, 0).name();
        auto colorOf = [](GridModel *m, int row) { return m->data(m->index(row, 0), Qt::ForegroundRole).value<QColor>().name(); };
        DM1->AQsp1->moveTo(0);
        menuEntry(list, QStringLiteral("改标记：不打折"))->trigger();
        QCOMPARE(stored(db.conn(), "ztbj", QStringLiteral("可乐 500ml")).toString(), QStringLiteral("不打折"));
        QCOMPARE(colorOf(list.model(), 0), red);
        QCOMPARE(colorOf(sales.model(), 0), red);
        DM1->AQsp1->moveTo(1);
        menuEntry(list, QStringLiteral("改标记：打折"))->trigger();
        QCOMPARE(stored(db.conn(), "ztbj", QStringLiteral("薯片 100g")).toString(), QStringLiteral("打折"));
        QVERIFY(colorOf(list.model(), 1) != red);
        QVERIFY(rec.messages.empty());
        // Nothing shown, nothing open.
        clickNode(list.tree(), list.tree()->node(QStringLiteral("零食")));
        db.conn().exec(QStringLiteral("DELETE FROM sp"));
        clickNode(list.tree(), list.tree()->node(QStringLiteral("零食")));
        menuEntry(list, QStringLiteral("改标记：打折"))->trigger();
        DM1->AQsp1->close();
        menuEntry(list, QStringLiteral("改标记：不打折"))->trigger();
        list.run(ListAction::Import);
        QCOMPARE(rec.texts(), QStringList({"没有商品可修改！", "数据表未打开，请先查询！", "数据表未打开，请先查询！"}));
        for (const auto &m : rec.messages) QCOMPARE(m.title, QStringLiteral("警告"));
    }

    void deleteAndPrint()
    {
        TempDb db;
        shop(db.conn());
        MessageRecorder rec;
        TFsp1 list;
        list.show();
        DM1->AQsp1->moveTo(2);
        rec.answer(msg::Answer::Cancel);
        list.run(ListAction::Delete);
        QCOMPARE(tableRows(db.conn(), "sp"), 4);
        list.run(ListAction::Delete);
        QCOMPARE(rec.texts(), QStringList({"确定要删除此商品么？", "确定要删除此商品么？"}));
        QCOMPARE(tableRows(db.conn(), "sp"), 3);
        QCOMPARE(list.panel(1), QStringLiteral("3"));
        QVERIFY(!column(DM1->AQsp1, "txm").contains(QStringLiteral("6903")));
        // "打印": the price list, previewed.
        ModalDriver drv("TFdyPreview1", [](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
        list.run(ListAction::Print);
        QVERIFY(drv.acted());
        QVERIFY(reportForm(QStringLiteral("TFdysp1"))->text(QStringLiteral("QRLdw")).endsWith(QStringLiteral("商品价格表")));
    }

    void purchaseChooserByMode()
    {
        TempDb db;
        shop(db.conn());
        MessageRecorder rec;
        // The purchase entry registers its boxes when it arrives; a stand-in does it here.
        selection::registerBoxes(QStringLiteral("TFsp2"), QStringLiteral("tjcg"),
                                 {{QStringLiteral("txm"), QStringLiteral("Edit1")}, {QStringLiteral("ppgg"), QStringLiteral("Edit2")},
                                  {QStringLiteral("dw"), QStringLiteral("Edit3")}, {QStringLiteral("jj"), QStringLiteral("Edit4")}});
        QWidget caller;
        for (const char *n : {"Edit1", "Edit2", "Edit3", "Edit4"}) (new QLineEdit(&caller))->setObjectName(QLatin1String(n));
        auto *sao = new QLabel(&caller);
        sao->setObjectName(QStringLiteral("sao"));
        TFsp2 ch(&caller);
        ch.setMode(QStringLiteral("tjcg"));
        QCOMPARE(child<QLabel>(&ch, "xzbj")->text(), QStringLiteral("tjcg"));
        showActive(&ch);
        QCOMPARE(ch.windowTitle(), QStringLiteral("选择商品资料"));
        QStringList titles;
        for (int c = 0; c < ch.model()->columnCount(); ++c) titles << ch.model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titles, QStringList({"条码", "品名规格型号", "单位", "库存数量", "采购价", "成本价", "商品描述", "备注", "打折标记", "类别"}));
        ch.hidePrices();
        QVERIFY(ch.grid()->isColumnHidden(4) && ch.grid()->isColumnHidden(5) && !ch.grid()->isColumnHidden(3));
        // Name, then Enter in the barcode box queries.
        box(&ch, "Edit2")->setText(QStringLiteral("汁"));
        box(&ch, "Edit2")->setFocus();
        QTest::keyClick(box(&ch, "Edit2"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box(&ch, "Edit3"));
        QTest::keyClick(box(&ch, "Edit3"), Qt::Key_Return);
        QCOMPARE(column(DM1->AQsp1, "txm"), QStringList{"6903"});
        QTest::keyClick(ch.grid(), Qt::Key_Return);
        QCOMPARE(ch.result(), int(QDialog::Accepted));
        QStringList filled;
        for (const char *n : {"Edit1", "Edit2", "Edit3", "Edit4"}) filled << box(&caller, n)->text();
        QCOMPARE(filled, QStringList({"6903", "橙汁 1L", "瓶", "1.2"}));
        QCOMPARE(sao->text(), QStringLiteral("sao"));
        // Another mode nobody registered copies nothing and leaves "sao" alone.
        sao->clear();
        TFsp2 other(&caller);
        other.setMode(QStringLiteral("tjck"));
        other.show();
        QTest::keyClick(other.grid(), Qt::Key_Escape);
        QVERIFY(sao->text().isEmpty());
        QVERIFY(rec.messages.empty());
        // No article: nothing to choose.
        TFsp2 empty(&caller);
        empty.show();
        box(&empty, "Edit3")->setText(QStringLiteral("nothing"));
        empty.runQuery();
        empty.choose();
        QCOMPARE(rec.texts(), QStringList{"没有商品可选择！"});
    }

    void salesChooserStaysOpenAndHandsOverEachChoice()
    {
        TempDb db;
        shop(db.conn());
        QStringList lines;
        QWidget *seenCaller = nullptr;
        selection::registerFill(QStringLiteral("TFsp3"), QStringLiteral("tjxs"), [&](QWidget *caller, const Dataset &goods) {
            seenCaller = caller;
            lines << goods.text(QStringLiteral("txm")) + u'/' + goods.text(QStringLiteral("xj"));
        });
        QWidget counter;
        QPointer<TFsp3> ch = new TFsp3(&counter);
        QVERIFY(screens::isChild(QStringLiteral("TFsp3")));
        QCOMPARE(ch->mode(), QStringLiteral("tjxs"));
        ch->show();
        QCOMPARE(ch->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("销售价"));
        DM1->AQsp1->moveTo(0);
        QTest::keyClick(ch->grid(), Qt::Key_Return);
        DM1->AQsp1->moveTo(2);
        child<QPushButton>(ch.data(), "xuan")->click();
        QCOMPARE(lines, QStringList({"6901/2.5", "6903/2.5"}));
        QCOMPARE(seenCaller, &counter);
        QVERIFY(ch->isVisible());
        // Esc closes and frees it; the goods stay open for the screens that show them.
        QTest::keyClick(ch->grid(), Qt::Key_Escape);
        QTRY_VERIFY(ch.isNull());
        QVERIFY(DM1->AQsp1->isOpen());
    }

    void sharedGoodsDataset()
    {
        TempDb db;
        shop(db.conn());
        TFsp1 *list = new TFsp1;
        list->show();
        QCOMPARE(list->model()->rowCount(), 4);
        // A chooser's search shows in the open list.
        TFsp2 ch;
        ch.show();
        box(&ch, "Edit2")->setText(QStringLiteral("500ml"));
        ch.runQuery();
        QCOMPARE(list->model()->rowCount(), 2);
        QCOMPARE(list->model()->cellText(1, 1), QStringLiteral("雪碧 500ml"));
        // Closing the goods list empties the open choosers' grids.
        TFsp3 *sales = new TFsp3;
        sales->show();
        QCOMPARE(sales->model()->rowCount(), 4);
        QPointer<TFsp1> gone(list);
        list->close();
        QTRY_VERIFY(gone.isNull());
        QCOMPARE(sales->model()->rowCount(), 0);
        QCOMPARE(ch.model()->rowCount(), 0);
        delete sales;
    }
};

QTEST_MAIN(TstGoods)
#include "tst_goods.moc"
