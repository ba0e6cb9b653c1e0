#pragma once
// The category list "商品类别设置" and the unit list "计量单位设置" with their add dialogs.
#include "codelist.h"
#include "recorddialog.h"

// Puts the chosen category into the goods dialog's category box.
class TFlb1 : public CodeList {
    Q_OBJECT
public:
    explicit TFlb1(QWidget *parent = nullptr);
};

class TFtjlb1 : public RecordDialog {
    Q_OBJECT
public:
    explicit TFtjlb1(QWidget *parent = nullptr);
};

// Selection modes: "tjsp" the goods dialog's unit box, "tjzp" the gift dialog's unit box; any
// other mode closes without copying. More callers register with
// selection::registerBoxes("TFdw1", mode, {{"dw", box}}).
class TFdw1 : public CodeList {
    Q_OBJECT
public:
    explicit TFdw1(QWidget *parent = nullptr);
};

class TFtjdw1 : public RecordDialog {
    Q_OBJECT
public:
    explicit TFtjdw1(QWidget *parent = nullptr);
};
