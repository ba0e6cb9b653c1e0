#include "listwindow.h"
#include "dataset.h"
#include "gridbehaviour.h"
#include "guard.h"
#include "keys.h"
#include "messages.h"
#include "querydialog.h"
#include "recorddialog.h"
#include "xlsxexport.h"
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QStyle::StandardPixmap iconOf(ListAction a)
{
    switch (a) {
    case ListAction::Import: return QStyle::SP_DialogOpenButton;
    case ListAction::Reverse: return QStyle::SP_ArrowBack;
    case ListAction::Compute: return QStyle::SP_BrowserReload;
    case ListAction::Details: return QStyle::SP_FileDialogDetailedView;
    case ListAction::Add: return QStyle::SP_FileDialogNewFolder;
    case ListAction::Change: return QStyle::SP_FileDialogContentsView;
    case ListAction::Delete: return QStyle::SP_TrashIcon;
    case ListAction::Query: return QStyle::SP_FileDialogListView;
    case ListAction::Print: return QStyle::SP_DialogSaveButton;
    case ListAction::Export: return QStyle::SP_DriveFDIcon;
    case ListAction::Close: return QStyle::SP_DialogCloseButton;
    }
    return QStyle::SP_CustomBase;
}
}

QString ListWindow::actionCaption(ListAction a)
{
    switch (a) {
    case ListAction::Import: return QStringLiteral("导入");
    case ListAction::Reverse: return QStringLiteral("反审");
    case ListAction::Compute: return QStringLiteral("统计");
    case ListAction::Details: return QStringLiteral("明细");
    case ListAction::Add: return QStringLiteral("新增");
    case ListAction::Change: return QStringLiteral("修改");
    case ListAction::Delete: return QStringLiteral("删除");
    case ListAction::Query: return QStringLiteral("查询");
    case ListAction::Print: return QStringLiteral("打印");
    case ListAction::Export: return QStringLiteral("导出");
    case ListAction::Close: return QStringLiteral("关闭");
    }
    return {};
}

ListWindow::ListWindow(ListConfig config, QWidget *parent) : QWidget(parent), m_cfg(std::move(config))
{
    setAttribute(Qt::WA_DeleteOnClose);
    if (m_cfg.select.isEmpty()) m_cfg.select = QStringLiteral("SELECT * FROM ") + m_cfg.dataset->table();
    if (m_cfg.deleteQuestion.isEmpty()) m_cfg.deleteQuestion = QStringLiteral("确定要删除此") + m_cfg.thing + QStringLiteral("么？");
    build();
}

ListWindow::~ListWindow() = default;

void ListWindow::build()
{
    setWindowTitle(m_cfg.title);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("Panel1"));
    auto *barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(6, 2, 6, 2);
    for (const Legend &l : std::as_const(m_cfg.legends)) {
        auto *square = new QLabel(bar);
        square->setFixedSize(16, 16);
        square->setAutoFillBackground(true);
        QPalette p = square->palette();
        p.setColor(QPalette::Window, l.color);
        square->setPalette(p);
        barLayout->addWidget(square);
        barLayout->addWidget(new QLabel(l.text, bar));
        barLayout->addSpacing(12);
    }
    barLayout->addStretch();
    // Buttons right-aligned, always in the same order whatever order the screen lists them in.
    QList<ToolSpec> tools = m_cfg.tools;
    std::stable_sort(tools.begin(), tools.end(), [](const ToolSpec &a, const ToolSpec &b) { return int(a.action) < int(b.action); });
    for (const ToolSpec &t : std::as_const(tools)) {
        auto *b = new QToolButton(bar);
        b->setObjectName(t.name);
        b->setText(t.caption.isEmpty() ? actionCaption(t.action) : t.caption);
        b->setToolTip(t.hint);
        b->setIcon(style()->standardIcon(iconOf(t.action)));
        b->setIconSize(QSize(24, 24));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        b->setMinimumWidth(52);
        b->setFocusPolicy(Qt::NoFocus);
        const ListAction a = t.action;
        connect(b, &QToolButton::clicked, this, [this, a] { run(a); });
        barLayout->addWidget(b);
        m_buttons.insert(int(a), b);
    }
    outer->addWidget(bar);

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_model = bindGrid(m_grid, m_cfg.dataset, m_cfg.columns);
    grid::standardLook(m_grid);
    m_model->rowTextColor = m_cfg.rowTextColor;
    m_model->rowBackground = m_cfg.rowBackground;
    if (m_cfg.titleSort) grid::enableTitleSort(m_grid, m_model);
    if (m_cfg.enterMovesOn) grid::enterMovesOn(m_grid);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QTableView::doubleClicked, this, [this] { run(m_cfg.doubleClick); });
    m_body = new QHBoxLayout;
    m_body->setSpacing(2);
    m_body->addWidget(m_grid, 1);
    outer->addLayout(m_body, 1);

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));
    for (ListAction a : std::as_const(m_cfg.menu)) {
        QAction *act = m_menu->addAction(actionCaption(a));
        connect(act, &QAction::triggered, this, [this, a] { run(a); });
    }
    connect(m_grid, &QTableView::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_menu->popup(m_grid->viewport()->mapToGlobal(pos)); });

    if (!m_cfg.panels.isEmpty()) {
        m_status = new QStatusBar(this);
        m_status->setObjectName(QStringLiteral("StatusBar1"));
        m_status->setSizeGripEnabled(false);
        for (int i = 0; i < m_cfg.panels.size(); ++i) {
            auto *l = new QLabel(m_cfg.panels[i], m_status);
            l->setObjectName(QStringLiteral("Panel") + QString::number(i));
            l->setFrameShape(QFrame::Panel);
            l->setFrameShadow(QFrame::Sunken);
            l->setMinimumWidth(m_cfg.panelWidths.value(i, 80));
            m_status->addWidget(l);
            m_panels << l;
        }
        outer->addWidget(m_status);
    }
    keys::escCloses(this, [this] { run(ListAction::Close); });
    // The dataset is shared: a selection dialog that searches it changes what this grid shows,
    // and the record count follows whatever the grid shows.
    Dataset *ds = m_cfg.dataset;
    connect(ds, &Dataset::openedOrClosed, this, [this] { updateCount(); });
    connect(ds, &QAbstractItemModel::rowsInserted, this, [this] { updateCount(); });
    connect(ds, &QAbstractItemModel::rowsRemoved, this, [this] { updateCount(); });
    resize(m_cfg.size);
}

void ListWindow::setSidePanel(QWidget *panel, int width)
{
    panel->setParent(this);
    panel->setFixedWidth(width);
    m_body->insertWidget(0, panel);
}

Decimal ListWindow::total(const Dataset &ds, const QString &field)
{
    Decimal sum;
    const int c = ds.isOpen() ? ds.fieldIndex(field) : -1;
    if (c < 0) return sum;
    for (int r = 0; r < ds.recordCount(); ++r) sum += ds.decAt(r, c);
    return sum;
}

void ListWindow::setPanel(int index, const QString &text)
{
    if (QLabel *l = m_panels.value(index)) l->setText(text);
}

QString ListWindow::panel(int index) const
{
    const QLabel *l = m_panels.value(index);
    return l ? l->text() : QString();
}

void ListWindow::addMenuSeparator() { m_menu->addSeparator(); }

void ListWindow::addMenuEntry(const QString &text, std::function<void()> fn)
{
    QAction *act = m_menu->addAction(text);
    connect(act, &QAction::triggered, this, [fn = std::move(fn)] { fn(); });
}

void ListWindow::run(ListAction a)
{
    switch (a) {
    case ListAction::Import: onImport(); break;
    case ListAction::Reverse: onReverse(); break;
    case ListAction::Compute: onCompute(); break;
    case ListAction::Details: onDetails(); break;
    case ListAction::Add: onAdd(); break;
    case ListAction::Change: onChange(); break;
    case ListAction::Delete: onDelete(); break;
    case ListAction::Query: onQuery(); break;
    case ListAction::Print: onPrint(); break;
    case ListAction::Export: onExport(); break;
    case ListAction::Close: close(); break;
    }
}

void ListWindow::fill()
{
    const Filter f = m_cfg.defaultFilter ? m_cfg.defaultFilter() : Filter();
    guarded([&] { requery(*m_cfg.dataset, m_cfg.select, f, m_cfg.orderBy); });
    refreshStatus();
}

void ListWindow::refreshStatus() { updateCount(); }

void ListWindow::updateCount()
{
    if (m_cfg.countPanel >= 0)
        setPanel(m_cfg.countPanel, QString::number(m_cfg.dataset->isOpen() ? m_cfg.dataset->recordCount() : 0));
}

bool ListWindow::requireOpen()
{
    if (m_cfg.dataset->isOpen()) return true;
    msg::warning(this, m_cfg.closedMessage);
    return false;
}

bool ListWindow::requireRecord(const QString &nothingMessage)
{
    if (!requireOpen()) return false;
    if (!m_cfg.dataset->isEmpty() && m_cfg.dataset->recNo() >= 0) return true;
    msg::warning(this, nothingMessage);
    return false;
}

void ListWindow::onAdd()
{
    if (m_cfg.addNeedsOpen && !requireOpen()) return;
    RecordDialog *d = makeDialog();
    if (!d) return;
    d->startAdd();
    connect(d, &RecordDialog::saved, this, [this] { refreshStatus(); });
    d->exec();
    delete d;
}

void ListWindow::onChange()
{
    if (!requireRecord(m_cfg.nothingToChange)) return;
    RecordDialog *d = makeDialog();
    if (!d) return;
    d->startChange();
    connect(d, &RecordDialog::saved, this, [this] { refreshStatus(); });
    d->exec();
    delete d;
}

void ListWindow::onDelete()
{
    if (!requireRecord(m_cfg.nothingToDelete)) return;
    if (!msg::confirm(this, m_cfg.deleteQuestion)) return;
    guarded([&] { m_cfg.dataset->remove(); });
    refreshStatus();
}

void ListWindow::onQuery()
{
    QueryDialog *d = makeQuery();
    if (!d) return;
    connect(d, &QueryDialog::queried, this, [this] { refreshStatus(); });
    d->exec();
    delete d;
}

void ListWindow::onPrint()
{
    if (!requireRecord(m_cfg.nothingToPrint)) return;
    printList();
}

void ListWindow::onExport()
{
    if (!requireOpen()) return;
    xlsx::exportGrid(this, m_grid, m_cfg.title);
}

void ListWindow::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (m_filled) return;
    m_filled = true;
    fill();
    m_grid->setFocus(Qt::OtherFocusReason);
}

void ListWindow::closeEvent(QCloseEvent *e)
{
    // The shared dataset closes with its window; the variable that held the window is a
    // guarded pointer and clears itself when the window is freed.
    m_cfg.dataset->close();
    QWidget::closeEvent(e);
}
