#pragma once
// "人民币大小写转换": an amount in figures written out in Chinese capitals.
#include <QWidget>

class QLineEdit;
class QPushButton;

class TFntoc1 : public QWidget {
    Q_OBJECT
public:
    explicit TFntoc1(QWidget *parent = nullptr);

    // "转换": the capitals of the figures box ("负" before those of a negative amount).
    void convert();

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *obj, QEvent *ev) override;

private:
    void tidyFigures(); // leaving the figures box: two decimals, "0.00" when empty
    QLineEdit *Edit1 = nullptr; // 金额小写
    QLineEdit *Edit2 = nullptr; // 金额大写
    QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr;
};
