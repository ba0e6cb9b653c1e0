#pragma once
#include <QWidget>

// The splash window shown while the program starts.
class TFqd1 : public QWidget {
    Q_OBJECT
public:
    explicit TFqd1(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *) override;
};
