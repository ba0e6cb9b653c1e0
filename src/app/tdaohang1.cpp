#include "tdaohang1.h"
#include "pictures.h"
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

NavText::NavText(const QString &text, const QString &entry, QWidget *parent) : QLabel(text, parent), m_entry(entry)
{
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setPointSize(11);
    f.setBold(true);
    setFont(f);
    setAttribute(Qt::WA_TranslucentBackground);
    adjustSize();
}

void NavText::enterEvent(QEnterEvent *e)
{
    setStyleSheet(QStringLiteral("color: rgb(0,128,0);"));
    QLabel::enterEvent(e);
}

void NavText::leaveEvent(QEvent *e)
{
    setStyleSheet(QString());
    QLabel::leaveEvent(e);
}

void NavText::mouseReleaseEvent(QMouseEvent *e)
{
    QLabel::mouseReleaseEvent(e);
    if (rect().contains(e->position().toPoint())) Q_EMIT clicked(m_entry);
}

namespace {
struct Spot {
    const char16_t *text;
    int x, y;
    const char *entry;
};
const Spot kSpots[] = {
    {u"采购管理", 152, 140, "N301"},   {u"销售管理", 464, 140, "N302"},
    {u"商品库存查询", 304, 228, "N407"}, {u"会员管理", 152, 312, "N203"},
    {u"兑换积分", 464, 312, "N306"},   {u"○帮助", 172, 408, "N804"},
    {u"○问答", 272, 408, "N805"},     {u"○厂商", 390, 408, "N202"},
    {u"○商品", 490, 408, "N201"},     {u"○赠品", 590, 408, "N206"},
};
}

TFdaohang1::TFdaohang1(std::function<void(const QString &)> run, QWidget *parent)
    : QWidget(parent), m_run(std::move(run))
{
    setObjectName(QStringLiteral("Fdaohang1"));
    setWindowTitle(QStringLiteral("业务导航图"));
    setFixedSize(710, 468);
    setAttribute(Qt::WA_DeleteOnClose);
    for (const Spot &s : kSpots) {
        auto *t = new NavText(QString::fromUtf16(s.text), QLatin1String(s.entry), this);
        t->setObjectName(QLatin1String(s.entry) + QStringLiteral("Text"));
        t->move(s.x, s.y);
        connect(t, &NavText::clicked, this, [this](const QString &entry) {
            if (m_run) m_run(entry);
        });
    }
    auto *build = new QLabel(QStringLiteral("Build 2010.07.11"), this);
    build->setStyleSheet(QStringLiteral("color: rgb(90,90,90);"));
    build->adjustSize();
    build->move(584, 72);
}

NavText *TFdaohang1::text(const QString &caption) const
{
    for (NavText *t : findChildren<NavText *>())
        if (t->text() == caption) return t;
    return nullptr;
}

void TFdaohang1::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) close();
    else QWidget::keyPressEvent(e);
}

void TFdaohang1::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(255, 251, 230)); // cream
    pictures::paintBanner(p, QRect(0, 0, width(), 70), QStringLiteral("业务导航图"));
    // The flow: suppliers -> purchases -> stock -> sales -> members -> points -> gifts.
    auto box = [&](int x, int y, int w, int h, QColor c) {
        p.setPen(QPen(c.darker(140), 2));
        p.setBrush(c);
        p.drawRoundedRect(QRect(x, y, w, h), 10, 10);
    };
    auto arrow = [&](QPointF a, QPointF b) {
        p.setPen(QPen(QColor(90, 90, 90), 2));
        p.drawLine(a, b);
        const QLineF l(b, a);
        QLineF h1 = l;
        h1.setLength(10);
        h1.setAngle(l.angle() + 25);
        QLineF h2 = l;
        h2.setLength(10);
        h2.setAngle(l.angle() - 25);
        p.drawLine(h1);
        p.drawLine(h2);
    };
    box(120, 118, 130, 60, QColor(186, 220, 255));  // purchases
    box(432, 118, 130, 60, QColor(255, 214, 170));  // sales
    box(272, 206, 160, 60, QColor(200, 240, 200));  // stock
    box(120, 290, 130, 60, QColor(255, 236, 160));  // members
    box(432, 290, 130, 60, QColor(240, 200, 240));  // points
    arrow(QPointF(250, 160), QPointF(300, 210));     // purchases into stock
    arrow(QPointF(404, 210), QPointF(452, 178));     // stock out to sales
    arrow(QPointF(497, 178), QPointF(497, 290));     // sales give points
    arrow(QPointF(250, 320), QPointF(432, 320));     // members redeem points
    arrow(QPointF(185, 290), QPointF(432, 160));     // members buy
    p.setPen(QPen(QColor(180, 170, 140), 1));
    p.drawLine(20, 398, width() - 20, 398);
}
