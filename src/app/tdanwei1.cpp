#include "tdanwei1.h"
#include "dm1.h"
#include "guard.h"
#include "keys.h"
#include "messages.h"
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Box number -> column.
struct Box {
    int number;
    const char *field;
};
constexpr Box kBoxes[] = {{1, "mczc"}, {2, "mcdy"}, {3, "lxr"}, {4, "dh"}, {5, "cz"}, {6, "dz"},
                          {7, "bz1"}, {8, "bz2"}, {9, "dybz1"}, {11, "dybz2"}, {10, "dybz3"}, {12, "dybz4"}};
}

TFdanwei1::TFdanwei1(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Fdanwei1"));
    setWindowTitle(QStringLiteral("填写店铺信息"));
    for (int i = 1; i <= 12; ++i) {
        m_edit[i] = new QLineEdit(this);
        m_edit[i]->setObjectName(QStringLiteral("Edit") + QString::number(i));
    }
    m_print = new QComboBox(this);
    m_print->setObjectName(QStringLiteral("ComboBox1"));
    m_print->setEditable(true);
    m_print->setInsertPolicy(QComboBox::NoInsert);
    m_print->addItems({QStringLiteral("不同时打印"), QStringLiteral("同时打印小票"), QStringLiteral("同时打印单据")});

    auto *outer = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    auto pair = [&](int row, int col, const QString &label, QWidget *w) {
        auto *l = new QLabel(label, this);
        l->setBuddy(w);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(l, row, col * 2);
        grid->addWidget(w, row, col * 2 + 1);
    };
    pair(0, 0, QStringLiteral("店铺名称"), m_edit[1]);
    pair(0, 1, QStringLiteral("打印抬头"), m_edit[2]);
    pair(1, 0, QStringLiteral("负责人"), m_edit[3]);
    pair(1, 1, QStringLiteral("电话"), m_edit[4]);
    pair(2, 0, QStringLiteral("传真"), m_edit[5]);
    pair(2, 1, QStringLiteral("地址"), m_edit[6]);
    pair(3, 0, QStringLiteral("备注1"), m_edit[7]);
    pair(3, 1, QStringLiteral("备注2"), m_edit[8]);
    outer->addLayout(grid);
    auto *footers = new QHBoxLayout;
    auto footerBox = [&](const QString &title, QLineEdit *upper, QLineEdit *lower) {
        auto *g = new QGroupBox(title, this);
        auto *v = new QVBoxLayout(g);
        v->addWidget(upper);
        v->addWidget(lower);
        footers->addWidget(g);
    };
    footerBox(QStringLiteral("销售单据脚注（上下2行）"), m_edit[9], m_edit[11]);
    footerBox(QStringLiteral("销售小票脚注（上下2行）"), m_edit[10], m_edit[12]);
    outer->addLayout(footers);
    auto *printRow = new QHBoxLayout;
    auto *printLabel = new QLabel(QStringLiteral("销售时默认打印设置"), this);
    printLabel->setBuddy(m_print);
    printRow->addWidget(printLabel);
    printRow->addWidget(m_print, 1);
    printRow->addStretch(1);
    outer->addLayout(printRow);
    outer->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_save = new QPushButton(QStringLiteral("保存"), this);
    m_save->setObjectName(QStringLiteral("BitBtn1"));
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    m_close->setObjectName(QStringLiteral("BitBtn2"));
    buttons->addWidget(m_save);
    buttons->addWidget(m_close);
    outer->addLayout(buttons);

    // Row by row through 备注2, then the slip footers, the receipt footers, the print choice.
    const int order[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 10, 12};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(m_edit[order[i - 1]], m_edit[order[i]]);
    setTabOrder(m_edit[12], m_print);
    setTabOrder(m_print, m_save);
    setTabOrder(m_save, m_close);

    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    keys::installDialogKeys(this, m_print, m_save, m_close);
    setFixedSize(552, 433);
    load();
}

void TFdanwei1::load()
{
    guarded([&] {
        // A backup, restore or compaction closes the connection and the shop information with it.
        Dataset *ds = DM1->danwei();
        if (ds->isEmpty()) return;
        ds->first();
        for (const Box &b : kBoxes) m_edit[b.number]->setText(ds->text(QLatin1String(b.field)));
        m_print->setEditText(ds->text(QStringLiteral("dy")));
    });
}

void TFdanwei1::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    m_edit[1]->setFocus(Qt::OtherFocusReason);
}

bool TFdanwei1::save()
{
    if (m_edit[1]->text().trimmed().isEmpty()) {
        msg::info(this, QStringLiteral("店铺名称不可为空！"));
        m_edit[1]->setFocus();
        return false;
    }
    if (m_edit[2]->text().trimmed().isEmpty()) {
        msg::info(this, QStringLiteral("打印抬头不可为空！"));
        m_edit[2]->setFocus();
        return false;
    }
    if (m_print->currentText().trimmed().isEmpty()) {
        msg::info(this, QStringLiteral("销售打印设置不可为空！"));
        m_print->setFocus();
        return false;
    }
    const bool ok = guarded([&] {
        Dataset *ds = DM1->danwei();
        try {
            // The first row is the shop's; an empty table gets one.
            if (ds->isEmpty()) ds->append();
            else {
                ds->first();
                ds->edit();
            }
            // Stored as typed: blanks around the shop name are the operator's choice.
            for (const Box &b : kBoxes) ds->setValue(QLatin1String(b.field), m_edit[b.number]->text());
            ds->setValue(QStringLiteral("dy"), m_print->currentText());
            ds->post();
        } catch (...) {
            ds->cancel();
            throw;
        }
    });
    if (!ok) return false;
    accept();
    return true;
}
