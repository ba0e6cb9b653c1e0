#pragma once
// A code list "…设置": a one-column grid of names with the buttons "选择", "新增", "删除",
// "关闭". "选择" puts the chosen name into the caller's box registered for the list's selection
// mode (see selection.h); "新增" opens the add dialog, whose rows appear at once.
#include "gridmodel.h"
#include <QDialog>
#include <QPointer>
#include <functional>

class QLabel;
class QPushButton;
class QTableView;

struct CodeListConfig {
    QString title;              // "商品类别设置"
    QString thing;              // "类别": "没有类别可选择！", "确定要删除此类别么？"
    Dataset *dataset = nullptr;
    QString field;              // "lb"
    QString columnTitle;        // "类别"
    int columnWidth = 240;
    bool titleSort = true;
    bool hasMode = false;       // the hidden selection-mode label xzbj
    QList<GridColumn> moreColumns; // columns after the name (the member levels' discount)
    // The message that refuses deleting the current row ("不可删除“无卡顾客”！"); empty allows it.
    std::function<QString(const Dataset &)> refuseDelete;
    std::function<QDialog *(QWidget *parent)> makeAdd;
    QSize size = QSize(292, 453);
};

class CodeList : public QDialog {
    Q_OBJECT
public:
    explicit CodeList(CodeListConfig config, QWidget *parent = nullptr);

    void setMode(const QString &mode, QWidget *caller = nullptr);
    QString mode() const { return m_mode; }
    void setCaller(QWidget *caller) { m_caller = caller; }

    void refill();   // "SELECT * FROM " + table, "order by id"
    bool choose();   // "选择"
    void addNew();   // "新增"
    bool removeCurrent(); // "删除"

    QTableView *grid() const { return m_grid; }
    GridModel *model() const { return m_model; }

protected:
    void showEvent(QShowEvent *e) override;
    virtual QString selectionClass() const { return QString::fromLatin1(metaObject()->className()); }

private:
    CodeListConfig m_cfg;
    QString m_mode;
    QLabel *m_xzbj = nullptr;
    QPointer<QWidget> m_caller;
    QTableView *m_grid = nullptr;
    GridModel *m_model = nullptr;
    bool m_filled = false;
};
