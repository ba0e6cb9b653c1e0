#include "tlb1.h"
#include "dm1.h"

namespace {
RecordConfig codeAdd(Dataset *ds, const char *field, const char *label, const char *titleThing)
{
    RecordConfig c;
    c.thing = QString::fromUtf8(label);
    c.titleThing = QString::fromUtf8(titleThing);
    c.dataset = ds;
    FieldSpec f{QLatin1String(field), QString::fromUtf8(label), QStringLiteral("Edit1")};
    f.required = true;
    c.fields = {f};
    c.fixedSize = QSize(300, 120);
    return c;
}
}

TFlb1::TFlb1(QWidget *parent) : CodeList([] {
    CodeListConfig c;
    c.title = QStringLiteral("商品类别设置");
    c.thing = QStringLiteral("类别");
    c.dataset = DM1->AQlb1;
    c.field = QStringLiteral("lb");
    c.columnTitle = QStringLiteral("类别");
    c.makeAdd = [](QWidget *p) -> QDialog * {
        auto *d = new TFtjlb1(p);
        d->startAdd();
        return d;
    };
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Flb1"));
}

TFtjlb1::TFtjlb1(QWidget *parent) : RecordDialog(codeAdd(DM1->AQlb1, "lb", "类别", "商品类别"), parent)
{
    setObjectName(QStringLiteral("Ftjlb1"));
}

TFdw1::TFdw1(QWidget *parent) : CodeList([] {
    CodeListConfig c;
    c.title = QStringLiteral("计量单位设置");
    c.thing = QStringLiteral("单位");
    c.dataset = DM1->AQdw1;
    c.field = QStringLiteral("dw");
    c.columnTitle = QStringLiteral("计量单位");
    c.titleSort = false;
    c.hasMode = true;
    c.makeAdd = [](QWidget *p) -> QDialog * {
        auto *d = new TFtjdw1(p);
        d->startAdd();
        return d;
    };
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Fdw1"));
}

TFtjdw1::TFtjdw1(QWidget *parent) : RecordDialog(codeAdd(DM1->AQdw1, "dw", "单位", "计量单位"), parent)
{
    setObjectName(QStringLiteral("Ftjdw1"));
}
