#pragma once
// Export of a grid to a spreadsheet ("导出"): an .xlsx workbook with the grid's titles in row 1
// and one row per record, every used column formatted as text ("@") so that barcodes keep
// their leading zeros, a hidden grid column leaving its sheet column empty, cell texts trimmed.
// Written row by row with a progress dialog (which may cancel), then opened with the desktop's
// spreadsheet program; when none opens it, the operator is told where the file is.
#include <QList>
#include <QString>
#include <functional>

class Dataset;
class QTableView;
class QWidget;

namespace xlsx {
struct Column {
    QString title;
    QString field;
    bool visible = true;
};

enum class Result { Written, Cancelled, Failed };

// Writes the workbook. progress(rows written so far) is asked after every record; false
// cancels (the rows written so far stay in the file). The dataset's current record is kept.
Result writeWorkbook(const QString &path, const Dataset &ds, const QList<Column> &columns,
                     const std::function<bool(int)> &progress = {}, QString *error = nullptr);

// The grid's columns in grid order, hidden ones included (as hidden).
QList<Column> gridColumns(const QTableView *grid);

// "导出" of a list window: the guard message when the dataset is closed, the workbook written
// with a progress dialog into the export folder under `name` and the time, then opened.
// Returns the file written (empty when nothing was written).
QString exportGrid(QWidget *parent, QTableView *grid, const QString &name);

// Folder of the exported workbooks (the documents folder unless set).
QString exportDirectory();
void setExportDirectory(const QString &dir);

// Opens a written workbook; returns false when it cannot. The default uses the desktop's
// opener and tells the operator where the file is when no program opens it. Tests replace it.
using Opener = std::function<bool(QWidget *parent, const QString &path)>;
void setOpener(Opener opener); // an empty function restores the default
}
