#pragma once
#include <QDialog>

// The about box.
class TFgy1 : public QDialog {
    Q_OBJECT
public:
    explicit TFgy1(QWidget *parent = nullptr);
};
