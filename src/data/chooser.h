#pragma once
// The selection dialog "选择…": search boxes, a grid on the table's shared dataset, buttons
// "查询", "选择", "新增", "关闭", and the hidden selection-mode label xzbj naming the caller.
// "选择" copies the chosen record into the boxes that the caller registered for its mode
// (see selection.h) and closes.
#include "gridmodel.h"
#include "querydialog.h"
#include <QDialog>
#include <QPointer>
#include <functional>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableView;

struct ChooserConfig {
    QString title;                 // "选择员工资料"
    QString thing;                 // "员工": "没有员工可选择！"
    Dataset *dataset = nullptr;
    QString select;                // default "SELECT * FROM " + table
    QList<GridColumn> columns;
    QList<Condition> search;       // the search boxes; the first is always added
    QString orderBy = QStringLiteral("order by id");
    bool titleSort = true;
    // "新增": the thing's add dialog (already in mode "新增"); nullptr: no add button action.
    std::function<QDialog *(QWidget *parent)> makeAdd;
    QSize size = QSize(760, 480);
};

class Chooser : public QDialog {
    Q_OBJECT
public:
    explicit Chooser(ChooserConfig config, QWidget *parent = nullptr);

    // The selection mode (xzbj) and the caller whose boxes receive the choice (default: the parent).
    void setMode(const QString &mode, QWidget *caller = nullptr);
    QString mode() const;
    QWidget *caller() const { return m_caller; }

    // "查询": re-queries the dataset from the search boxes and focuses the grid.
    bool runQuery();
    // "选择": false when there is nothing to choose.
    bool choose();
    void addNew();

    QTableView *grid() const { return m_grid; }
    // A panel left of the grid (the goods windows' category tree), `width` wide.
    void setSidePanel(QWidget *panel, int width);
    GridModel *model() const { return m_model; }
    ConditionBoxes &searchBoxes() { return m_search; }
    const ChooserConfig &config() const { return m_cfg; }

protected:
    void showEvent(QShowEvent *e) override;
    // The class name under which callers register their fills (the screen's class).
    virtual QString selectionClass() const { return QString::fromLatin1(metaObject()->className()); }

private:
    ChooserConfig m_cfg;
    ConditionBoxes m_search;
    QLabel *m_xzbj = nullptr;
    QPointer<QWidget> m_caller;
    QTableView *m_grid = nullptr;
    QHBoxLayout *m_body = nullptr;
    GridModel *m_model = nullptr;
    QPushButton *m_cha = nullptr, *m_xuan = nullptr, *m_xin = nullptr, *m_guan = nullptr;
};
