#pragma once
#include <QDialog>

class QLineEdit;
class QPushButton;

// The lock screen: work goes on only after the operator's password.
class TFlikai1 : public QDialog {
    Q_OBJECT
public:
    explicit TFlikai1(const QString &operatorName, QWidget *parent = nullptr);
    void reject() override; // Esc and the close button do not unlock

protected:
    void showEvent(QShowEvent *e) override;

private:
    void unlock();
    QLineEdit *Edit1, *Edit2;
    QPushButton *BitBtn1, *BitBtn2;
};
