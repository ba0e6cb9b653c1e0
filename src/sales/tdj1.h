#pragma once
// Member levels: the level list "会员等级设置" reached from the member dialog, and "新增会员等级".
#include "codelist.h"
#include "recorddialog.h"

// "选择" writes the level and its discount into the member dialog's boxes Edit8 and Edit9. The
// level "无卡顾客" cannot be deleted.
class TFdj1 : public CodeList {
    Q_OBJECT
public:
    explicit TFdj1(QWidget *parent = nullptr);
};

class TFtjdj1 : public RecordDialog {
    Q_OBJECT
public:
    explicit TFtjdj1(QWidget *parent = nullptr);
};
