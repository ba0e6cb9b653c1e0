#pragma once
// Suppliers: the list "厂商资料", its add-or-change dialog, its query and the supplier chooser.
#include "chooser.h"
#include "listwindow.h"
#include "querydialog.h"
#include "recorddialog.h"

class TFghs1 : public ListWindow {
    Q_OBJECT
public:
    explicit TFghs1(QWidget *parent = nullptr);

protected:
    RecordDialog *makeDialog() override;
    QueryDialog *makeQuery() override;
    void printList() override;
    void onImport() override;
};

class TFtjghs1 : public RecordDialog {
    Q_OBJECT
public:
    explicit TFtjghs1(QWidget *parent = nullptr);
};

class TFcxghs1 : public QueryDialog {
    Q_OBJECT
public:
    explicit TFcxghs1(QWidget *parent = nullptr);
};

// Selection modes "tjcg" (purchase entry) and "tjyffx" (payable dialog); each caller registers
// its supplier box: selection::registerBoxes("TFghs2", mode, {{"mc", box}}).
class TFghs2 : public Chooser {
    Q_OBJECT
public:
    explicit TFghs2(QWidget *parent = nullptr);
};
