#include "xsfx1.h"
#include "dm1.h"
#include "keys.h"
#include "printing.h"
#include <QPushButton>

namespace {
GridColumn col(const char *f, const char *t, int w, bool number = false, bool tint = false)
{
    GridColumn c;
    c.field = QLatin1String(f);
    c.title = QString::fromUtf8(t);
    c.width = w;
    if (number) c.align = Qt::AlignRight | Qt::AlignVCenter;
    if (tint) c.tint = QColor(204, 236, 255);
    return c;
}
}

TFxsfx1::TFxsfx1(QWidget *parent) : ListWindow([] {
    ListConfig c;
    c.title = QStringLiteral("销售明细表");
    c.thing = QStringLiteral("明细");
    c.dataset = DM1->AQxsfx1;
    c.columns = {col("rq", "日期", 90), col("txm", "条码", 120), col("ppgg", "品名规格型号", 200), col("dw", "单位", 50),
                 col("sl", "数量", 70, true, true), col("jg", "单价", 70, true), col("je", "金额", 80, true, true),
                 col("cbjg", "成本价", 70, true), col("cbje", "成本额", 80, true, true), col("maoli", "毛利润", 80, true, true),
                 col("hybm", "会员卡号", 90), col("hymc", "会员姓名", 90), col("jsr", "业务员", 70), col("bz", "备注", 120),
                 col("dh", "单号", 130)};
    c.tools = {{ListAction::Query, QStringLiteral("SB1")}, {ListAction::Print, QStringLiteral("SB2")},
               {ListAction::Export, QStringLiteral("SB3")}, {ListAction::Close, QStringLiteral("SB4")}};
    c.legends = {{warningText(), QStringLiteral("销售退货")}};
    c.panels = {QStringLiteral("总计"), QString(), QString(), QString(), QString(), QString(), QString(), QString(), QString(),
                QStringLiteral("默认显示当天数据")};
    c.panelWidths = {60, 20, 90, 20, 90, 20, 90, 90, 20, 140};
    c.countPanel = -1;
    c.menu = {ListAction::Query, ListAction::Print, ListAction::Export};
    c.doubleClick = ListAction::Compute; // nothing
    c.defaultFilter = [] {
        Filter f;
        f.equals(QStringLiteral("rq"), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
        return f;
    };
    // Returns, and lines of quantity nothing, in red.
    c.rowTextColor = [](const Dataset &ds, int row) {
        const int s = ds.fieldIndex(QStringLiteral("sl"));
        return s >= 0 && ds.decAt(row, s) <= Decimal() ? warningText() : QColor();
    };
    c.size = QSize(1100, 520);
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Fxsfx1"));
}

void TFxsfx1::refreshStatus()
{
    const Dataset &ds = *dataset();
    setPanel(2, total(ds, QStringLiteral("sl")).toPlain());
    setPanel(4, total(ds, QStringLiteral("je")).toPlain());
    setPanel(6, total(ds, QStringLiteral("cbje")).toPlain());
    setPanel(7, total(ds, QStringLiteral("maoli")).toPlain());
}

QueryDialog *TFxsfx1::makeQuery() { return new TFcxxs1(this); }

void TFxsfx1::printList()
{
    PrintJob job = listPrintJob(QStringLiteral("TFxsfx1"));
    job.statusBar = statusBar();
    ::printList(this, job);
}

TFcxxs1::TFcxxs1(QWidget *parent) : QueryDialog([] {
    QueryConfig c;
    c.dataset = DM1->AQxsfx1;
    const Condition dates = Condition::dateRange(QStringLiteral("日期从"), QStringLiteral("CheckBox1"), QStringLiteral("rq"));
    const Condition kind = Condition::choice(QStringLiteral("类　型"), QStringLiteral("ComboBox1"),
                                             {QStringLiteral("全部"), QStringLiteral("销货"), QStringLiteral("退货")},
                                             [](Filter &f, int index, const QString &) {
                                                 if (index == 1) f.raw(QStringLiteral("sl>0"));
                                                 if (index == 2) f.raw(QStringLiteral("sl<0"));
                                             });
    c.conditions = {Condition::like(QStringLiteral("会　员"), QStringLiteral("Edit1"), QStringLiteral("hybm"), true),
                    Condition::like(QStringLiteral("条　　码"), QStringLiteral("Edit2"), QStringLiteral("txm"), true),
                    Condition::like(QStringLiteral("品名规格"), QStringLiteral("Edit3"), QStringLiteral("ppgg"), true),
                    Condition::like(QStringLiteral("员　　工"), QStringLiteral("Edit4"), QStringLiteral("jsr"), true),
                    kind, dates};
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Fcxxs1"));
    auto *nav = new keys::EnterNavigator(this);
    nav->watchAll();
    nav->pressOn(findChild<QWidget *>(QStringLiteral("Edit4")), queryButton());
    nav->callOn(findChild<QWidget *>(QStringLiteral("ComboBox1")), [this] { findChild<QWidget *>(QStringLiteral("Edit2"))->setFocus(); });
}

void TFcxxs1::showEvent(QShowEvent *e)
{
    QueryDialog::showEvent(e);
    if (QWidget *w = findChild<QWidget *>(QStringLiteral("Edit2"))) w->setFocus();
}
