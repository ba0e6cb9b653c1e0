#pragma once
// Sales slip management: the slip list "销售出库单" with un-audit and delete, its query
// "按条件查询", and the browse window "浏览销售出库单" that prints the slip.
#include "listwindow.h"
#include "querydialog.h"
#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTableView;

class TFxsgl1 : public ListWindow {
    Q_OBJECT
public:
    explicit TFxsgl1(QWidget *parent = nullptr);
    void refreshStatus() override;

protected:
    void onReverse() override;
    void onDetails() override; // 查单
    void onDelete() override;
    QueryDialog *makeQuery() override;
    void printList() override;
};

class TFcxxsd1 : public QueryDialog {
    Q_OBJECT
public:
    explicit TFcxxsd1(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *e) override;
};

class TFllxsd1 : public QWidget {
    Q_OBJECT
public:
    explicit TFllxsd1(QWidget *parent = nullptr);
    // Shows the current slip of the headers dataset.
    void showSlip();
    void first();
    void prior();
    void next();
    void last();
    bool print();
    QPushButton *button(const char *name) const;
    QString panel(int i) const;
    QStatusBar *statusBar() const { return m_status; }

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    bool datasetsOpen();
    void move(int row, bool backwards);
    QLabel *m_state = nullptr;
    QLineEdit *m_dh = nullptr, *m_jsr = nullptr, *m_rq = nullptr, *m_hybm = nullptr, *m_hymc = nullptr,
              *m_ztbj = nullptr, *m_dj = nullptr, *m_zk = nullptr, *m_bcjf = nullptr, *m_dhdz = nullptr, *m_bz = nullptr;
    QTableView *m_grid = nullptr;
    QStatusBar *m_status = nullptr;
    QList<QLabel *> m_panels;
};

// Reopens the shared sales-detail and receivable datasets on a number that matches nothing,
// so that open screens show no rows of a slip deleted or reversed.
void refreshDetailsAndReceivables();
