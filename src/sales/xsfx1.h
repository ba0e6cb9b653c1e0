#pragma once
// Sales details "销售明细表": the posted sales lines with their totals, and the query.
#include "listwindow.h"
#include "querydialog.h"

class TFxsfx1 : public ListWindow {
    Q_OBJECT
public:
    explicit TFxsfx1(QWidget *parent = nullptr);
    void refreshStatus() override;

protected:
    QueryDialog *makeQuery() override;
    void printList() override;
};

class TFcxxs1 : public QueryDialog {
    Q_OBJECT
public:
    explicit TFcxxs1(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *e) override;
};
