#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The operator dialog in its three modes: "新增操作员", "修改操作员", "更改我的密码".
class TFtjyh1 : public QDialog {
    Q_OBJECT
public:
    explicit TFtjyh1(QWidget *parent = nullptr);
    // Sets the mode label and title, the captions and boxes as each mode needs them.
    void setMode(const QString &mode, const QString &operatorName = QString());
    QString mode() const;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void save();
    QLabel *ST1, *ST3, *ST4;
    QLineEdit *Edit1, *Edit2, *Edit3;
    QPushButton *BitBtn1, *BitBtn2;
};
