#pragma once
// The query dialog "按条件查询" of a list window, and the search boxes that the selection
// dialogs share with it: one box per searchable column; the first condition is always added
// (an empty box matches every row that has a value), the others only when their box is not
// empty after trimming; choices and date ranges add their own lines.
#include "sqlfilter.h"
#include <QDate>
#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>

class Dataset;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGridLayout;
class QLineEdit;
class QPushButton;

struct Condition {
    enum class Kind {
        Like,      // "<field> like '%text%'"
        Choice,    // a drop-down; apply() adds the line of the chosen entry
        DateRange, // check box with two date pickers: "<field> >= from and <field> <= to" when checked
    };
    Kind kind = Kind::Like;
    QString label;
    QString box;               // object name of the box (Choice: the combo; DateRange: the check box)
    QString field;
    bool always = false;       // Like: added even when the box is empty
    QStringList choices;       // Choice
    std::function<void(Filter &, int index, const QString &text)> apply; // Choice
    QString fromBox, toBox;    // DateRange: object names of the pickers
    bool checked = false;      // DateRange: check box state on show
    bool hasCheck = true;      // DateRange: without a check box the range always applies

    static Condition like(const QString &label, const QString &box, const QString &field, bool always = false)
    {
        Condition c;
        c.label = label; c.box = box; c.field = field; c.always = always;
        return c;
    }
    static Condition dateRange(const QString &label, const QString &checkBox, const QString &field)
    {
        Condition c;
        c.kind = Kind::DateRange;
        c.label = label; c.box = checkBox; c.field = field;
        return c;
    }
    static Condition choice(const QString &label, const QString &combo, const QStringList &choices,
                            std::function<void(Filter &, int index, const QString &text)> apply)
    {
        Condition c;
        c.kind = Kind::Choice;
        c.label = label; c.box = combo; c.choices = choices; c.apply = std::move(apply);
        return c;
    }
};

// A set of condition boxes placed in a grid; builds the filter from what was typed.
class ConditionBoxes {
public:
    ConditionBoxes(QWidget *owner, QList<Condition> conditions);
    // Adds labels and boxes to a grid layout, `perRow` conditions per row.
    void place(QGridLayout *grid, int perRow = 1, int firstRow = 0);
    void clear();                  // text boxes emptied, choices to their first entry, dates reset
    Filter filter() const;
    QWidget *firstBox() const;
    QWidget *lastBox() const;
    QList<QWidget *> boxes() const; // in tab order
    const QList<Condition> &conditions() const { return m_conds; }

private:
    struct Boxes {
        QLineEdit *edit = nullptr;
        QComboBox *combo = nullptr;
        QCheckBox *check = nullptr;
        QDateEdit *from = nullptr, *to = nullptr;
    };
    QWidget *m_owner;
    QList<Condition> m_conds;
    QList<Boxes> m_boxes;
};

struct QueryConfig {
    QString title = QStringLiteral("按条件查询");
    Dataset *dataset = nullptr;
    QString select;                // default "SELECT * FROM " + table
    QList<Condition> conditions;
    QString orderBy = QStringLiteral("order by id");
    int perRow = 1;
    // Runs before the list is re-queried with the same filter (totals in the status bar).
    std::function<void(const Filter &)> beforeOpen;
    QString queryName = QStringLiteral("BitBtn1"), closeName = QStringLiteral("BitBtn2");
};

class QueryDialog : public QDialog {
    Q_OBJECT
public:
    explicit QueryDialog(QueryConfig config, QWidget *parent = nullptr);
    ConditionBoxes &boxes() { return m_boxes; }
    Filter filter() const { return m_boxes.filter(); }
    // "查询": re-queries the list's dataset and closes; false when the engine refused.
    bool runQuery();
    QPushButton *queryButton() const { return m_query; }

Q_SIGNALS:
    void queried(); // the list's dataset holds the new result

protected:
    void showEvent(QShowEvent *e) override;

private:
    QueryConfig m_cfg;
    ConditionBoxes m_boxes;
    QPushButton *m_query = nullptr, *m_close = nullptr;
};

// Re-queries a dataset: select line, filter lines, ordering, with the grids' repainting suspended.
void requery(Dataset &ds, const QString &select, const Filter &filter, const QString &orderBy = QStringLiteral("order by id"));
