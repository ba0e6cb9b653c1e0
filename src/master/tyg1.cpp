#include "tyg1.h"
#include "dm1.h"

namespace {
QList<GridColumn> employeeColumns()
{
    auto col = [](const char *field, const char *title, int width) {
        GridColumn c;
        c.field = QLatin1String(field);
        c.title = QString::fromUtf8(title);
        c.width = width;
        return c;
    };
    GridColumn wage = col("jbgz", "基本工资", 80);
    wage.align = Qt::AlignRight | Qt::AlignVCenter;
    wage.tint = moneyTint();
    wage.decimals = 2;
    return {col("xm", "姓名", 80), col("xb", "性别", 40), col("zw", "职务", 80), col("bm", "部门", 80),
            col("dh", "电话", 100), col("dz", "住址", 160), wage, col("sfz", "身份证号", 150), col("bz", "备注", 160)};
}
}

TFyg1::TFyg1(QWidget *parent) : ListWindow([] {
    ListConfig c;
    c.title = QStringLiteral("员工资料");
    c.thing = QStringLiteral("员工");
    c.dataset = DM1->AQyg1;
    c.columns = employeeColumns();
    c.tools = {{ListAction::Add, QStringLiteral("SB66")}, {ListAction::Change, QStringLiteral("SB77")},
               {ListAction::Delete, QStringLiteral("SB88")}, {ListAction::Export, QStringLiteral("SB99")},
               {ListAction::Close, QStringLiteral("SB100")}};
    c.enterMovesOn = true;
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Fyg1"));
}

RecordDialog *TFyg1::makeDialog() { return new TFtjyg1(this); }

TFtjyg1::TFtjyg1(QWidget *parent) : RecordDialog([] {
    RecordConfig c;
    c.thing = QStringLiteral("员工");
    c.titleThing = QStringLiteral("员工资料");
    c.dataset = DM1->AQyg1;
    FieldSpec name{QStringLiteral("xm"), QStringLiteral("姓名"), QStringLiteral("Edit1")};
    name.required = true;
    FieldSpec sex{QStringLiteral("xb"), QStringLiteral("性别"), QStringLiteral("ComboBox1"), BoxKind::Choice};
    sex.choices = {QStringLiteral("男"), QStringLiteral("女")};
    sex.initial = QStringLiteral("男");
    sex.required = true;
    sex.keepAfterAdd = true;
    FieldSpec wage{QStringLiteral("jbgz"), QStringLiteral("基本工资"), QStringLiteral("Edit6"), BoxKind::Number};
    wage.initial = QStringLiteral("0");
    c.fields = {name,
                sex,
                {QStringLiteral("zw"), QStringLiteral("职务"), QStringLiteral("Edit2")},
                {QStringLiteral("bm"), QStringLiteral("部门"), QStringLiteral("Edit3")},
                {QStringLiteral("dh"), QStringLiteral("电话"), QStringLiteral("Edit4")},
                {QStringLiteral("dz"), QStringLiteral("住址"), QStringLiteral("Edit5")},
                wage,
                {QStringLiteral("sfz"), QStringLiteral("身份证号"), QStringLiteral("Edit7"), BoxKind::Digits},
                {QStringLiteral("bz"), QStringLiteral("备注"), QStringLiteral("Edit8")}};
    c.columns = 2;
    c.note = QStringLiteral("带＊为必填项");
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Ftjyg1"));
}

TFyg2::TFyg2(QWidget *parent) : Chooser([] {
    ChooserConfig c;
    c.title = QStringLiteral("选择员工资料");
    c.thing = QStringLiteral("员工");
    c.dataset = DM1->AQyg1;
    c.columns = employeeColumns();
    c.search = {Condition::like(QStringLiteral("姓名"), QStringLiteral("Edit1"), QStringLiteral("xm"), true),
                Condition::like(QStringLiteral("部门"), QStringLiteral("Edit2"), QStringLiteral("bm"))};
    c.makeAdd = [](QWidget *parent) -> QDialog * {
        auto *d = new TFtjyg1(parent);
        d->startAdd();
        return d;
    };
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Fyg2"));
}
