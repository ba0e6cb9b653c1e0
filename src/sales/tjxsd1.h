#pragma once
// The counter: the sales slip entry "新增销售出库单" / "修改销售出库单" with its held-slip
// chooser and its line dialog.
#include "salespostings.h"
#include "saleline.h"
#include <QDialog>
#include <QPointer>
#include <QWidget>

class Dataset;
class GridModel;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

class TFtjxsd1 : public QWidget {
    Q_OBJECT
public:
    explicit TFtjxsd1(QWidget *parent = nullptr);
    ~TFtjxsd1() override;
    // The counter window that is open, if any.
    static TFtjxsd1 *instance();

    // What the keys and buttons do.
    void newSlip();                  // 开单-F6
    bool addLine();                  // F9: a line from the goods boxes
    bool addGoods(const Dataset &sp); // a line for the current goods row (the goods chooser)
    void deleteLine();               // DEL
    bool holdSlip();                 // 挂单-F8
    void checkout();                 // 结帐-F7
    void takeUpHeld();               // 取单-F5
    void changeLine(bool price);     // F10 / F11
    void openEmployeeChooser();
    void openMemberChooser();
    void openGoodsChooser();

    QString mode() const;            // "新增" or "修改"
    sales::Mode slipMode() const;
    QString number() const;
    QString memberLevel() const;
    sales::Slip slip() const;
    Decimal totalAmount() const;
    QTableView *grid() const { return m_grid; }
    QLineEdit *box(const char *name) const;

    // Called by the held-slip chooser with the chosen header current in the headers dataset.
    void loadHeld(const Dataset &header);
    // Called by checkout after the posting.
    void slipCheckedOut();
    // Sums the lines into the totals boxes.
    void recomputeTotals();
    // The line rule on a line being changed: keeps a saved line of a held slip aside first.
    void writeLine(Dataset &lines, const saleline::Line &l);
    static saleline::Line lineOf(const Dataset &lines);
    // The two datasets must be open; otherwise the message and the window closes.
    bool datasetsOpen();

protected:
    bool eventFilter(QObject *obj, QEvent *ev) override;
    void closeEvent(QCloseEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    void build();
    void memberLookup();
    void goodsLookup();
    void clearGoods();
    void clearAfterSave();
    void clearSlipBoxes(std::initializer_list<QLineEdit *> boxes);
    bool memberUsable(); // the checks when the barcode box is entered
    bool checksBeforeSaving();
    void showLines(const QString &condition);
    void leaveChangedSlip();
    bool handleKey(int key);
    void setMode(bool change);

    QLabel *m_st1 = nullptr;
    QLineEdit *m_dh = nullptr, *m_jsr = nullptr, *m_hybm = nullptr, *m_hymc = nullptr, *m_ztbj = nullptr,
              *m_dj = nullptr, *m_zk = nullptr, *m_dhdz = nullptr, *m_bz = nullptr, *m_txm = nullptr,
              *m_ppgg = nullptr, *m_dw = nullptr, *m_zkbj = nullptr, *m_yjg = nullptr, *m_cbjg = nullptr,
              *m_jfjs = nullptr, *m_e1 = nullptr, *m_e2 = nullptr, *m_bcjf = nullptr, *m_zjf = nullptr;
    QDateEdit *m_rq = nullptr;
    QTableView *m_grid = nullptr;
    GridModel *m_model = nullptr;
    QPointer<QWidget> m_goodsChooser;
    bool m_noGoodsLookup = false, m_noReprice = false, m_checkingMember = false, m_shown = false;
};

// The held-slip chooser "选择挂单（未审销售单）".
class TFxzxs1 : public QDialog {
    Q_OBJECT
public:
    explicit TFxzxs1(TFtjxsd1 *counter);
    bool runQuery();
    bool choose();
    QTableView *grid() const { return m_grid; }

protected:
    void showEvent(QShowEvent *e) override;

private:
    QPointer<TFtjxsd1> m_counter;
    QLineEdit *m_card = nullptr, *m_name = nullptr;
    QCheckBox *m_check = nullptr;
    QDateEdit *m_from = nullptr, *m_to = nullptr;
    QTableView *m_grid = nullptr;
};

// The line dialog: "修改销售数量" (mode "xgsl") or "修改销售单价" (mode "xgjg").
class TFxgxsmx1 : public QDialog {
    Q_OBJECT
public:
    TFxgxsmx1(TFtjxsd1 *counter, bool price);
    bool save();
    QString mode() const;

private:
    void recompute();
    QPointer<TFtjxsd1> m_counter;
    bool m_price;
    QLabel *m_mode = nullptr;
    QLineEdit *m_txm = nullptr, *m_ppgg = nullptr, *m_sl = nullptr, *m_jg = nullptr, *m_je = nullptr;
};
