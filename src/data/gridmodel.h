#pragma once
// A grid's own view of a shared dataset: its columns (titles, widths, alignment, tint, number
// format), its row colours, and the current record kept in step with the dataset both ways.
#include "dataset.h"
#include <QColor>
#include <QPointer>
#include <functional>

class QTableView;

struct GridColumn {
    QString field;
    QString title;
    int width = 80;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    QColor tint;         // background of the whole column (money columns: light cyan)
    bool visible = true;
    int decimals = -1;   // -1: plain number text; otherwise fixed decimals
};

// Light cyan of the money columns, light green of unaudited rows, red of warning rows.
inline QColor moneyTint() { return QColor(222, 253, 254); }
inline QColor unauditedTint() { return QColor(225, 255, 225); }
inline QColor warningText() { return QColor(255, 0, 0); }

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    GridModel(Dataset *ds, QList<GridColumn> columns, QObject *parent = nullptr);
    Dataset *dataset() const { return m_ds; }
    const QList<GridColumn> &columns() const { return m_columns; }
    GridColumn &column(int i) { return m_columns[i]; }
    int columnOf(const QString &field) const;

    // Text colour and background of a whole row (invalid colour: the default).
    std::function<QColor(const Dataset &, int row)> rowTextColor;
    std::function<QColor(const Dataset &, int row)> rowBackground;
    void setBoldColumn(int col); // the title of the sorted column

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;
    // The text the grid shows in a cell.
    QString cellText(int row, int col) const;

private:
    void remap();
    QPointer<Dataset> m_ds;
    QList<GridColumn> m_columns;
    std::vector<int> m_fieldCol; // grid column -> dataset column (-1 when absent)
    int m_bold = -1;
};

// Binds a grid to a dataset with its own columns; the grid follows the dataset's current record
// and a click on a row makes that record current.
GridModel *bindGrid(QTableView *view, Dataset *ds, const QList<GridColumn> &columns);
