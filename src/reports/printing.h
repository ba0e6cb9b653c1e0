#pragma once
// The one print sequence of every list screen's "打印" button, and the sales slip print.
//
// A list screen's print button:
//     PrintJob job = listPrintJob(QStringLiteral("TFysfx1"));   // form, title, columns, captions, panels
//     job.statusBar = StatusBar1;                                // where the totals stand
//     printList(this, job);                                       // guards, binds, previews modally
// Statistics screens also say whether their grid shows the grouping column:
//     job.grouping = groupingOf(DBGrid1, 7);
#include "decimal.h"
#include "reportengine.h"
#include <QMap>
#include <QStringList>
#include <optional>

class Dataset;
class QStatusBar;
class QTableView;
class QWidget;

// The grouping column of a statistics grid: shown (with its title) or hidden.
struct GroupingColumn {
    bool shown = false;
    QString title;
};
GroupingColumn groupingOf(const QTableView *grid, int column);

struct PrintJob {
    QString form;                 // report form, "TFdyyffx1"
    QString title;                // follows the shop's print header in the title: "销售应收明细表"
    Dataset *dataset = nullptr;   // printed from its first record to its last, in its current order
    QStringList columns;          // field names bound to the boxes in caption order
    QMap<int, QString> captions;  // caption number (from 1) -> text set for this print
    QList<int> summaryPanels;     // status-bar panels (from 0) copied into e1, e2, ...
    QStatusBar *statusBar = nullptr;
    QStringList summaryTexts;     // the texts of e1, e2, ... when there is no status bar
    bool statistics = false;      // the guard messages say "请先统计！"
    // The statistics reports' last column follows the grid's grouping column.
    std::optional<GroupingColumn> grouping;
};

// The print job of a list screen's button by the screen's class name ("TFghs1", "TFysfx1", ...;
// "TFkcfx1" is the stock list and "TFkcfx1/价格" the price list of the current-stock screen),
// with the shared dataset of the data module. An unknown name gives an empty job.
PrintJob listPrintJob(const QString &screen);
QStringList listPrintScreens();

// The text of a status-bar panel: the bar's labels, numbered from 0 in the order they were added.
QString panelText(const QStatusBar *bar, int panel);

// The guards, the title from the shop's print header, the binding, the captions and the
// summary texts; the form ready to preview, or nullptr when a guard stopped (its message shown).
rpt::ReportForm *prepareList(QWidget *screen, const PrintJob &job);
// prepareList, then the modal preview. False when a guard stopped.
bool printList(QWidget *screen, const PrintJob &job);

// The full sales slip shown in the slip browser.
struct SlipPrint {
    Dataset *lines = nullptr; // the slip's lines (txm, ppgg, dw, sl, jg, je), in line order
    QString number;           // dh
    QString date;             // yyyy-mm-dd
    QString memberCard, memberName, addressAndPhone;
    QString salesperson, remark;
    QString operatorName;     // the operator logged in now
    QString totalQuantity, totalAmountText; // as the browse window shows them
    Decimal totalAmount;
};
// Fills the slip form; nullptr when the lines are not open ("销售数据未打开，关闭窗口后重新打开！"
// shown: the caller closes its window).
rpt::ReportForm *prepareSlip(QWidget *screen, const SlipPrint &slip);
bool printSlip(QWidget *screen, const SlipPrint &slip);
