#pragma once
// Goods: the list "商品资料" with its category tree, the add-or-change dialog, the goods query
// and the two goods choosers (the modal one of the stock documents, the child window of the
// counter).
#include "chooser.h"
#include "listwindow.h"
#include "querydialog.h"
#include "recorddialog.h"

class CategoryTree;
class QLabel;

namespace goods {
// Grid columns of the goods windows by field, titled as the goods list titles them.
GridColumn column(const QString &field);
// Red text for the goods sold at the full price ("不打折").
QColor rowColor(const Dataset &ds, int row);
}

class TFsp1 : public ListWindow {
    Q_OBJECT
public:
    explicit TFsp1(QWidget *parent = nullptr);
    CategoryTree *tree() const { return m_tree; }
    // "改标记：不打折" / "改标记：打折".
    void setMarker(const QString &marker);

protected:
    RecordDialog *makeDialog() override;
    QueryDialog *makeQuery() override;
    void printList() override;
    void onImport() override;

private:
    CategoryTree *m_tree = nullptr;
};

class TFtjsp1 : public RecordDialog {
    Q_OBJECT
public:
    explicit TFtjsp1(QWidget *parent = nullptr);
    void chooseCategory(); // the category list, filling Edit1
    void chooseUnit();     // the unit list in mode "tjsp", filling Edit4

protected:
    bool checkExtra() override;
    void writeExtra(Dataset &ds) override;
    bool eventFilter(QObject *obj, QEvent *ev) override;
};

// Mode "sp" queries the goods list's dataset, mode "kc" the current-stock list's.
class TFcxsp1 : public QueryDialog {
    Q_OBJECT
public:
    explicit TFcxsp1(QWidget *parent = nullptr, const QString &mode = QStringLiteral("sp"));
    QString mode() const;

private:
    QLabel *m_st1 = nullptr;
};

// The goods chooser of the purchase entry ("tjcg"), other stock-in ("tjrk"), other stock-out
// ("tjck") and unit conversion ("xgkc2"). Each caller registers the boxes it wants filled:
// selection::registerBoxes("TFsp2", "tjcg", {{"txm", ...}, {"ppgg", ...}, {"dw", ...}, {"jj", ...}}).
// Closing it in mode "tjcg" sets the caller's hidden label "sao" to "sao".
class TFsp2 : public Chooser {
    Q_OBJECT
public:
    explicit TFsp2(QWidget *parent = nullptr);
    CategoryTree *tree() const { return m_tree; }
    // Hides "采购价" and "成本价" (callers that may not show stock prices).
    void hidePrices(bool hide = true);
    void done(int r) override;

private:
    CategoryTree *m_tree = nullptr;
};

// The goods chooser of the counter: a child window that stays open; each "选择" hands the
// current article to the fill registered for its mode (default "tjxs"), which adds the slip line:
// selection::registerFill("TFsp3", "tjxs", [](QWidget *caller, const Dataset &goods) { ... }).
class TFsp3 : public Chooser {
    Q_OBJECT
public:
    explicit TFsp3(QWidget *parent = nullptr);
    CategoryTree *tree() const { return m_tree; }
    void done(int r) override;

private:
    CategoryTree *m_tree = nullptr;
};
