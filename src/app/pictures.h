#pragma once
// The program's pictures, painted in code: splash, login, about box, diagram banner.
#include <QPainter>
#include <QRect>
#include <QWidget>

namespace pictures {
// A counter with a till and goods shelves, in the program's blue.
void paintEmblem(QPainter &p, const QRect &r);
void paintBanner(QPainter &p, const QRect &r, const QString &title);

// The emblem as a widget, for the login dialog and the about box.
class Emblem : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        paintEmblem(p, rect());
    }
};
}
