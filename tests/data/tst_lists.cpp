// The shared list behaviour, exercised through a supplier list configured as a screen would be.
#include "chooser.h"
#include "gridbehaviour.h"
#include "listwindow.h"
#include "numberbox.h"
#include "querydialog.h"
#include "recorddialog.h"
#include "selection.h"
#include "testsupport.h"
#include "xlsxexport.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QDateEdit>
#include <QFont>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {
QList<GridColumn> supplierColumns()
{
    QList<GridColumn> cols;
    const char *f[][2] = {{"mc", "名称"}, {"lxr", "联系人"}, {"lxdh", "联系方式"}, {"lxdz", "联系地址"}, {"yb", "邮政编码"}};
    for (auto &p : f) {
        GridColumn c;
        c.field = QLatin1String(p[0]);
        c.title = QString::fromUtf8(p[1]);
        cols << c;
    }
    return cols;
}

RecordConfig supplierDialog()
{
    RecordConfig c;
    c.thing = QStringLiteral("厂商");
    c.titleThing = QStringLiteral("厂商资料");
    c.dataset = DM1->AQghs1;
    FieldSpec name(QStringLiteral("mc"), QStringLiteral("名称"), QStringLiteral("Edit1"));
    name.required = true;
    c.fields = {name, {QStringLiteral("lxr"), QStringLiteral("联系人"), QStringLiteral("Edit2")},
                {QStringLiteral("yb"), QStringLiteral("邮政编码"), QStringLiteral("Edit6"), BoxKind::Digits}};
    return c;
}

// A list screen says only what differs from every other list.
class SupplierList : public ListWindow {
public:
    SupplierList() : ListWindow([] {
        ListConfig c;
        c.title = QStringLiteral("厂商资料");
        c.thing = QStringLiteral("厂商");
        c.dataset = DM1->AQghs1;
        c.columns = supplierColumns();
        // Listed out of order on purpose: the tool bar keeps its fixed order.
        c.tools = {{ListAction::Close, QStringLiteral("SB100")}, {ListAction::Export, QStringLiteral("SB99")},
                   {ListAction::Add, QStringLiteral("SB44")}, {ListAction::Change, QStringLiteral("SB55")},
                   {ListAction::Delete, QStringLiteral("SB66")}, {ListAction::Query, QStringLiteral("SB77")},
                   {ListAction::Print, QStringLiteral("SB88")}, {ListAction::Import, QStringLiteral("SB33")}};
        c.addNeedsOpen = true;
        return c;
    }())
    {
    }
    int printed = 0;

protected:
    RecordDialog *makeDialog() override { return new RecordDialog(supplierDialog(), this); }
    QueryDialog *makeQuery() override
    {
        QueryConfig q;
        q.dataset = DM1->AQghs1;
        q.conditions = {Condition::like(QStringLiteral("名称"), QStringLiteral("Edit1"), QStringLiteral("mc"), true),
                        Condition::like(QStringLiteral("联系人"), QStringLiteral("Edit2"), QStringLiteral("lxr")),
                        Condition::like(QStringLiteral("联系方式"), QStringLiteral("Edit3"), QStringLiteral("lxdh")),
                        Condition::like(QStringLiteral("联系地址"), QStringLiteral("Edit4"), QStringLiteral("lxdz"))};
        return new QueryDialog(q, this);
    }
    void printList() override { ++printed; }
};

void addSupplier(Connection &c, const QVariant &mc, const QString &lxr = {}, const QString &lxdh = {})
{
    c.exec(QStringLiteral("INSERT INTO ghs (mc, lxr, lxdh) VALUES (?, ?, ?)"), {{{}, mc}, {{}, lxr}, {{}, lxdh}});
}

void clickTitle(QTableView *v, int section)
{
    QHeaderView *h = v->horizontalHeader();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(section) + 5, h->height() / 2));
}

bool isBold(GridModel *m, int section) { return m->headerData(section, Qt::Horizontal, Qt::FontRole).value<QFont>().bold(); }

// Reads a workbook back with openpyxl: per row, per column, the value and the number format.
QJsonObject readWorkbook(const QString &path)
{
    const QString script = QStringLiteral(
        "import json, sys, openpyxl\n"
        "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
        "rows = [[{'v': c.value, 'f': c.number_format} for c in r] for r in ws.iter_rows(min_row=1, max_row=ws.max_row, max_col=ws.max_column)]\n"
        "cols = {k: d.number_format if hasattr(d, 'number_format') else None for k, d in ws.column_dimensions.items()}\n"
        "print(json.dumps({'rows': rows, 'maxcol': ws.max_column}))\n");
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        qWarning("%s", p.readAllStandardError().constData());
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}
}

class TstLists : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void toolBarOrderAndCount()
    {
        TempDb db;
        addSupplier(db.conn(), QStringLiteral("甲"));
        addSupplier(db.conn(), QStringLiteral("乙"));
        SupplierList w;
        w.show();
        QVERIFY(DM1->AQghs1->isOpen());
        QCOMPARE(DM1->AQghs1->sqlLines(), QStringList({QStringLiteral("SELECT * FROM ghs"), QStringLiteral("order by id")}));
        QCOMPARE(w.panel(0), QStringLiteral("记录数："));
        QCOMPARE(w.panel(1), QStringLiteral("2"));
        // Buttons left to right in the fixed order, whatever order the screen listed them in.
        QStringList captions;
        QList<QToolButton *> buttons = w.findChildren<QToolButton *>();
        std::sort(buttons.begin(), buttons.end(), [](QToolButton *a, QToolButton *b) { return a->x() < b->x(); });
        for (QToolButton *b : buttons) captions << b->text();
        QCOMPARE(captions, QStringList({"导入", "新增", "修改", "删除", "查询", "打印", "导出", "关闭"}));
        QStringList menu;
        for (QAction *a : w.contextMenu()->actions()) menu << a->text();
        QCOMPARE(menu, QStringList({"新增", "修改", "删除"}));
    }

    void sortCycleAndColumnChange()
    {
        TempDb db;
        addSupplier(db.conn(), QStringLiteral("b"), QStringLiteral("2"));
        addSupplier(db.conn(), QStringLiteral("c"), QStringLiteral("1"));
        addSupplier(db.conn(), QStringLiteral("a"), QStringLiteral("3"));
        SupplierList w;
        w.show();
        Dataset *ds = DM1->AQghs1;
        const QStringList asc{"a", "b", "c"}, desc{"c", "b", "a"};
        clickTitle(w.grid(), 0);
        QCOMPARE(ds->sort(), QStringLiteral("mc ASC"));
        QCOMPARE(column(ds, QStringLiteral("mc")), asc);
        clickTitle(w.grid(), 0);
        QCOMPARE(ds->sort(), QStringLiteral("mc DESC"));
        QCOMPARE(column(ds, QStringLiteral("mc")), desc);
        QCOMPARE(w.model()->cellText(0, 0), QStringLiteral("c")); // the grid shows the dataset's order
        clickTitle(w.grid(), 0);
        QCOMPARE(column(ds, QStringLiteral("mc")), asc);
        clickTitle(w.grid(), 0);
        // After a descending sort, another title sorts its column ascending; only it is bold.
        clickTitle(w.grid(), 1);
        QCOMPARE(ds->sort(), QStringLiteral("lxr ASC"));
        QCOMPARE(column(ds, QStringLiteral("lxr")), QStringList({"1", "2", "3"}));
        QVERIFY(isBold(w.model(), 1));
        QVERIFY(!isBold(w.model(), 0));
        // A re-query shows the SQL order again; the next click on the same title starts ascending.
        clickTitle(w.grid(), 1);
        QCOMPARE(ds->sort(), QStringLiteral("lxr DESC"));
        w.fill();
        QCOMPARE(column(ds, QStringLiteral("mc")), QStringList({"b", "c", "a"}));
        clickTitle(w.grid(), 1);
        QCOMPARE(ds->sort(), QStringLiteral("lxr ASC"));
        // A closed dataset is not sorted and nothing fails.
        ds->close();
        grid::sortByTitle(w.model(), 0);
        QVERIFY(!ds->isOpen());
    }

    void guardMessages_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("message");
        QTest::newRow("change closed") << int(ListAction::Change) << true << "数据表未打开，请先查询！";
        QTest::newRow("change empty") << int(ListAction::Change) << false << "没有数据可修改，请先查询！";
        QTest::newRow("delete closed") << int(ListAction::Delete) << true << "数据表未打开，请先查询！";
        QTest::newRow("delete empty") << int(ListAction::Delete) << false << "没有数据可删除，请先查询！";
        QTest::newRow("print closed") << int(ListAction::Print) << true << "数据表未打开，请先查询！";
        QTest::newRow("print empty") << int(ListAction::Print) << false << "没有数据可打印，请先查询！";
        QTest::newRow("export closed") << int(ListAction::Export) << true << "数据表未打开，请先查询！";
        QTest::newRow("add closed") << int(ListAction::Add) << true << "数据表未打开，请先查询！";
    }
    void guardMessages()
    {
        QFETCH(int, action);
        QFETCH(bool, closed);
        QFETCH(QString, message);
        TempDb db;
        MessageRecorder rec;
        SupplierList w;
        w.show();
        if (closed) DM1->AQghs1->close();
        w.run(ListAction(action));
        QCOMPARE(rec.texts(), QStringList{message});
        QCOMPARE(rec.messages[0].title, QStringLiteral("警告"));
        QCOMPARE(rec.messages[0].kind, msg::Kind::Warning);
        QCOMPARE(w.printed, 0);
        QCOMPARE(db.conn().scalar(QStringLiteral("select count(*) from ghs")).toInt(), 0);
    }

    void deleteAsksAndUpdatesCount()
    {
        TempDb db;
        for (const char *n : {"甲", "乙", "丙"}) addSupplier(db.conn(), QString::fromUtf8(n));
        MessageRecorder rec;
        SupplierList w;
        w.show();
        DM1->AQghs1->moveTo(1);
        rec.answer(msg::Answer::Cancel);
        w.run(ListAction::Delete);
        QCOMPARE(rec.lastText(), QStringLiteral("确定要删除此厂商么？"));
        QCOMPARE(rec.messages.back().buttons, msg::Buttons::OkCancel);
        QCOMPARE(w.panel(1), QStringLiteral("3"));
        w.run(ListAction::Delete);
        QCOMPARE(w.panel(1), QStringLiteral("2"));
        QCOMPARE(db.conn().scalar(QStringLiteral("select count(*) from ghs")).toInt(), 2);
        QVERIFY(!db.conn().exists(QStringLiteral("select 1 from ghs where mc='乙'")));
        QCOMPARE(column(DM1->AQghs1, QStringLiteral("mc")), QStringList({"甲", "丙"}));
    }

    void closingClosesTheDatasetAndFreesTheWindow()
    {
        TempDb db;
        QPointer<ListWindow> w = new SupplierList;
        w->show();
        QVERIFY(DM1->AQghs1->isOpen());
        QTest::keyClick(w->grid(), Qt::Key_Escape);
        QVERIFY(!DM1->AQghs1->isOpen());
        QTRY_VERIFY(w.isNull());
    }

    void query_data()
    {
        QTest::addColumn<QStringList>("boxes"); // 名称, 联系人, 联系方式, 联系地址
        QTest::addColumn<QStringList>("names");
        QTest::newRow("every box empty: every named row") << QStringList{"", "", "", ""} << QStringList{"甲厂", "乙厂", "O'Hara", "丙"};
        QTest::newRow("contact only") << QStringList{"", "张", "", ""} << QStringList{"甲厂", "O'Hara"};
        QTest::newRow("blank contact is ignored") << QStringList{"", "  ", "", ""} << QStringList{"甲厂", "乙厂", "O'Hara", "丙"};
        QTest::newRow("name and phone") << QStringList{"厂", "", "139", ""} << QStringList{"乙厂"};
        QTest::newRow("a quote is a character") << QStringList{"O'H", "", "", ""} << QStringList{"O'Hara"};
        QTest::newRow("statement text typed") << QStringList{"' or '1'='1", "", "", ""} << QStringList{};
    }
    void query()
    {
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, names);
        TempDb db;
        Connection &c = db.conn();
        addSupplier(c, QStringLiteral("甲厂"), QStringLiteral("张三"), QStringLiteral("138"));
        addSupplier(c, QStringLiteral("乙厂"), QStringLiteral("李四"), QStringLiteral("139"));
        addSupplier(c, QVariant(), QStringLiteral("王五"), QStringLiteral("139")); // no name: never listed by the query
        addSupplier(c, QStringLiteral("O'Hara"), QStringLiteral("张飞"));
        addSupplier(c, QStringLiteral("丙"));
        MessageRecorder rec;
        SupplierList w;
        w.show();
        DM1->AQghs1->close();
        ModalDriver drv("QueryDialog", [&](QWidget *d) {
            for (int i = 0; i < 4; ++i) child<QLineEdit>(d, qPrintable(QStringLiteral("Edit%1").arg(i + 1)))->setText(boxes[i]);
            // Enter in the last box presses "查询".
            QWidget *last = child<QLineEdit>(d, "Edit4");
            last->setFocus();
            QTest::keyClick(last, Qt::Key_Return);
        });
        w.run(ListAction::Query);
        QVERIFY(drv.acted());
        QVERIFY2(rec.messages.empty(), qPrintable(rec.texts().join(u'|')));
        QCOMPARE(column(DM1->AQghs1, QStringLiteral("mc")), names);
        QCOMPARE(w.panel(1), QString::number(names.size()));
        // What was typed never becomes part of the statement.
        for (const QString &b : boxes)
            if (!b.trimmed().isEmpty()) QVERIFY(!DM1->AQghs1->sqlLines().join(u' ').contains(b));
        QCOMPARE(DM1->AQghs1->sqlLines().last(), QStringLiteral("order by id"));
    }

    void filterLinesAndChoices()
    {
        // Choices and date ranges: the lines and the bound values, both ends of a range included.
        TempDb db;
        QueryConfig q;
        q.dataset = DM1->AQrkfx1;
        Condition audit;
        audit.kind = Condition::Kind::Choice;
        audit.label = QStringLiteral("审核");
        audit.box = QStringLiteral("ComboBox1");
        audit.choices = {QStringLiteral("全部"), QStringLiteral("已审核"), QStringLiteral("未审核")};
        audit.apply = [](Filter &f, int i, const QString &t) {
            if (i > 0) f.equals(QStringLiteral("shbj"), t);
        };
        Condition dates;
        dates.kind = Condition::Kind::DateRange;
        dates.label = QStringLiteral("日期从");
        dates.box = QStringLiteral("CheckBox1");
        dates.field = QStringLiteral("rq");
        q.conditions = {dates, audit, Condition::like(QStringLiteral("类型"), QStringLiteral("Edit1"), QStringLiteral("lx"), true)};
        for (const char *row : {"2026-01-01|已审核", "2026-01-31|未审核", "2026-02-01|已审核"}) {
            const QStringList p = QString::fromUtf8(row).split(u'|');
            db.conn().exec(QStringLiteral("INSERT INTO rkfx (rq, shbj, lx) VALUES (?, ?, '采购')"), {{{}, p[0]}, {{}, p[1]}});
        }
        QueryDialog d(q);
        d.show();
        child<QCheckBox>(&d, "CheckBox1")->setChecked(true);
        auto *from = child<QDateEdit>(&d, "DateTimePicker1");
        auto *to = child<QDateEdit>(&d, "DateTimePicker2");
        to->setDate(QDate(2026, 1, 31));
        from->setDate(QDate(2026, 1, 1));
        // A from date after the to date moves the to date with it.
        from->setDate(QDate(2026, 3, 1));
        QCOMPARE(to->date(), QDate(2026, 3, 1));
        from->setDate(QDate(2026, 1, 1));
        to->setDate(QDate(2026, 1, 31));
        child<QComboBox>(&d, "ComboBox1")->setCurrentIndex(0);
        QVERIFY(d.runQuery());
        QCOMPARE(column(DM1->AQrkfx1, QStringLiteral("rq")), QStringList({"2026-01-01", "2026-01-31"}));
        d.show();
        child<QCheckBox>(&d, "CheckBox1")->setChecked(false);
        child<QComboBox>(&d, "ComboBox1")->setCurrentIndex(1);
        QVERIFY(d.runQuery());
        QCOMPARE(column(DM1->AQrkfx1, QStringLiteral("rq")), QStringList({"2026-01-01", "2026-02-01"}));
        const Filter f = d.filter();
        QCOMPARE(f.lines(), QStringList({"where shbj=:f0", "and lx like :f1"}));
    }

    void recordDialogAddAndChange()
    {
        TempDb db;
        addSupplier(db.conn(), QStringLiteral("甲厂"));
        MessageRecorder rec;
        SupplierList w;
        w.show();
        // "新增": a blank name, then a duplicate (after trimming), then a new one; the dialog stays
        // open with its boxes cleared after the save and the list shows the new row.
        bool stayedOpen = false, cleared = false;
        ModalDriver drv("RecordDialog", [&](QWidget *dw) {
            auto *d = static_cast<RecordDialog *>(dw);
            QCOMPARE(d->windowTitle(), QStringLiteral("新增厂商资料"));
            QCOMPARE(child<QLabel>(d, "ST1")->text(), QStringLiteral("新增"));
            auto *name = child<QLineEdit>(d, "Edit1");
            name->setText(QStringLiteral("   "));
            d->saveButton()->click();
            QCOMPARE(rec.lastText(), QStringLiteral("名称不可为空！"));
            QCOMPARE(rec.messages.back().kind, msg::Kind::Information);
            name->setText(QStringLiteral(" 甲厂 "));
            d->saveButton()->click();
            QCOMPARE(rec.lastText(), QStringLiteral("厂商不可重复！"));
            QCOMPARE(rec.messages.back().kind, msg::Kind::Warning);
            name->setText(QStringLiteral(" 乙厂 "));
            child<QLineEdit>(d, "Edit2")->setText(QStringLiteral("李四"));
            d->saveButton()->click();
            stayedOpen = d->isVisible();
            cleared = name->text().isEmpty() && child<QLineEdit>(d, "Edit2")->text().isEmpty();
            QCOMPARE(w.panel(1), QStringLiteral("2"));
            d->closeButton()->click();
        });
        w.run(ListAction::Add);
        QVERIFY(drv.acted());
        QVERIFY(stayedOpen);
        QVERIFY(cleared);
        QCOMPARE(db.conn().scalar(QStringLiteral("select count(*) from ghs")).toInt(), 2);
        QCOMPARE(db.conn().scalar(QStringLiteral("select lxr from ghs where mc='乙厂'")).toString(), QStringLiteral("李四"));
        // "修改": renaming to a taken name is accepted; the dialog closes.
        DM1->AQghs1->last();
        ModalDriver drv2("RecordDialog", [&](QWidget *dw) {
            auto *d = static_cast<RecordDialog *>(dw);
            QCOMPARE(d->windowTitle(), QStringLiteral("修改厂商资料"));
            QCOMPARE(child<QLineEdit>(d, "Edit1")->text(), QStringLiteral("乙厂"));
            child<QLineEdit>(d, "Edit1")->setText(QStringLiteral("甲厂"));
            d->saveButton()->click();
        });
        rec.clear();
        w.run(ListAction::Change);
        QVERIFY(drv2.acted());
        QVERIFY(rec.messages.empty());
        QCOMPARE(db.conn().scalar(QStringLiteral("select count(*) from ghs where mc='甲厂'")).toInt(), 2);
    }

    void rejectedAddKeepsTheBoxes()
    {
        // The engine refuses the insert: its text in the error box, the boxes keep what was
        // typed, nothing is stored, and the next save goes through.
        TempDb db;
        MessageRecorder rec;
        DM1->AQghs1->setSql(QStringLiteral("SELECT * FROM ghs"));
        DM1->AQghs1->open();
        RecordDialog d(supplierDialog());
        d.startAdd();
        d.show();
        child<QLineEdit>(&d, "Edit1")->setText(QStringLiteral("己厂"));
        child<QLineEdit>(&d, "Edit2")->setText(QStringLiteral("周七"));
        db.conn().failNextStatementContaining(QStringLiteral("INSERT INTO ghs"));
        QVERIFY(!d.save());
        QCOMPARE(rec.messages.size(), size_t(1));
        QCOMPARE(rec.messages[0].kind, msg::Kind::Error);
        QCOMPARE(child<QLineEdit>(&d, "Edit1")->text(), QStringLiteral("己厂"));
        QCOMPARE(child<QLineEdit>(&d, "Edit2")->text(), QStringLiteral("周七"));
        QCOMPARE(db.conn().scalar(QStringLiteral("select count(*) from ghs")).toInt(), 0);
        QCOMPARE(DM1->AQghs1->recordCount(), 0);
        QVERIFY(d.save());
        QCOMPARE(db.conn().scalar(QStringLiteral("select lxr from ghs where mc='己厂'")).toString(), QStringLiteral("周七"));
    }

    void escClosesWithoutSaving()
    {
        TempDb db;
        RecordDialog d(supplierDialog());
        DM1->AQghs1->setSql(QStringLiteral("SELECT * FROM ghs"));
        DM1->AQghs1->open();
        d.startAdd();
        d.show();
        auto *name = child<QLineEdit>(&d, "Edit1");
        name->setText(QStringLiteral("丁厂"));
        name->setFocus();
        QTest::keyClick(name, Qt::Key_Escape);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(db.conn().scalar(QStringLiteral("select count(*) from ghs")).toInt(), 0);
    }

    void enterMovesOnAndSavesInTheLastBox()
    {
        TempDb db;
        MessageRecorder rec;
        DM1->AQghs1->setSql(QStringLiteral("SELECT * FROM ghs"));
        DM1->AQghs1->open();
        RecordDialog d(supplierDialog());
        d.startAdd();
        d.show();
        QApplication::setActiveWindow(&d);
        auto *e1 = child<QLineEdit>(&d, "Edit1");
        auto *e2 = child<QLineEdit>(&d, "Edit2");
        auto *e6 = child<QLineEdit>(&d, "Edit6");
        e1->setFocus();
        e1->setText(QStringLiteral("戊厂"));
        QTest::keyClick(e1, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), e2);
        QCOMPARE(db.conn().scalar(QStringLiteral("select count(*) from ghs")).toInt(), 0);
        QTest::keyClick(e2, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), e6);
        QTest::keyClicks(e6, QStringLiteral("1a0-0.8"));
        QCOMPARE(e6->text(), QStringLiteral("1008")); // digits only
        QTest::keyClick(e6, Qt::Key_Return);
        QCOMPARE(db.conn().scalar(QStringLiteral("select yb from ghs where mc='戊厂'")).toString(), QStringLiteral("1008"));
        QVERIFY(d.isVisible());
        QCOMPARE(QApplication::focusWidget(), e1);
    }

    void numberBoxes_data()
    {
        QTest::addColumn<int>("kind"); // 0 unsigned, 1 signed, 2 digits
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("second point refused") << 0 << "12.5.3" << "12.53";
        QTest::newRow("letters refused") << 0 << "a1b2" << "12";
        QTest::newRow("no minus unless allowed") << 0 << "-5" << "5";
        QTest::newRow("minus where allowed") << 1 << "-5.5" << "-5.5";
        QTest::newRow("minus only in front") << 1 << "5-" << "5";
        QTest::newRow("leading point") << 0 << ".5" << ".5";
        QTest::newRow("digits: no point") << 2 << "12.3" << "123";
        QTest::newRow("digits: no letters") << 2 << "0x01" << "001";
    }
    void numberBoxes()
    {
        QFETCH(int, kind);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QLineEdit e;
        if (kind == 2) numbers::makeDigitBox(&e);
        else numbers::makeDecimalBox(&e, kind == 1 ? numbers::Sign::Signed : numbers::Sign::Unsigned);
        QTest::keyClicks(&e, typed);
        QCOMPARE(e.text(), shown);
        // Pasted text follows the same rule.
        QLineEdit p;
        numbers::makeDecimalBox(&p);
        p.setText(QStringLiteral("1.2"));
        p.insert(QStringLiteral(".3"));
        QCOMPARE(p.text(), QStringLiteral("1.2"));
    }

    void roundedBoxText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("three decimals") << "1234.567" << "1234.57";
        QTest::newRow("half to even down") << "2.125" << "2.12";
        QTest::newRow("half to even up") << "2.135" << "2.14";
        QTest::newRow("above half in a long tail") << "2.12500001" << "2.13";
        QTest::newRow("two decimals stay as typed") << "3.40" << "3.40";
        QTest::newRow("one decimal stays") << "3.4" << "3.4";
        QTest::newRow("no point stays") << "15" << "15";
        QTest::newRow("carry") << "9.999" << "10.00";
    }
    void roundedBoxText()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QCOMPARE(numbers::roundedText(typed, 2), stored);
    }

    void zeroWhenEmptied()
    {
        QLineEdit e;
        numbers::makeDecimalBox(&e);
        numbers::zeroWhenEmptied(&e);
        e.setText(QStringLiteral("12"));
        e.setFocus();
        e.selectAll();
        QTest::keyClick(&e, Qt::Key_Backspace);
        QCOMPARE(e.text(), QStringLiteral("0"));
        QTest::keyClicks(&e, QStringLiteral("7"));
        QCOMPARE(e.text(), QStringLiteral("7")); // the zero was selected: typing replaces it
    }

    void exportWorkbook()
    {
        TempDb db;
        Connection &c = db.conn();
        auto add = [&](const char *txm, const char *ppgg, const char *dw, const char *xj) {
            c.exec(QStringLiteral("INSERT INTO sp (txm, ppgg, dw, xj, lb) VALUES (?, ?, ?, ?, '饮料')"),
                   {{{}, QString::fromUtf8(txm)}, {{}, QString::fromUtf8(ppgg)}, {{}, QString::fromUtf8(dw)},
                    {{}, QVariant::fromValue(*Decimal::parse(QLatin1String(xj)))}});
        };
        add("000123", "  可乐 330ml ", "瓶", "2.5");
        add("0042", "雪碧", "罐", "3");
        add("69", "O'Neil 'quoted'", "箱", "48.75");
        Dataset *ds = DM1->AQsp1;
        ds->setSql(QStringLiteral("select * from sp order by id"));
        ds->open();
        ds->moveTo(1);
        QTableView view;
        QList<GridColumn> cols;
        for (auto p : {std::pair{"txm", "条码"}, {"ppgg", "品名规格型号"}, {"dw", "单位"}, {"xj", "销售单价"}, {"lb", "类别"}}) {
            GridColumn g;
            g.field = QLatin1String(p.first);
            g.title = QString::fromUtf8(p.second);
            cols << g;
        }
        cols[4].visible = false; // hidden by the screen's column map
        bindGrid(&view, ds, cols);
        view.setColumnHidden(2, true); // and one hidden at run time (the third)
        QTemporaryDir out;
        xlsx::setExportDirectory(out.path());
        QString opened;
        xlsx::setOpener([&](QWidget *, const QString &path) {
            opened = path;
            return true;
        });
        MessageRecorder rec;
        const QString path = xlsx::exportGrid(nullptr, &view, QStringLiteral("商品资料"));
        xlsx::setOpener({});
        QVERIFY(rec.messages.empty());
        QVERIFY(!path.isEmpty());
        QCOMPARE(opened, path);
        QVERIFY(path.startsWith(out.path()));
        QCOMPARE(ds->recNo(), 1); // the operator's row stays current

        const QJsonObject wb = readWorkbook(path);
        const QJsonArray rows = wb.value(QStringLiteral("rows")).toArray();
        QCOMPARE(rows.size(), 4);
        auto cell = [&](int r, int col) { return rows[r].toArray()[col].toObject(); };
        auto value = [&](int r, int col) { return cell(r, col).value(QStringLiteral("v")); };
        QCOMPARE(value(0, 0).toString(), QStringLiteral("条码"));
        QCOMPARE(value(0, 1).toString(), QStringLiteral("品名规格型号"));
        QCOMPARE(value(0, 3).toString(), QStringLiteral("销售单价"));
        QCOMPARE(wb.value(QStringLiteral("maxcol")).toInt(), 4); // nothing for the hidden fifth column
        for (int r = 0; r < 4; ++r) {
            QVERIFY2(value(r, 2).isNull(), "the hidden third column stays empty");
            for (int col : {0, 1, 3}) QCOMPARE(cell(r, col).value(QStringLiteral("f")).toString(), QStringLiteral("@"));
        }
        QCOMPARE(value(1, 0).toString(), QStringLiteral("000123")); // leading zeros kept: text
        QCOMPARE(value(2, 0).toString(), QStringLiteral("0042"));
        QCOMPARE(value(1, 1).toString(), QStringLiteral("可乐 330ml")); // trimmed
        QCOMPARE(value(3, 1).toString(), QStringLiteral("O'Neil 'quoted'"));
        QCOMPARE(value(1, 3).toString(), QStringLiteral("2.5"));
        QCOMPARE(value(3, 3).toString(), QStringLiteral("48.75"));
        xlsx::setExportDirectory({});
    }

    void exportFailuresAndCancel()
    {
        TempDb db;
        for (int i = 0; i < 50; ++i) addSupplier(db.conn(), QStringLiteral("厂%1").arg(i));
        MessageRecorder rec;
        SupplierList w;
        w.show();
        // A folder that cannot be written: the system's failure message, nothing opened.
        xlsx::setExportDirectory(QStringLiteral("/proc/no-such-folder"));
        bool opened = false;
        xlsx::setOpener([&](QWidget *, const QString &) { return opened = true; });
        w.run(ListAction::Export);
        QCOMPARE(rec.texts(), QStringList{QStringLiteral("数据导出失败！")});
        QCOMPARE(rec.messages[0].kind, msg::Kind::Information);
        QVERIFY(!opened);
        xlsx::setOpener({});
        xlsx::setExportDirectory({});
        // Cancelling keeps the rows already written.
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("x.xlsx"));
        const auto r = xlsx::writeWorkbook(path, *DM1->AQghs1, xlsx::gridColumns(w.grid()), [](int done) { return done < 10; });
        QCOMPARE(r, xlsx::Result::Cancelled);
        QCOMPARE(readWorkbook(path).value(QStringLiteral("rows")).toArray().size(), 11);
    }

    void exportToldWhereWhenNothingOpensIt()
    {
        // A desktop whose opener finds no program for the workbook.
        QTemporaryDir bin;
        QFile fake(bin.filePath(QStringLiteral("xdg-open")));
        QVERIFY(fake.open(QIODevice::WriteOnly));
        fake.write("#!/bin/sh\nexit 3\n");
        fake.close();
        fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()) + ":/usr/bin:/bin");
        TempDb db;
        addSupplier(db.conn(), QStringLiteral("甲厂"));
        QTemporaryDir out;
        xlsx::setExportDirectory(out.path());
        MessageRecorder rec;
        SupplierList w;
        w.show();
        w.run(ListAction::Export);
        QTRY_COMPARE(rec.messages.size(), size_t(1));
        qputenv("PATH", oldPath);
        xlsx::setExportDirectory({});
        const QStringList files = QDir(out.path()).entryList({QStringLiteral("*.xlsx")});
        QCOMPARE(files.size(), 1);
        QVERIFY(files[0].startsWith(QStringLiteral("厂商资料_")));
        QCOMPARE(rec.messages[0].kind, msg::Kind::Information);
        QVERIFY(rec.lastText().contains(QDir::toNativeSeparators(out.filePath(files[0]))));
    }

    void exportKeepsTheWindowResponsive()
    {
        TempDb db;
        {
            Connection::Transaction t(db.conn());
            for (int i = 0; i < 40000; ++i)
                addSupplier(db.conn(), QStringLiteral("厂商名称%1").arg(i), QStringLiteral("联系人%1").arg(i), QStringLiteral("1390000%1").arg(i));
            t.commit();
        }
        QTemporaryDir out;
        xlsx::setExportDirectory(out.path());
        xlsx::setOpener([](QWidget *, const QString &) { return true; });
        SupplierList w;
        w.show();
        QElapsedTimer clock;
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(5);
        clock.start();
        w.run(ListAction::Export);
        const qint64 took = clock.elapsed();
        timer.stop();
        xlsx::setOpener({});
        xlsx::setExportDirectory({});
        // Timers (and so painting and the cancel button) ran while the rows were written.
        QVERIFY2(ticks >= took / 200, qPrintable(QStringLiteral("%1 ticks in %2 ms").arg(ticks).arg(took)));
        QVERIFY(ticks > 0);
    }

    void chooserFillsOnlyItsCaller()
    {
        TempDb db;
        addSupplier(db.conn(), QStringLiteral("甲厂"));
        addSupplier(db.conn(), QStringLiteral("乙厂"), QString(), QStringLiteral("北京"));
        selection::registerBoxes(QStringLiteral("Chooser"), QStringLiteral("tjcg"), {{QStringLiteral("mc"), QStringLiteral("Edit5")}});
        QWidget purchase, payable;
        for (QWidget *caller : {&purchase, &payable})
            for (const char *n : {"Edit5", "Edit6"}) (new QLineEdit(caller))->setObjectName(QLatin1String(n));
        ChooserConfig cfg;
        cfg.title = QStringLiteral("选择厂商资料");
        cfg.thing = QStringLiteral("厂商");
        cfg.dataset = DM1->AQghs1;
        cfg.columns = supplierColumns();
        cfg.search = {Condition::like(QStringLiteral("厂商名称"), QStringLiteral("Edit1"), QStringLiteral("mc"), true)};
        MessageRecorder rec;
        Chooser ch(cfg, &payable);
        ch.setMode(QStringLiteral("tjcg"), &purchase);
        QCOMPARE(child<QLabel>(&ch, "xzbj")->text(), QStringLiteral("tjcg"));
        ch.show();
        QCOMPARE(DM1->AQghs1->recordCount(), 2);
        DM1->AQghs1->moveTo(1);
        QTest::keyClick(ch.grid(), Qt::Key_Return);
        QVERIFY(rec.messages.empty());
        QCOMPARE(child<QLineEdit>(&purchase, "Edit5")->text(), QStringLiteral("乙厂"));
        QVERIFY(child<QLineEdit>(&purchase, "Edit6")->text().isEmpty());
        QVERIFY(child<QLineEdit>(&payable, "Edit5")->text().isEmpty());
        QCOMPARE(ch.result(), int(QDialog::Accepted));
        // Nothing to choose: the message, and the dialog stays.
        Chooser ch2(cfg, &purchase);
        ch2.setMode(QStringLiteral("tjcg"));
        ch2.show();
        child<QLineEdit>(&ch2, "Edit1")->setText(QStringLiteral("无此厂"));
        ch2.runQuery();
        QVERIFY(!ch2.choose());
        QCOMPARE(rec.lastText(), QStringLiteral("没有厂商可选择！"));
        QVERIFY(ch2.isVisible());
    }
};

QTEST_MAIN(TstLists)
#include "tst_lists.moc"
