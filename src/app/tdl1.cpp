#include "tdl1.h"
#include "application.h"
#include "dm1.h"
#include "guard.h"
#include "keys.h"
#include "password.h"
#include "pictures.h"
#include "schema.h"
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

TFdl1::TFdl1(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("Fdl1"));
    setWindowTitle(QStringLiteral("登录系统"));
    auto *pic = new pictures::Emblem(this);
    pic->setFixedSize(360, 120);
    auto *hint = new QLabel(QStringLiteral("系统管理员的默认密码") + schema::initialAdminPassword(), this);
    hint->setObjectName(QStringLiteral("Label3"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(false);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setEchoMode(QLineEdit::Password);
    SpeedButton1 = new QPushButton(QStringLiteral("确定"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton2 = new QPushButton(QStringLiteral("取消"), this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton1->setAutoDefault(false);
    SpeedButton2->setAutoDefault(false);

    auto *g = new QGridLayout(this);
    g->addWidget(pic, 0, 0, 1, 3);
    g->addWidget(hint, 1, 0, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("用户名称"), this), 2, 0);
    g->addWidget(ComboBox1, 2, 1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("用户密码"), this), 3, 0);
    g->addWidget(Edit1, 3, 1, 1, 2);
    g->addWidget(SpeedButton1, 4, 1);
    g->addWidget(SpeedButton2, 4, 2);
    g->setSizeConstraint(QLayout::SetFixedSize);

    keys::installDialogKeys(this, Edit1, SpeedButton1); // Esc: keyPressEvent presses "取消"
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { guarded([this] { ok(); }); });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] {
        m_cancelled = true;
        QDialog::reject();
    });
}

void TFdl1::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    Edit1->clear();
    ComboBox1->clear();
    guarded([this] {
        Dataset *q = DM1->AQyhsz1;
        q->setSql(QStringLiteral("select yhmc from yhsz"));
        q->open();
        for (q->first(); !q->eof(); q->next()) ComboBox1->addItem(q->text(QStringLiteral("yhmc")));
    });
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setFocus();
    if (!app::automationLog().isEmpty()) {
        app::automationNote(QStringLiteral("login|") + windowTitle() + u'|' + ComboBox1->itemText(0));
        QTimer::singleShot(0, SpeedButton2, &QPushButton::click);
    }
}

void TFdl1::ok()
{
    const QString name = ComboBox1->currentText().trimmed();
    if (name.isEmpty()) {
        msg::info(this, QStringLiteral("请选择用户名称！"));
        ComboBox1->setFocus();
        return;
    }
    Dataset *q = DM1->AQyhsz1;
    q->clearSql();
    q->addSql(QStringLiteral("select * from yhsz where yhmc=:name"));
    q->bind(QStringLiteral(":name"), name);
    q->open();
    if (q->eof()) {
        msg::info(this, QStringLiteral("该用户不存在！"));
        return;
    }
    if (!password::verify(q->text(QStringLiteral("yhmm")), Edit1->text())) {
        msg::info(this, QStringLiteral("用户密码不正确！"));
        return;
    }
    accept();
}

void TFdl1::reject()
{
    // Esc presses "取消"; nothing else closes the dialog without a login.
    SpeedButton2->click();
}

void TFdl1::closeEvent(QCloseEvent *e)
{
    if (result() == QDialog::Accepted || m_cancelled) e->accept();
    else e->ignore(); // Alt+F4 is swallowed
}

void TFdl1::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        SpeedButton2->click();
        return;
    }
    if (e->key() == Qt::Key_F4 && (e->modifiers() & Qt::AltModifier)) return;
    QDialog::keyPressEvent(e);
}
