#pragma once
// The shop information dialog "填写店铺信息": the one row of danwei (shop name, print header,
// contact data, the footer lines of slips and receipts, the default print choice at checkout).
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

class TFdanwei1 : public QDialog {
    Q_OBJECT
public:
    explicit TFdanwei1(QWidget *parent = nullptr);

    // "保存": true when the row was written (the dialog then closes).
    bool save();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void load();
    QLineEdit *m_edit[13] = {}; // Edit1 .. Edit12 by number (index 0 unused)
    QComboBox *m_print = nullptr;
    QPushButton *m_save = nullptr, *m_close = nullptr;
};
