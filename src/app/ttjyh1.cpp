#include "ttjyh1.h"
#include "dm1.h"
#include "guard.h"
#include "keys.h"
#include "password.h"
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFtjyh1::TFtjyh1(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Ftjyh1"));
    ST1 = new QLabel(this);
    ST1->setObjectName(QStringLiteral("ST1"));
    ST1->hide();
    ST3 = new QLabel(QStringLiteral("用户密码"), this);
    ST3->setObjectName(QStringLiteral("ST3"));
    ST4 = new QLabel(QStringLiteral("密码确认"), this);
    ST4->setObjectName(QStringLiteral("ST4"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit3 = new QLineEdit(this);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit2->setEchoMode(QLineEdit::Password);
    Edit3->setEchoMode(QLineEdit::Password);
    BitBtn1 = new QPushButton(QStringLiteral("保存"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("关闭"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    for (auto *b : {BitBtn1, BitBtn2}) b->setAutoDefault(false);
    auto *g = new QGridLayout(this);
    g->addWidget(new QLabel(QStringLiteral("用户名称"), this), 0, 0);
    g->addWidget(Edit1, 0, 1, 1, 2);
    g->addWidget(ST3, 1, 0);
    g->addWidget(Edit2, 1, 1, 1, 2);
    g->addWidget(ST4, 2, 0);
    g->addWidget(Edit3, 2, 1, 1, 2);
    g->addWidget(BitBtn1, 3, 1);
    g->addWidget(BitBtn2, 3, 2);
    keys::installDialogKeys(this, Edit3, BitBtn1, BitBtn2);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { guarded([this] { save(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    setMode(QStringLiteral("新增操作员"));
}

QString TFtjyh1::mode() const { return ST1->text(); }

void TFtjyh1::setMode(const QString &mode, const QString &operatorName)
{
    ST1->setText(mode);
    setWindowTitle(mode);
    const bool add = mode == QStringLiteral("新增操作员");
    ST3->setText(add ? QStringLiteral("用户密码") : QStringLiteral("原设密码"));
    ST4->setText(add ? QStringLiteral("密码确认") : QStringLiteral("新设密码"));
    Edit1->setText(add ? QString() : operatorName);
    Edit1->setReadOnly(!add);
    Edit2->clear();
    Edit3->clear();
}

void TFtjyh1::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    (mode() == QStringLiteral("新增操作员") ? Edit1 : Edit2)->setFocus();
}

void TFtjyh1::save()
{
    Dataset *q = DM1->AQyhsz1;
    const QString m = mode();
    if (m == QStringLiteral("新增操作员")) {
        const QString name = Edit1->text().trimmed();
        if (name.isEmpty()) {
            msg::info(this, QStringLiteral("用户名称不可为空！"));
            Edit1->setFocus();
            return;
        }
        if (Edit2->text().trimmed() != Edit3->text().trimmed()) {
            msg::info(this, QStringLiteral("密码前后不一致！"));
            Edit3->setFocus();
            return;
        }
        if (DM1->ADOC1.exists(QStringLiteral("select yhmc from yhsz where yhmc=?"), {{{}, name}})) {
            msg::warning(this, QStringLiteral("用户名称不可重复！"));
            Edit1->setFocus();
            return;
        }
        if (!q->isOpen()) {
            q->setSql(QStringLiteral("SELECT * FROM yhsz"));
            q->open();
        }
        q->append();
        q->setValue(QStringLiteral("yhmc"), name);
        q->setValue(QStringLiteral("yhmm"), password::hash(Edit2->text().trimmed()));
        q->post();
        Edit1->clear();
        Edit2->clear();
        Edit3->clear();
        Edit1->setFocus();
        return;
    }
    if (m == QStringLiteral("修改操作员")) {
        if (!password::verify(q->text(QStringLiteral("yhmm")), Edit2->text())) {
            msg::info(this, QStringLiteral("原密码录入错误！"));
            return;
        }
        q->edit();
        q->setValue(QStringLiteral("yhmm"), password::hash(Edit3->text()));
        q->post();
        msg::info(this, QStringLiteral("修改成功！"));
        accept();
        return;
    }
    // 更改我的密码
    q->clearSql();
    q->addSql(QStringLiteral("SELECT * FROM yhsz"));
    q->addSql(QStringLiteral("where yhmc=:name"));
    q->bind(QStringLiteral(":name"), Edit1->text());
    q->open();
    if (q->eof()) return;
    if (!password::verify(q->text(QStringLiteral("yhmm")), Edit2->text())) {
        msg::info(this, QStringLiteral("原密码录入错误！"));
        return;
    }
    q->edit();
    q->setValue(QStringLiteral("yhmm"), password::hash(Edit3->text()));
    q->post();
    msg::info(this, QStringLiteral("密码更改成功！"));
    accept();
}
