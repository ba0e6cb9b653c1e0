#pragma once
// A list window: a child window of the main window with a tool bar, a grid on a table's shared
// dataset, a status bar and a context menu. A screen says only what differs: title, thing,
// columns, buttons, status panels, default filter, row colours, and (by overriding) the
// dialogs its buttons open:
//
//     TFghs1::TFghs1(QWidget *parent) : ListWindow([] {
//         ListConfig c;
//         c.title = QStringLiteral("厂商资料");
//         c.thing = QStringLiteral("厂商");              // "确定要删除此厂商么？"
//         c.dataset = DM1->AQghs1;
//         c.columns = {...};                            // GridColumn: field, title, width, tint
//         c.tools = {{ListAction::Import, "SB33"}, {ListAction::Add, "SB44"}, ...};
//         c.addNeedsOpen = true;
//         return c;
//     }(), parent) {}
//     RecordDialog *TFghs1::makeDialog() { return new TFtjghs1(this); }
//     QueryDialog *TFghs1::makeQuery() { return new TFcxghs1(this); }
//     void TFghs1::printList() { ... the report ... }
//
// Lists of today's rows set defaultFilter; lists with totals set panels and countPanel = -1
// and override refreshStatus() (total() sums a column); "反审" and "导入" override onReverse()
// and onImport(); extra context-menu entries come from addMenuSeparator() and addMenuEntry().
#include "decimal.h"
#include "gridmodel.h"
#include "sqlfilter.h"
#include <QColor>
#include <QHash>
#include <QList>
#include <QWidget>
#include <functional>

class QHBoxLayout;
class QLabel;
class QMenu;
class QStatusBar;
class QTableView;
class QToolButton;
class QueryDialog;
class RecordDialog;

// The tool bar always shows its buttons in this left-to-right order.
enum class ListAction { Import, Reverse, Compute, Details, Add, Change, Delete, Query, Print, Export, Close };

struct ToolSpec {
    ListAction action;
    QString name;     // object name ("SB66")
    QString hint = {};
    QString caption = {}; // default: the action's usual caption
};

struct Legend {
    QColor color;
    QString text;
};

struct ListConfig {
    QString title;                 // "员工资料"
    QString thing;                 // "员工": "确定要删除此员工么？"
    Dataset *dataset = nullptr;
    QList<GridColumn> columns;
    QList<ToolSpec> tools;
    QList<Legend> legends;         // coloured squares beside the tool bar
    QStringList panels = {QStringLiteral("记录数："), QString()}; // status bar texts; empty: none
    QList<int> panelWidths;        // default 80 each
    int countPanel = 1;            // panel showing the record count; -1: none
    bool titleSort = true;
    bool enterMovesOn = false;     // Enter in the grid moves on as Tab
    bool addNeedsOpen = false;     // "新增" asks for the dataset to be open first
    QList<ListAction> menu = {ListAction::Add, ListAction::Change, ListAction::Delete};
    ListAction doubleClick = ListAction::Change;
    QString select;                // default "SELECT * FROM " + table
    std::function<Filter()> defaultFilter; // lines added when the window is shown (today's rows)
    QString orderBy = QStringLiteral("order by id");
    QString deleteQuestion;        // default "确定要删除此" + thing + "么？"
    QString closedMessage = QStringLiteral("数据表未打开，请先查询！");
    QString nothingToChange = QStringLiteral("没有数据可修改，请先查询！");
    QString nothingToDelete = QStringLiteral("没有数据可删除，请先查询！");
    QString nothingToPrint = QStringLiteral("没有数据可打印，请先查询！");
    std::function<QColor(const Dataset &, int row)> rowTextColor;
    std::function<QColor(const Dataset &, int row)> rowBackground;
    QSize size = QSize(900, 520);
};

class ListWindow : public QWidget {
    Q_OBJECT
public:
    explicit ListWindow(ListConfig config, QWidget *parent = nullptr);
    ~ListWindow() override;

    const ListConfig &config() const { return m_cfg; }
    Dataset *dataset() const { return m_cfg.dataset; }
    QTableView *grid() const { return m_grid; }
    // A panel left of the grid (the goods windows' category tree), `width` wide.
    void setSidePanel(QWidget *panel, int width);
    GridModel *model() const { return m_model; }
    QStatusBar *statusBar() const { return m_status; }
    QToolButton *button(ListAction a) const { return m_buttons.value(int(a)); }
    QMenu *contextMenu() const { return m_menu; }

    void setPanel(int index, const QString &text);
    QString panel(int index) const;

    // What the tool button, menu entry or key of that action does.
    void run(ListAction a);
    // Filling when shown: the select line, the default filter, the ordering; then the status.
    virtual void fill();
    // The status bar after the rows changed: the record count (and what a screen adds).
    virtual void refreshStatus();

    // Guards with the warning messages; true when the action may go on.
    bool requireOpen();
    bool requireRecord(const QString &nothingMessage);

    // Extra context-menu entries after the usual ones.
    void addMenuSeparator();
    void addMenuEntry(const QString &text, std::function<void()> fn);

    static QString actionCaption(ListAction a);
    // The sum of a number column over the rows the dataset holds (totals in the status bar).
    static Decimal total(const Dataset &ds, const QString &field);

protected:
    virtual void onAdd();
    virtual void onChange();
    virtual void onDelete();
    virtual void onQuery();
    virtual void onPrint();
    virtual void onExport();
    virtual void onImport() {}
    virtual void onReverse() {}
    virtual void onCompute() {}
    virtual void onDetails() {}
    // The screen's add-or-change dialog and query dialog (nullptr: the button does nothing).
    virtual RecordDialog *makeDialog() { return nullptr; }
    virtual QueryDialog *makeQuery() { return nullptr; }
    // The report of "打印", after the guards.
    virtual void printList() {}

    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void build();
    void updateCount();
    ListConfig m_cfg;
    QTableView *m_grid = nullptr;
    QHBoxLayout *m_body = nullptr;
    GridModel *m_model = nullptr;
    QStatusBar *m_status = nullptr;
    QList<QLabel *> m_panels;
    QHash<int, QToolButton *> m_buttons;
    QMenu *m_menu = nullptr;
    bool m_filled = false;
};
