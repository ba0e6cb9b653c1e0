#pragma once
// The employee list "员工资料", its add-or-change dialog and the employee chooser.
#include "chooser.h"
#include "listwindow.h"
#include "recorddialog.h"

class TFyg1 : public ListWindow {
    Q_OBJECT
public:
    explicit TFyg1(QWidget *parent = nullptr);

protected:
    RecordDialog *makeDialog() override;
};

class TFtjyg1 : public RecordDialog {
    Q_OBJECT
public:
    explicit TFtjyg1(QWidget *parent = nullptr);
};

// Selection modes: "tjxs" sales slip, "tjcg" purchase, "tjrk", "tjck", "tjysfx", "tjskfx",
// "tjyffx", "tjfkfx", "tjszfx", "tjdui"; each caller registers the box that takes the name
// (selection::registerBoxes("TFyg2", mode, {{"xm", box}})).
class TFyg2 : public Chooser {
    Q_OBJECT
public:
    explicit TFyg2(QWidget *parent = nullptr);
};
