#pragma once
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

// The login dialog: operator name from the list, password checked against its stored hash.
class TFdl1 : public QDialog {
    Q_OBJECT
public:
    explicit TFdl1(QWidget *parent = nullptr);
    void reject() override; // only "取消" (or Esc) ends the dialog without login

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void ok();
    QComboBox *ComboBox1;
    QLineEdit *Edit1;
    QPushButton *SpeedButton1, *SpeedButton2;
    bool m_cancelled = false;
};
