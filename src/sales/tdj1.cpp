#include "tdj1.h"
#include "dm1.h"
#include "schema.h"
#include <QLineEdit>

TFdj1::TFdj1(QWidget *parent) : CodeList([] {
    CodeListConfig c;
    c.title = QStringLiteral("会员等级设置");
    c.thing = QStringLiteral("等级");
    c.dataset = DM1->AQdj1;
    c.field = QStringLiteral("dj");
    c.columnTitle = QStringLiteral("等级");
    c.columnWidth = 160;
    GridColumn zk;
    zk.field = QStringLiteral("zk");
    zk.title = QStringLiteral("折扣");
    zk.width = 70;
    zk.align = Qt::AlignRight | Qt::AlignVCenter;
    c.moreColumns = {zk};
    // The level of the walk-in customers stays: every slip needs a member, and clearing keeps it.
    c.refuseDelete = [](const Dataset &ds) {
        return ds.text(QStringLiteral("dj")) == schema::walkInLevel() ? QStringLiteral("不可删除“无卡顾客”！") : QString();
    };
    c.makeAdd = [](QWidget *p) -> QDialog * {
        auto *d = new TFtjdj1(p);
        d->startAdd();
        return d;
    };
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Fdj1"));
}

TFtjdj1::TFtjdj1(QWidget *parent) : RecordDialog([] {
    RecordConfig c;
    c.thing = QStringLiteral("等级");
    c.titleThing = QStringLiteral("会员等级");
    c.dataset = DM1->AQdj1;
    FieldSpec dj{QStringLiteral("dj"), QStringLiteral("等级"), QStringLiteral("Edit1")};
    dj.required = true;
    FieldSpec zk{QStringLiteral("zk"), QStringLiteral("折扣"), QStringLiteral("Edit2"), BoxKind::Number};
    zk.initial = QStringLiteral("1");
    zk.decimals = -1;
    c.fields = {dj, zk};
    c.fixedSize = QSize(320, 150);
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Ftjdj1"));
    addTextBeside(QStringLiteral("zk"), QStringLiteral("0.8为八折"));
    // An emptied discount means full price: "1", not the "0" of other number boxes.
    QLineEdit *zk = edit(QStringLiteral("zk"));
    disconnect(zk, &QLineEdit::textChanged, zk, nullptr);
    connect(zk, &QLineEdit::textChanged, zk, [zk](const QString &t) {
        if (!t.isEmpty()) return;
        zk->setText(QStringLiteral("1"));
        zk->selectAll();
    });
}
