#include "ntoc1.h"
#include "capitals.h"
#include "decimal.h"
#include "keys.h"
#include "messages.h"
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFntoc1::TFntoc1(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Fntoc1"));
    setWindowTitle(QStringLiteral("人民币大小写转换"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(10);
    grid->addWidget(new QLabel(QStringLiteral("金额小写"), this), 0, 0);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("金额大写"), this), 1, 0);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setReadOnly(true);
    Edit2->setMinimumWidth(320);
    grid->addWidget(Edit2, 1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    BitBtn1 = new QPushButton(QStringLiteral("转换"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    grid->addLayout(buttons, 2, 0, 1, 2);
    setTabOrder(Edit1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, Edit2);

    connect(BitBtn1, &QPushButton::clicked, this, &TFntoc1::convert);
    connect(BitBtn2, &QPushButton::clicked, this, &QWidget::close);
    Edit1->installEventFilter(this);
    keys::escCloses(this, [this] { close(); });
}

void TFntoc1::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (e->spontaneous()) return;
    Edit1->setText(QStringLiteral("0.00"));
    Edit2->setText(QStringLiteral("零"));
    Edit1->setFocus();
    Edit1->selectAll();
}

bool TFntoc1::eventFilter(QObject *obj, QEvent *ev)
{
    if (obj == Edit1 && ev->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(ev);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            convert();
            return true;
        }
        // Typing accepts digits and one point; editing keys and pasting pass.
        const QString t = k->text();
        if (t.size() == 1 && t.at(0).isPrint()) {
            const QChar c = t.at(0);
            if (c.isDigit() && c.unicode() < 128) return false;
            if (c == u'.' && (!Edit1->text().contains(u'.') || Edit1->selectedText().contains(u'.'))) return false;
            return true;
        }
    } else if (obj == Edit1 && ev->type() == QEvent::FocusOut) {
        tidyFigures();
    }
    return QWidget::eventFilter(obj, ev);
}

void TFntoc1::tidyFigures()
{
    const QString t = Edit1->text().trimmed();
    if (t.isEmpty()) {
        Edit1->setText(QStringLiteral("0.00"));
        return;
    }
    if (const auto v = Decimal::parse(t)) Edit1->setText(v->toFixed(2));
}

void TFntoc1::convert()
{
    const QString t = Edit1->text().trimmed();
    if (t.isEmpty()) {
        msg::info(this, QStringLiteral("小写金额不可为空！"));
        Edit1->setFocus();
        return;
    }
    const auto v = Decimal::parse(t);
    if (!v) {
        msg::info(this, QStringLiteral("小写金额不正确！"));
        Edit1->setFocus();
        Edit1->selectAll();
        return;
    }
    const QString capitals = amountInCapitals(*v);
    if (capitals.isEmpty()) {
        msg::info(this, QStringLiteral("金额超出转换范围！"));
        Edit1->setFocus();
        Edit1->selectAll();
        return;
    }
    Edit2->setText(capitals);
}
