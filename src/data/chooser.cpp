#include "chooser.h"
#include "dataset.h"
#include "gridbehaviour.h"
#include "guard.h"
#include "keys.h"
#include "messages.h"
#include "selection.h"
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

Chooser::Chooser(ChooserConfig config, QWidget *parent)
    : QDialog(parent), m_cfg(std::move(config)), m_search(this, m_cfg.search), m_caller(parent)
{
    setWindowTitle(m_cfg.title);
    if (m_cfg.select.isEmpty()) m_cfg.select = QStringLiteral("SELECT * FROM ") + m_cfg.dataset->table();
    auto *outer = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *grid = new QGridLayout;
    m_search.place(grid, std::max<qsizetype>(1, m_cfg.search.size()));
    top->addLayout(grid);
    top->addStretch();
    auto button = [this, top](const char *text, const char *name) {
        auto *b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QLatin1String(name));
        top->addWidget(b);
        return b;
    };
    m_cha = button("查询", "cha");
    m_xuan = button("选择", "xuan");
    m_xin = button("新增", "xin");
    m_guan = button("关闭", "guan");
    outer->addLayout(top);
    m_xzbj = new QLabel(this);
    m_xzbj->setObjectName(QStringLiteral("xzbj"));
    m_xzbj->hide();
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_model = bindGrid(m_grid, m_cfg.dataset, m_cfg.columns);
    grid::standardLook(m_grid);
    if (m_cfg.titleSort) grid::enableTitleSort(m_grid, m_model);
    grid::onEnter(m_grid, [this] { choose(); });
    m_body = new QHBoxLayout;
    m_body->setSpacing(2);
    m_body->addWidget(m_grid, 1);
    outer->addLayout(m_body, 1);
    connect(m_grid, &QTableView::doubleClicked, this, [this] { choose(); });
    connect(m_cha, &QPushButton::clicked, this, [this] { runQuery(); });
    connect(m_xuan, &QPushButton::clicked, this, [this] { choose(); });
    connect(m_xin, &QPushButton::clicked, this, [this] { addNew(); });
    connect(m_guan, &QPushButton::clicked, this, &QDialog::reject);
    const auto boxes = m_search.boxes();
    if (!boxes.isEmpty()) setTabOrder(boxes.last(), m_cha);
    keys::installDialogKeys(this, m_search.lastBox(), m_cha, m_guan);
    resize(m_cfg.size);
}

void Chooser::setSidePanel(QWidget *panel, int width)
{
    panel->setParent(this);
    panel->setFixedWidth(width);
    m_body->insertWidget(0, panel);
}

void Chooser::setMode(const QString &mode, QWidget *caller)
{
    m_xzbj->setText(mode);
    if (caller) m_caller = caller;
}

QString Chooser::mode() const { return m_xzbj->text(); }

void Chooser::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    m_search.clear();
    runQuery();
}

bool Chooser::runQuery()
{
    const Filter f = m_search.filter();
    const bool ok = guarded([&] { requery(*m_cfg.dataset, m_cfg.select, f, m_cfg.orderBy); });
    m_grid->setFocus(Qt::OtherFocusReason);
    return ok;
}

bool Chooser::choose()
{
    return selection::chooseCurrent(this, m_cfg.thing, selectionClass(), mode(), m_caller, *m_cfg.dataset);
}

void Chooser::addNew() { selection::runAddDialog(m_cfg.makeAdd, this); }
