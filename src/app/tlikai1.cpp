#include "tlikai1.h"
#include "application.h"
#include "dm1.h"
#include "guard.h"
#include "keys.h"
#include "password.h"
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFlikai1::TFlikai1(const QString &operatorName, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("Flikai1"));
    setWindowTitle(QStringLiteral("本系统已被锁定，请输入用户密码，解除锁定"));
    Edit1 = new QLineEdit(operatorName, this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setEchoMode(QLineEdit::Password);
    BitBtn1 = new QPushButton(QStringLiteral("解锁"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    for (auto *b : {BitBtn1, BitBtn2}) b->setAutoDefault(false);
    auto *g = new QGridLayout(this);
    g->addWidget(new QLabel(QStringLiteral("当前用户"), this), 0, 0);
    g->addWidget(Edit1, 0, 1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("用户密码"), this), 1, 0);
    g->addWidget(Edit2, 1, 1, 1, 2);
    g->addWidget(BitBtn1, 2, 1);
    g->addWidget(BitBtn2, 2, 2);
    g->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(420);
    keys::installDialogKeys(this, Edit2, BitBtn1); // Esc does not unlock
    connect(BitBtn1, &QPushButton::clicked, this, [this] { guarded([this] { unlock(); }); });
    // "取消" ends the program at once: no quit question, no backup offer.
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        QDialog::reject();
        app::endProgram();
    });
}

void TFlikai1::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    Edit2->clear();
    Edit2->setFocus();
}

void TFlikai1::unlock()
{
    Dataset *q = DM1->AQyhsz1;
    q->clearSql();
    q->addSql(QStringLiteral("SELECT * FROM yhsz"));
    q->addSql(QStringLiteral("where yhmc=:name"));
    q->bind(QStringLiteral(":name"), Edit1->text());
    q->open();
    if (q->eof()) return;
    if (password::verify(q->text(QStringLiteral("yhmm")), Edit2->text())) accept();
    else msg::info(this, QStringLiteral("密码错误，不可解锁！"));
}

void TFlikai1::reject() {}
