#include "codelist.h"
#include "dataset.h"
#include "gridbehaviour.h"
#include "guard.h"
#include "keys.h"
#include "messages.h"
#include "querydialog.h"
#include "selection.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

CodeList::CodeList(CodeListConfig config, QWidget *parent) : QDialog(parent), m_cfg(std::move(config)), m_caller(parent)
{
    setWindowTitle(m_cfg.title);
    auto *outer = new QVBoxLayout(this);
    auto *panel = new QHBoxLayout;
    auto button = [this, panel](const char *text, const char *name) {
        auto *b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        panel->addWidget(b);
        return b;
    };
    QPushButton *xuan = button("选择", "xuan");
    QPushButton *xin = button("新增", "xin");
    QPushButton *chu = button("删除", "chu");
    QPushButton *guan = button("关闭", "guan");
    panel->addStretch();
    outer->addLayout(panel);
    if (m_cfg.hasMode) {
        m_xzbj = new QLabel(this);
        m_xzbj->setObjectName(QStringLiteral("xzbj"));
        m_xzbj->hide();
    }
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    GridColumn col;
    col.field = m_cfg.field;
    col.title = m_cfg.columnTitle;
    col.width = m_cfg.columnWidth;
    m_model = bindGrid(m_grid, m_cfg.dataset, QList<GridColumn>{col} + m_cfg.moreColumns);
    grid::standardLook(m_grid);
    if (m_cfg.titleSort) grid::enableTitleSort(m_grid, m_model);
    grid::onEnter(m_grid, [this] { choose(); });
    outer->addWidget(m_grid, 1);
    connect(m_grid, &QTableView::doubleClicked, this, [this] { choose(); });
    connect(xuan, &QPushButton::clicked, this, [this] { choose(); });
    connect(xin, &QPushButton::clicked, this, [this] { addNew(); });
    connect(chu, &QPushButton::clicked, this, [this] { removeCurrent(); });
    connect(guan, &QPushButton::clicked, this, &QDialog::reject);
    keys::installDialogKeys(this, nullptr, nullptr, guan);
    setFixedSize(m_cfg.size);
}

void CodeList::setMode(const QString &mode, QWidget *caller)
{
    m_mode = mode;
    if (m_xzbj) m_xzbj->setText(mode);
    if (caller) m_caller = caller;
}

void CodeList::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!m_filled) {
        m_filled = true;
        refill();
    }
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CodeList::refill()
{
    guarded([&] { requery(*m_cfg.dataset, QStringLiteral("SELECT * FROM ") + m_cfg.dataset->table(), Filter()); });
}

bool CodeList::choose()
{
    return selection::chooseCurrent(this, m_cfg.thing, selectionClass(), m_mode, m_caller, *m_cfg.dataset);
}

void CodeList::addNew() { selection::runAddDialog(m_cfg.makeAdd, this); }

bool CodeList::removeCurrent()
{
    Dataset *ds = m_cfg.dataset;
    if (!ds->isOpen() || ds->isEmpty() || ds->recNo() < 0) {
        msg::warning(this, QStringLiteral("没有") + m_cfg.thing + QStringLiteral("可删除！"));
        return false;
    }
    if (m_cfg.refuseDelete) {
        const QString why = m_cfg.refuseDelete(*ds);
        if (!why.isEmpty()) {
            msg::warning(this, why);
            return false;
        }
    }
    if (!msg::confirm(this, QStringLiteral("确定要删除此") + m_cfg.thing + QStringLiteral("么？"))) return false;
    return guarded([&] { ds->remove(); });
}
