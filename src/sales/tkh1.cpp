#include "tkh1.h"
#include "dates.h"
#include "dm1.h"
#include "frame.h"
#include "guard.h"
#include "keys.h"
#include "messages.h"
#include "printing.h"
#include "tdj1.h"
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace members {
namespace {
QDate g_today;
}
QDate today() { return g_today.isValid() ? g_today : QDate::currentDate(); }
void setToday(const QDate &d) { g_today = d; }

QList<GridColumn> columns()
{
    auto col = [](const char *field, const char *title, int width, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
        GridColumn c;
        c.field = QLatin1String(field);
        c.title = QString::fromUtf8(title);
        c.width = width;
        c.align = align;
        return c;
    };
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    GridColumn spent = col("zxf", "总消费", 80, right);
    spent.tint = moneyTint();
    spent.decimals = 2;
    return {col("bm", "会员卡号", 90),      col("mc", "会员姓名", 80),   col("xb", "性别", 40, Qt::AlignCenter),
            col("dj", "会员等级", 80),      col("zk", "会员折扣", 60, right), col("zjf", "总积分", 70, right),
            spent,                          col("zj", "证件编码", 130),  col("yb", "邮政编码", 64),
            col("csrq", "出生日期", 70),    col("lxdh", "联系方式", 100), col("lxdz", "联系地址", 160),
            col("bz", "备注", 100),         col("kkrq", "开卡日期", 80), col("ztbj", "可用标记", 60, Qt::AlignCenter)};
}

QColor rowColor(const Dataset &ds, int row)
{
    const int c = ds.fieldIndex(QStringLiteral("ztbj"));
    if (c >= 0 && ds.textAt(row, c) == QStringLiteral("不可用")) return warningText();
    return {};
}
}

// ---------------------------------------------------------------- member list

TFkh1::TFkh1(QWidget *parent) : ListWindow([] {
    ListConfig c;
    c.title = QStringLiteral("会员资料");
    c.thing = QStringLiteral("会员");
    c.dataset = DM1->AQkh1;
    c.columns = members::columns();
    c.tools = {{ListAction::Import, QStringLiteral("SB55")}, {ListAction::Add, QStringLiteral("SB66")},
               {ListAction::Change, QStringLiteral("SB77")}, {ListAction::Delete, QStringLiteral("SB88")},
               {ListAction::Query, QStringLiteral("SB11")}, {ListAction::Print, QStringLiteral("SB22")},
               {ListAction::Export, QStringLiteral("SB99")}, {ListAction::Close, QStringLiteral("SB100")}};
    c.legends = {{warningText(), QStringLiteral("不可用会员")}};
    c.rowTextColor = members::rowColor;
    c.size = QSize(1000, 560);
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Fkh1"));
    addMenuSeparator();
    addMenuEntry(QStringLiteral("改标记：不可用"), [this] { setMarker(QStringLiteral("不可用")); });
    addMenuEntry(QStringLiteral("改标记：可用"), [this] { setMarker(QStringLiteral("可用")); });
}

RecordDialog *TFkh1::makeDialog() { return new TFtjkh1(this); }

QueryDialog *TFkh1::makeQuery() { return new TFcxkh1(this); }

void TFkh1::printList()
{
    PrintJob job = listPrintJob(QStringLiteral("TFkh1"));
    job.statusBar = statusBar();
    ::printList(this, job);
}

void TFkh1::onImport()
{
    if (!requireOpen()) return;
    QWidget *w = screens::create(QStringLiteral("TFdr1"), this);
    if (!w) return;
    w->setWindowTitle(QStringLiteral("导入会员资料"));
    w->setProperty("table", QStringLiteral("kh"));
    w->setProperty("templatePath", QDir(QCoreApplication::applicationDirPath())
                                       .filePath(QStringLiteral("数据导入模版/会员资料.xls")));
    if (auto *d = qobject_cast<QDialog *>(w)) d->exec();
    delete w;
    refreshStatus();
}

void TFkh1::setMarker(const QString &status)
{
    if (!requireRecord(config().nothingToChange)) return;
    Dataset *ds = dataset();
    if (ds->text(QStringLiteral("ztbj")) == status) {
        msg::warning(this, u"“" + status + QStringLiteral("”标记，无须修改！"));
        return;
    }
    guarded([&] {
        try {
            ds->edit();
            ds->setValue(QStringLiteral("ztbj"), status);
            ds->post();
        } catch (...) {
            ds->cancel();
            throw;
        }
    });
}

// ---------------------------------------------------------------- member dialog

TFtjkh1::TFtjkh1(QWidget *parent) : RecordDialog([] {
    RecordConfig c;
    c.thing = QStringLiteral("会员卡号");
    c.titleThing = QStringLiteral("会员资料");
    c.dataset = DM1->AQkh1;
    auto f = [](const char *field, const char *label, const char *box, BoxKind kind = BoxKind::Text) {
        return FieldSpec{QLatin1String(field), QString::fromUtf8(label), QLatin1String(box), kind};
    };
    FieldSpec bm = f("bm", "会员卡号", "Edit1");
    bm.required = true;
    FieldSpec mc = f("mc", "会员姓名", "Edit2");
    mc.required = true;
    FieldSpec xb = f("xb", "会员性别", "ComboBox1", BoxKind::Choice);
    xb.choices = {QStringLiteral("男"), QStringLiteral("女")};
    xb.initial = QStringLiteral("女");
    xb.required = true;
    xb.keepAfterAdd = true;
    FieldSpec dj = f("dj", "会员等级", "Edit8", BoxKind::ReadOnly);
    dj.required = true;
    dj.keepAfterAdd = true;
    FieldSpec zk = f("zk", "会员折扣", "Edit9", BoxKind::ReadOnly);
    zk.initial = QStringLiteral("1");
    zk.keepAfterAdd = true;
    FieldSpec zjf = f("zjf", "总积分", "Edit10", BoxKind::Number);
    zjf.initial = QStringLiteral("0");
    FieldSpec zxf = f("zxf", "总消费", "Edit11", BoxKind::Number);
    zxf.initial = QStringLiteral("0");
    c.fields = {bm, mc, xb, f("csrq", "出生日期", "Edit3"), f("zj", "证件编码", "Edit4"), f("yb", "邮政编码", "Edit5"),
                f("lxdh", "联系方式", "Edit6"), f("lxdz", "联系地址", "Edit7"), dj, zk, zjf, zxf,
                f("bz", "备注", "Edit12")};
    c.duplicateFocus = QStringLiteral("Edit2");
    c.columns = 2;
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Ftjkh1"));
    // Birth date (yyyymmdd) and post code: digits and points only, 8 and 6 characters at most.
    for (const auto &[field, length] : {std::pair{QStringLiteral("csrq"), 8}, std::pair{QStringLiteral("yb"), 6}}) {
        QLineEdit *e = edit(field);
        e->setMaxLength(length);
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), e));
    }
    addTextBeside(QStringLiteral("csrq"), QStringLiteral("格式19900205"));
    addButtonBeside(QStringLiteral("dj"), QStringLiteral("选择等级"), [this] { chooseLevel(); });
    QLineEdit *level = edit(QStringLiteral("dj"));
    level->installEventFilter(this);
    // Enter in an empty level box opens the levels; with a level it goes on to the points.
    navigator()->callOn(level, [this, level] {
        if (level->text().trimmed().isEmpty()) chooseLevel();
        else focusBox(edit(QStringLiteral("zjf")));
    });
    setFixedSize(sizeHint());
}

bool TFtjkh1::eventFilter(QObject *obj, QEvent *ev)
{
    if (ev->type() == QEvent::MouseButtonDblClick && obj == edit(QStringLiteral("dj"))) {
        chooseLevel();
        return true;
    }
    return RecordDialog::eventFilter(obj, ev);
}

void TFtjkh1::chooseLevel()
{
    TFdj1 list(this);
    list.exec();
}

void TFtjkh1::writeExtra(Dataset &ds)
{
    // The opening date is the day of the last save, on add and on every change.
    ds.setValue(QStringLiteral("kkrq"), dates::iso(members::today()));
    if (mode() == Mode::Add) ds.setValue(QStringLiteral("ztbj"), QStringLiteral("可用"));
}

// ---------------------------------------------------------------- member query

TFcxkh1::TFcxkh1(QWidget *parent) : QueryDialog([] {
    QueryConfig c;
    c.dataset = DM1->AQkh1;
    const Condition range = Condition::dateRange(QStringLiteral("日期从"), QStringLiteral("CheckBox1"), QStringLiteral("kkrq"));
    // Birth dates are yyyymmdd: the birthday is the last four characters, counted across the year's end.
    const Condition birthday = Condition::choice(
        QStringLiteral("生　　日"), QStringLiteral("ComboBox1"),
        {QStringLiteral("全部"), QStringLiteral("今天"), QStringLiteral("明天"), QStringLiteral("后天")},
        [](Filter &f, int index, const QString &) {
            if (index >= 1 && index <= 3)
                f.pattern(QStringLiteral("csrq"), u'%' + dates::monthDay(members::today().addDays(index - 1)));
        });
    const Condition status = Condition::choice(
        QStringLiteral("状　　态"), QStringLiteral("ComboBox2"),
        {QStringLiteral("全部"), QStringLiteral("可用"), QStringLiteral("不可用")},
        [](Filter &f, int index, const QString &text) {
            if (index >= 1) f.equals(QStringLiteral("ztbj"), text);
        });
    c.conditions = {range,
                    Condition::like(QStringLiteral("卡　号"), QStringLiteral("Edit1"), QStringLiteral("bm"), true),
                    Condition::like(QStringLiteral("姓　名"), QStringLiteral("Edit2"), QStringLiteral("mc"), true),
                    birthday,
                    status,
                    Condition::like(QStringLiteral("电　　话"), QStringLiteral("Edit3"), QStringLiteral("lxdh")),
                    Condition::like(QStringLiteral("地　　址"), QStringLiteral("Edit4"), QStringLiteral("lxdz"))};
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Fcxkh1"));
}

// ---------------------------------------------------------------- member chooser

TFkh2::TFkh2(QWidget *parent) : Chooser([] {
    ChooserConfig c;
    c.title = QStringLiteral("选择会员资料");
    c.thing = QStringLiteral("会员");
    c.dataset = DM1->AQkh1;
    c.columns = members::columns();
    c.search = {Condition::like(QStringLiteral("会员卡号"), QStringLiteral("Edit1"), QStringLiteral("bm"), true),
                Condition::like(QStringLiteral("会员姓名"), QStringLiteral("Edit2"), QStringLiteral("mc"), true)};
    c.makeAdd = [](QWidget *parent) -> QDialog * {
        auto *d = new TFtjkh1(parent);
        d->startAdd();
        return d;
    };
    c.size = QSize(900, 500);
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Fkh2"));
    // Unusable members are listed (in red) and may be chosen: the slip refuses them itself.
    model()->rowTextColor = members::rowColor;
}
