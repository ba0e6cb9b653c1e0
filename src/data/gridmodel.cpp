#include "gridmodel.h"
#include <QFont>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

GridModel::GridModel(Dataset *ds, QList<GridColumn> columns, QObject *parent)
    : QAbstractTableModel(parent), m_ds(ds), m_columns(std::move(columns))
{
    remap();
    connect(ds, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(ds, &QAbstractItemModel::modelReset, this, [this] { remap(); endResetModel(); });
    connect(ds, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex &, int f, int l) { beginInsertRows({}, f, l); });
    connect(ds, &QAbstractItemModel::rowsInserted, this, [this] { endInsertRows(); });
    connect(ds, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &, int f, int l) { beginRemoveRows({}, f, l); });
    connect(ds, &QAbstractItemModel::rowsRemoved, this, [this] { endRemoveRows(); });
    connect(ds, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex &tl, const QModelIndex &br) {
        if (!m_columns.isEmpty()) Q_EMIT dataChanged(index(tl.row(), 0), index(br.row(), int(m_columns.size()) - 1));
    });
}

void GridModel::remap()
{
    m_fieldCol.assign(size_t(m_columns.size()), -1);
    if (!m_ds) return;
    for (int i = 0; i < m_columns.size(); ++i) m_fieldCol[size_t(i)] = m_ds->fieldIndex(m_columns[i].field);
}

int GridModel::columnOf(const QString &field) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].field.compare(field, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

void GridModel::setBoldColumn(int col)
{
    m_bold = col;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, int(m_columns.size()) - 1);
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_ds ? 0 : m_ds->recordCount();
}

int GridModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_columns.size()); }

QString GridModel::cellText(int row, int col) const
{
    const int fc = m_fieldCol[size_t(col)];
    if (fc < 0 || !m_ds || row < 0 || row >= m_ds->recordCount()) return {};
    const GridColumn &gc = m_columns[col];
    if (gc.decimals >= 0 && m_ds->fieldKind(fc) != Dataset::Kind::Text && !m_ds->isNullAt(row, fc))
        return m_ds->decAt(row, fc).toFixed(gc.decimals);
    return m_ds->textAt(row, fc);
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_ds) return {};
    const GridColumn &gc = m_columns[index.column()];
    switch (role) {
    case Qt::DisplayRole: return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole: return QVariant::fromValue(gc.align);
    case Qt::BackgroundRole: {
        if (rowBackground) {
            const QColor c = rowBackground(*m_ds, index.row());
            if (c.isValid()) return c;
        }
        if (gc.tint.isValid()) return gc.tint;
        return {};
    }
    case Qt::ForegroundRole: {
        if (rowTextColor) {
            const QColor c = rowTextColor(*m_ds, index.row());
            if (c.isValid()) return c;
        }
        return {};
    }
    default: return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, o, role);
    if (role == Qt::DisplayRole) return m_columns[section].title;
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    if (role == Qt::FontRole && section == m_bold) {
        QFont f;
        f.setBold(true);
        return f;
    }
    return {};
}

GridModel *bindGrid(QTableView *view, Dataset *ds, const QList<GridColumn> &columns)
{
    auto *model = new GridModel(ds, columns, view);
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->verticalHeader()->setDefaultSectionSize(20);
    view->verticalHeader()->setFixedWidth(12);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    for (int i = 0; i < columns.size(); ++i) {
        view->setColumnWidth(i, columns[i].width);
        view->setColumnHidden(i, !columns[i].visible);
    }
    auto select = [view, model](int row) {
        QItemSelectionModel *sm = view->selectionModel();
        if (!sm) return;
        if (row < 0 || row >= model->rowCount()) {
            sm->clearCurrentIndex();
            return;
        }
        const QModelIndex cur = sm->currentIndex();
        const int col = cur.isValid() ? cur.column() : 0;
        if (cur.row() == row) return;
        sm->setCurrentIndex(model->index(row, col), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view->scrollTo(model->index(row, col));
    };
    QObject::connect(ds, &Dataset::currentRowChanged, view, select);
    QObject::connect(model, &QAbstractItemModel::modelReset, view, [ds, select] { select(ds->recNo()); });
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, view,
                     [ds](const QModelIndex &cur) {
                         if (cur.isValid() && cur.row() != ds->recNo()) ds->moveTo(cur.row());
                     });
    QObject::connect(ds, &Dataset::suspendedChanged, view, [view](bool s) {
        view->setUpdatesEnabled(!s);
        if (!s) view->viewport()->update();
    });
    select(ds->recNo());
    return model;
}
