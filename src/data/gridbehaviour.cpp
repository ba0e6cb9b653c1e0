#include "gridbehaviour.h"
#include "gridmodel.h"
#include "guard.h"
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QTableView>

namespace grid {
namespace {
// White cells on the grey of the grid: a cell without a colour of its own is painted white.
class WhiteCells : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (option->backgroundBrush.style() == Qt::NoBrush) option->backgroundBrush = QBrush(Qt::white);
    }
};

class EnterFilter : public QObject {
public:
    EnterFilter(QTableView *v, std::function<void()> fn) : QObject(v), m_fn(std::move(fn)) { v->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *ev) override
    {
        if (ev->type() != QEvent::KeyPress) return false;
        const int k = static_cast<QKeyEvent *>(ev)->key();
        if (k != Qt::Key_Return && k != Qt::Key_Enter) return false;
        const auto fn = m_fn;
        fn();
        return true;
    }

private:
    std::function<void()> m_fn;
};
}

void standardLook(QTableView *view)
{
    view->horizontalHeader()->setHighlightSections(false);
    view->verticalHeader()->setHighlightSections(false);
    QPalette p = view->palette();
    p.setColor(QPalette::Base, QColor(212, 208, 200));
    view->setPalette(p);
    view->setAlternatingRowColors(false);
    view->setItemDelegate(new WhiteCells(view));
}

void sortByTitle(GridModel *model, int column)
{
    Dataset *ds = model->dataset();
    if (!ds || !ds->isOpen() || column < 0 || column >= model->columns().size()) return;
    const QString field = model->columns().at(column).field;
    if (!ds->hasField(field)) return;
    const QString asc = field + QStringLiteral(" ASC");
    guarded([&] { ds->setSort(ds->sort() == asc ? field + QStringLiteral(" DESC") : asc); });
    model->setBoldColumn(column);
}

void enableTitleSort(QTableView *view, GridModel *model)
{
    QHeaderView *h = view->horizontalHeader();
    h->setSectionsClickable(true);
    h->setSortIndicatorShown(false);
    QObject::connect(h, &QHeaderView::sectionClicked, view, [model](int section) { sortByTitle(model, section); });
}

void onEnter(QTableView *view, std::function<void()> fn) { new EnterFilter(view, std::move(fn)); }

void enterMovesOn(QTableView *view)
{
    onEnter(view, [view] {
        QWidget *w = view->window();
        QWidget *next = view->nextInFocusChain();
        while (next && next != view && (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisible() || !next->isEnabled()
                                         || !w->isAncestorOf(next)))
            next = next->nextInFocusChain();
        if (next && next != view) next->setFocus(Qt::TabFocusReason);
    });
}
}
