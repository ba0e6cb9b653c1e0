#include "tghs1.h"
#include "dm1.h"
#include "frame.h"
#include "printing.h"
#include <QCoreApplication>
#include <QDir>

namespace {
QList<GridColumn> supplierColumns()
{
    auto col = [](const char *field, const char *title, int width) {
        GridColumn c;
        c.field = QLatin1String(field);
        c.title = QString::fromUtf8(title);
        c.width = width;
        return c;
    };
    return {col("mc", "名称", 160),     col("lxr", "联系人", 70),   col("lxdh", "联系方式", 100),
            col("lxcz", "传真号码", 100), col("lxdz", "联系地址", 180), col("yb", "邮政编码", 64),
            col("yhmc", "开户银行", 120), col("yhzh", "银行帐号", 140), col("bz", "备注", 140)};
}
}

TFghs1::TFghs1(QWidget *parent) : ListWindow([] {
    ListConfig c;
    c.title = QStringLiteral("厂商资料");
    c.thing = QStringLiteral("厂商");
    c.dataset = DM1->AQghs1;
    c.columns = supplierColumns();
    c.tools = {{ListAction::Import, QStringLiteral("SB55")}, {ListAction::Add, QStringLiteral("SB66")},
               {ListAction::Change, QStringLiteral("SB77")}, {ListAction::Delete, QStringLiteral("SB88")},
               {ListAction::Query, QStringLiteral("SB11")}, {ListAction::Print, QStringLiteral("SB22")},
               {ListAction::Export, QStringLiteral("SB99")}, {ListAction::Close, QStringLiteral("SB100")}};
    c.enterMovesOn = true;
    c.addNeedsOpen = true;
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Fghs1"));
}

RecordDialog *TFghs1::makeDialog() { return new TFtjghs1(this); }

QueryDialog *TFghs1::makeQuery() { return new TFcxghs1(this); }

void TFghs1::printList()
{
    PrintJob job = listPrintJob(QStringLiteral("TFghs1"));
    job.statusBar = statusBar();
    ::printList(this, job);
}

void TFghs1::onImport()
{
    if (!requireOpen()) return;
    QWidget *w = screens::create(QStringLiteral("TFdr1"), this);
    if (!w) return;
    w->setWindowTitle(QStringLiteral("导入厂商资料"));
    w->setProperty("table", QStringLiteral("ghs"));
    w->setProperty("templatePath", QDir(QCoreApplication::applicationDirPath())
                                       .filePath(QStringLiteral("数据导入模版/厂商资料.xls")));
    if (auto *d = qobject_cast<QDialog *>(w)) d->exec();
    delete w;
    refreshStatus();
}

TFtjghs1::TFtjghs1(QWidget *parent) : RecordDialog([] {
    RecordConfig c;
    c.thing = QStringLiteral("厂商");
    c.titleThing = QStringLiteral("厂商资料");
    c.dataset = DM1->AQghs1;
    FieldSpec name{QStringLiteral("mc"), QStringLiteral("名称"), QStringLiteral("Edit1")};
    name.required = true;
    c.fields = {name,
                {QStringLiteral("lxr"), QStringLiteral("联系人"), QStringLiteral("Edit2")},
                {QStringLiteral("lxdh"), QStringLiteral("联系方式"), QStringLiteral("Edit3")},
                {QStringLiteral("lxdz"), QStringLiteral("联系地址"), QStringLiteral("Edit4")},
                {QStringLiteral("lxcz"), QStringLiteral("传真号码"), QStringLiteral("Edit5")},
                {QStringLiteral("yb"), QStringLiteral("邮政编码"), QStringLiteral("Edit6"), BoxKind::Digits},
                {QStringLiteral("yhmc"), QStringLiteral("开户银行"), QStringLiteral("Edit7")},
                {QStringLiteral("yhzh"), QStringLiteral("银行帐号"), QStringLiteral("Edit8")},
                {QStringLiteral("bz"), QStringLiteral("备注"), QStringLiteral("Edit9")}};
    c.note = QStringLiteral("带＊为必填项");
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Ftjghs1"));
}

TFcxghs1::TFcxghs1(QWidget *parent) : QueryDialog([] {
    QueryConfig c;
    c.dataset = DM1->AQghs1;
    c.conditions = {Condition::like(QStringLiteral("名称"), QStringLiteral("Edit1"), QStringLiteral("mc"), true),
                    Condition::like(QStringLiteral("联系人"), QStringLiteral("Edit2"), QStringLiteral("lxr")),
                    Condition::like(QStringLiteral("联系方式"), QStringLiteral("Edit3"), QStringLiteral("lxdh")),
                    Condition::like(QStringLiteral("联系地址"), QStringLiteral("Edit4"), QStringLiteral("lxdz"))};
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Fcxghs1"));
}

TFghs2::TFghs2(QWidget *parent) : Chooser([] {
    ChooserConfig c;
    c.title = QStringLiteral("选择厂商资料");
    c.thing = QStringLiteral("厂商");
    c.dataset = DM1->AQghs1;
    c.columns = supplierColumns();
    c.search = {Condition::like(QStringLiteral("厂商名称"), QStringLiteral("Edit1"), QStringLiteral("mc"), true),
                Condition::like(QStringLiteral("联系地址"), QStringLiteral("Edit2"), QStringLiteral("lxdz"))};
    c.makeAdd = [](QWidget *parent) -> QDialog * {
        auto *d = new TFtjghs1(parent);
        d->startAdd();
        return d;
    };
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Fghs2"));
}
