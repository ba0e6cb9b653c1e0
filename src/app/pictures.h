#pragma once
// The program's pictures, painted in code: splash, login, about box, diagram banner.
#include <QPainter>
#include <QRect>

namespace pictures {
// A counter with a till and goods shelves, in the program's blue.
void paintEmblem(QPainter &p, const QRect &r);
void paintBanner(QPainter &p, const QRect &r, const QString &title);
}
