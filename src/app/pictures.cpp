#include "pictures.h"
#include <QLinearGradient>
#include <QPainterPath>

namespace pictures {
void paintEmblem(QPainter &p, const QRect &r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(40, 110, 190));
    g.setColorAt(1, QColor(16, 56, 120));
    p.fillRect(r, g);
    const int w = r.width(), h = r.height();
    // shelves
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        const QRect shelf(r.left() + w / 10, r.top() + h / 6 + i * h / 6, w * 8 / 10, h / 40 + 2);
        p.setBrush(QColor(220, 230, 245));
        p.drawRect(shelf);
        for (int k = 0; k < 7; ++k) {
            p.setBrush(QColor::fromHsv((k * 47 + i * 90) % 360, 140, 240));
            p.drawRoundedRect(QRect(shelf.left() + 6 + k * shelf.width() / 7, shelf.top() - h / 10,
                                    shelf.width() / 10, h / 10), 3, 3);
        }
    }
    // the counter
    p.setBrush(QColor(245, 190, 60));
    p.drawRoundedRect(QRect(r.left() + w / 12, r.top() + h * 7 / 10, w * 10 / 12, h / 6), 6, 6);
    p.setBrush(QColor(60, 60, 70));
    p.drawRoundedRect(QRect(r.left() + w * 6 / 10, r.top() + h * 58 / 100, w / 6, h / 8), 4, 4);
    // a star
    QPainterPath star;
    const QPointF c(r.left() + w * 0.2, r.top() + h * 0.62);
    const double R = h * 0.07, rr = R * 0.45;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double rad = (i % 2) ? rr : R;
        const QPointF pt(c.x() + rad * std::cos(a), c.y() + rad * std::sin(a));
        if (i == 0) star.moveTo(pt); else star.lineTo(pt);
    }
    star.closeSubpath();
    p.setBrush(QColor(255, 230, 80));
    p.drawPath(star);
    p.restore();
}

void paintBanner(QPainter &p, const QRect &r, const QString &title)
{
    p.save();
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, QColor(16, 56, 120));
    g.setColorAt(1, QColor(70, 150, 220));
    p.fillRect(r, g);
    QFont f = p.font();
    f.setPointSize(18);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(r.adjusted(20, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, title);
    p.restore();
}
}
