#include "tqd1.h"
#include "pictures.h"
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

TFqd1::TFqd1(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Fqd1"));
    setFixedSize(498, 356);
    if (QScreen *s = QGuiApplication::primaryScreen()) move(s->geometry().center() - rect().center());
}

void TFqd1::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    pictures::paintEmblem(p, rect());
    QFont f = font();
    f.setPointSize(20);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 20, width(), 40), Qt::AlignCenter, QStringLiteral("朗森柜台星通用行业版"));
    f.setPointSize(10);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(16, height() - 30, width() - 32, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("正在启动程序，请稍候"));
}
