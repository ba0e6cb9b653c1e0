#include "tsp1.h"
#include "dm1.h"
#include "frame.h"
#include "goodstree.h"
#include "guard.h"
#include "keys.h"
#include "messages.h"
#include "printing.h"
#include "selection.h"
#include "tlb1.h"
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

namespace goods {
GridColumn column(const QString &field)
{
    struct Spec {
        const char *field, *title;
        int width;
        char kind; // t text, c centred text, m money, n number, r right-aligned text
    };
    static const Spec specs[] = {
        {"txm", "条码", 110, 'c'},      {"ppgg", "品名规格型号", 200, 't'}, {"dw", "单位", 44, 'c'},
        {"jj", "采购单价", 70, 'm'},    {"xj", "销售单价", 70, 'm'},       {"kcjg", "库存单价", 70, 'm'},
        {"kcsl", "库存数量", 70, 'n'},  {"kcje", "库存金额", 80, 'm'},     {"slt", "数量提成", 66, 'm'},
        {"jet", "金额提成", 66, 'n'},   {"jfjs", "积分基数", 66, 'n'},     {"ms", "商品描述", 120, 't'},
        {"bz", "备注", 120, 't'},       {"ztbj", "打折标记", 60, 'r'},     {"lb", "类别", 80, 't'},
    };
    GridColumn c;
    c.field = field;
    for (const Spec &s : specs) {
        if (field != QLatin1String(s.field)) continue;
        c.title = QString::fromUtf8(s.title);
        c.width = s.width;
        switch (s.kind) {
        case 'c': c.align = Qt::AlignCenter; break;
        case 'm': c.align = Qt::AlignRight | Qt::AlignVCenter; c.tint = moneyTint(); c.decimals = 2; break;
        case 'n':
        case 'r': c.align = Qt::AlignRight | Qt::AlignVCenter; break;
        default: break;
        }
    }
    return c;
}

QColor rowColor(const Dataset &ds, int row)
{
    const int c = ds.fieldIndex(QStringLiteral("ztbj"));
    if (c >= 0 && ds.textAt(row, c) == QStringLiteral("不打折")) return warningText();
    return {};
}

namespace {
QList<GridColumn> columns(std::initializer_list<const char *> fields, const QHash<QString, QString> &titles = {})
{
    QList<GridColumn> out;
    for (const char *f : fields) {
        GridColumn c = column(QLatin1String(f));
        if (titles.contains(c.field)) c.title = titles.value(c.field);
        out << c;
    }
    return out;
}

ChooserConfig chooserConfig(QList<GridColumn> cols)
{
    ChooserConfig c;
    c.title = QStringLiteral("选择商品资料");
    c.thing = QStringLiteral("商品");
    c.dataset = DM1->AQsp1;
    c.columns = std::move(cols);
    c.search = {Condition::like(QStringLiteral("品名规格"), QStringLiteral("Edit2"), QStringLiteral("ppgg"), true),
                Condition::like(QStringLiteral("商品条码"), QStringLiteral("Edit3"), QStringLiteral("txm"), true)};
    c.makeAdd = [](QWidget *parent) -> QDialog * {
        auto *d = new TFtjsp1(parent);
        d->startAdd();
        return d;
    };
    c.size = QSize(900, 520);
    return c;
}
}
}

// ---------------------------------------------------------------- goods list

TFsp1::TFsp1(QWidget *parent) : ListWindow([] {
    ListConfig c;
    c.title = QStringLiteral("商品资料");
    c.thing = QStringLiteral("商品");
    c.dataset = DM1->AQsp1;
    c.columns = goods::columns({"txm", "ppgg", "dw", "jj", "xj", "kcjg", "kcsl", "kcje", "slt", "jet", "jfjs",
                                "ms", "bz", "ztbj", "lb"});
    c.tools = {{ListAction::Import, QStringLiteral("SB55")}, {ListAction::Add, QStringLiteral("SB66")},
               {ListAction::Change, QStringLiteral("SB77")}, {ListAction::Delete, QStringLiteral("SB88")},
               {ListAction::Query, QStringLiteral("SB11")}, {ListAction::Print, QStringLiteral("SB22")},
               {ListAction::Export, QStringLiteral("SB99")}, {ListAction::Close, QStringLiteral("SB100")}};
    c.legends = {{warningText(), QStringLiteral("不打折商品")}};
    c.enterMovesOn = true;
    c.rowTextColor = goods::rowColor;
    c.size = QSize(1000, 560);
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Fsp1"));
    m_tree = new CategoryTree(dataset(), [this] { refreshStatus(); }, this);
    setSidePanel(m_tree, 140);
    addMenuSeparator();
    addMenuEntry(QStringLiteral("改标记：不打折"), [this] { setMarker(QStringLiteral("不打折")); });
    addMenuEntry(QStringLiteral("改标记：打折"), [this] { setMarker(QStringLiteral("打折")); });
}

RecordDialog *TFsp1::makeDialog() { return new TFtjsp1(this); }

QueryDialog *TFsp1::makeQuery() { return new TFcxsp1(this, QStringLiteral("sp")); }

void TFsp1::printList()
{
    PrintJob job = listPrintJob(QStringLiteral("TFsp1"));
    job.statusBar = statusBar();
    ::printList(this, job);
}

void TFsp1::onImport()
{
    if (!requireOpen()) return;
    // The spreadsheet import, when this build has it: title, table and template it is given.
    QWidget *w = screens::create(QStringLiteral("TFdr1"), this);
    if (!w) return;
    w->setWindowTitle(QStringLiteral("导入商品资料"));
    w->setProperty("table", QStringLiteral("sp"));
    w->setProperty("templatePath", QDir(QCoreApplication::applicationDirPath())
                                       .filePath(QStringLiteral("数据导入模版/商品资料.xls")));
    if (auto *d = qobject_cast<QDialog *>(w)) d->exec();
    delete w;
    refreshStatus();
}

void TFsp1::setMarker(const QString &marker)
{
    Dataset *ds = dataset();
    if (!ds->isOpen()) {
        msg::warning(this, QStringLiteral("数据表未打开，请先查询！"));
        return;
    }
    if (ds->isEmpty() || ds->recNo() < 0) {
        msg::warning(this, QStringLiteral("没有商品可修改！"));
        return;
    }
    guarded([&] {
        try {
            ds->edit();
            ds->setValue(QStringLiteral("ztbj"), marker);
            ds->post();
        } catch (...) {
            ds->cancel();
            throw;
        }
    });
}

// ---------------------------------------------------------------- goods dialog

TFtjsp1::TFtjsp1(QWidget *parent) : RecordDialog([] {
    RecordConfig c;
    c.thing = QStringLiteral("商品");
    c.titleThing = QStringLiteral("商品资料");
    c.dataset = DM1->AQsp1;
    auto field = [](const char *f, const char *label, const char *box, BoxKind kind = BoxKind::Text) {
        FieldSpec s{QLatin1String(f), QString::fromUtf8(label), QLatin1String(box), kind};
        // A series of similar articles: after a save only the barcode starts again.
        s.keepAfterAdd = true;
        if (kind == BoxKind::Number) s.initial = QStringLiteral("0");
        return s;
    };
    FieldSpec lb = field("lb", "类别", "Edit1", BoxKind::ReadOnly);
    lb.required = true;
    FieldSpec ppgg = field("ppgg", "品名规格", "Edit2");
    ppgg.required = true;
    ppgg.requiredText = QStringLiteral("品名规格型号不可为空！");
    FieldSpec txm = field("txm", "商品条码", "Edit3");
    txm.initial = QStringLiteral("无");
    txm.keepAfterAdd = false;
    FieldSpec dw = field("dw", "计量单位", "Edit4", BoxKind::ReadOnly);
    dw.required = true;
    c.fields = {lb, ppgg, txm, dw,
                field("jj", "采购单价", "Edit5", BoxKind::Number), field("xj", "销售单价", "Edit6", BoxKind::Number),
                field("slt", "数量提成", "Edit7", BoxKind::Number), field("jet", "金额提成", "Edit8", BoxKind::Number),
                field("kcsl", "库存数量", "Edit9", BoxKind::Number), field("kcjg", "库存单价", "Edit10", BoxKind::Number),
                field("jfjs", "积分基数", "Edit11", BoxKind::Number), field("ms", "商品描述", "Edit12"),
                field("bz", "备注", "Edit13")};
    c.uniqueFields = {QStringLiteral("ppgg"), QStringLiteral("txm"), QStringLiteral("dw")};
    c.duplicateFocus = QStringLiteral("Edit3");
    c.focusAfterAdd = QStringLiteral("Edit2");
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Ftjsp1"));
    addButtonBeside(QStringLiteral("lb"), QStringLiteral("选择商品类别"), [this] { chooseCategory(); });
    addButtonBeside(QStringLiteral("dw"), QStringLiteral("选择计量单位"), [this] { chooseUnit(); });
    addTextBeside(QStringLiteral("jfjs"), QStringLiteral("1元积几分，10元积1分，填写0.1"));
    QLineEdit *barcode = edit(QStringLiteral("txm"));
    connect(barcode, &QLineEdit::textChanged, this, [barcode](const QString &t) {
        if (!t.isEmpty()) return;
        barcode->setText(QStringLiteral("无"));
        barcode->selectAll();
    });
    // Enter in an empty category or unit box opens its list; with a value it moves on.
    for (const auto &[field, open] : {std::pair{QStringLiteral("lb"), &TFtjsp1::chooseCategory},
                                      std::pair{QStringLiteral("dw"), &TFtjsp1::chooseUnit}}) {
        QLineEdit *e = edit(field);
        e->installEventFilter(this);
        navigator()->callOn(e, [this, e, open] {
            if (e->text().trimmed().isEmpty()) (this->*open)();
            else focusNextChild();
        });
    }
}

bool TFtjsp1::eventFilter(QObject *obj, QEvent *ev)
{
    if (ev->type() == QEvent::MouseButtonDblClick) {
        if (obj == edit(QStringLiteral("lb"))) { chooseCategory(); return true; }
        if (obj == edit(QStringLiteral("dw"))) { chooseUnit(); return true; }
    }
    return RecordDialog::eventFilter(obj, ev);
}

void TFtjsp1::chooseCategory()
{
    TFlb1 list(this);
    list.exec();
}

void TFtjsp1::chooseUnit()
{
    TFdw1 list(this);
    list.setMode(QStringLiteral("tjsp"), this);
    list.exec();
}

bool TFtjsp1::checkExtra()
{
    QLineEdit *barcode = edit(QStringLiteral("txm"));
    if (barcode->text().trimmed().isEmpty()) barcode->setText(QStringLiteral("无"));
    if (mode() != Mode::Change) return true;
    // Stock postings find an article by its barcode, name and unit: a change may not make it
    // the same article as another row.
    bool taken = false;
    Dataset *ds = config().dataset;
    if (!guarded([&] {
            taken = ds->connection().exists(
                QStringLiteral("select id from sp where ppgg=? and txm=? and dw=? and id<>?"),
                {{{}, boxText(QStringLiteral("ppgg")).trimmed()}, {{}, barcode->text().trimmed()},
                 {{}, boxText(QStringLiteral("dw")).trimmed()}, {{}, ds->integer(QStringLiteral("id"))}});
        }))
        return false;
    if (!taken) return true;
    msg::warning(this, QStringLiteral("商品不可重复！"));
    focusBox(barcode);
    return false;
}

void TFtjsp1::writeExtra(Dataset &ds)
{
    // Stock value at cost: quantity times unit cost, to the cent.
    const Decimal qty = Decimal::parseOr(boxText(QStringLiteral("kcsl")));
    const Decimal cost = Decimal::parseOr(boxText(QStringLiteral("kcjg")));
    ds.setValue(QStringLiteral("kcje"), QVariant::fromValue(Decimal::mul2(qty, cost)));
    if (mode() == Mode::Add) ds.setValue(QStringLiteral("ztbj"), QStringLiteral("打折"));
}

// ---------------------------------------------------------------- goods query

TFcxsp1::TFcxsp1(QWidget *parent, const QString &mode) : QueryDialog([&] {
    QueryConfig c;
    c.dataset = mode == QStringLiteral("kc") ? DM1->AQkcfx1 : DM1->AQsp1;
    c.select = QStringLiteral("SELECT * FROM sp");
    const Condition stock = Condition::choice(
        QStringLiteral("库存数量"), QStringLiteral("ComboBox1"),
        {QStringLiteral("全部"), QStringLiteral("库存＞0"), QStringLiteral("库存＝0"), QStringLiteral("库存＜0")},
        [](Filter &f, int index, const QString &) {
            switch (index) {
            case 1: f.raw(QStringLiteral("kcsl>0")); break;
            case 2: f.raw(QStringLiteral("kcsl=0")); break;
            case 3: f.raw(QStringLiteral("kcsl<0")); break;
            default: break;
            }
        });
    c.conditions = {Condition::like(QStringLiteral("商品条码"), QStringLiteral("Edit1"), QStringLiteral("txm"), true),
                    Condition::like(QStringLiteral("品名规格"), QStringLiteral("Edit2"), QStringLiteral("ppgg"), true),
                    Condition::like(QStringLiteral("商品类别"), QStringLiteral("Edit3"), QStringLiteral("lb"), true),
                    stock};
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Fcxsp1"));
    m_st1 = new QLabel(mode, this);
    m_st1->setObjectName(QStringLiteral("ST1"));
    m_st1->hide();
}

QString TFcxsp1::mode() const { return m_st1->text(); }

// ---------------------------------------------------------------- goods choosers

TFsp2::TFsp2(QWidget *parent)
    : Chooser(goods::chooserConfig(goods::columns({"txm", "ppgg", "dw", "kcsl", "jj", "kcjg", "ms", "bz", "ztbj", "lb"},
                                                  {{QStringLiteral("jj"), QStringLiteral("采购价")},
                                                   {QStringLiteral("kcjg"), QStringLiteral("成本价")}})),
              parent)
{
    setObjectName(QStringLiteral("Fsp2"));
    m_tree = new CategoryTree(DM1->AQsp1, {}, this);
    setSidePanel(m_tree, 140);
}

void TFsp2::hidePrices(bool hide)
{
    for (const char *f : {"jj", "kcjg"}) {
        const int c = model()->columnOf(QLatin1String(f));
        if (c >= 0) grid()->setColumnHidden(c, hide);
    }
}

void TFsp2::done(int r)
{
    // The purchase entry looks the barcode up again when its chooser closes.
    if (mode() == QStringLiteral("tjcg") && caller())
        if (QWidget *sao = caller()->findChild<QWidget *>(QStringLiteral("sao")))
            selection::setBoxText(sao, QStringLiteral("sao"));
    Chooser::done(r);
}

TFsp3::TFsp3(QWidget *parent)
    : Chooser(goods::chooserConfig(goods::columns({"txm", "ppgg", "dw", "kcsl", "xj", "jfjs", "ms", "bz", "ztbj", "lb"},
                                                  {{QStringLiteral("xj"), QStringLiteral("销售价")}})),
              parent)
{
    setObjectName(QStringLiteral("Fsp3"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setMode(QStringLiteral("tjxs"));
    model()->rowTextColor = goods::rowColor;
    m_tree = new CategoryTree(DM1->AQsp1, {}, this);
    setSidePanel(m_tree, 140);
}

void TFsp3::done(int r)
{
    // "选择" adds a line and the window stays open for the next article.
    if (r == QDialog::Accepted) return;
    Chooser::done(r);
}
