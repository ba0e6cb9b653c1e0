#include "dates.h"

namespace dates {
QString iso(const QDate &d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }
QString compact(const QDate &d) { return d.toString(QStringLiteral("yyyyMMdd")); }
QDate fromIso(const QString &text)
{
    if (text.size() != 10) return {};
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}
QString weekdayName(const QDate &d)
{
    static const char16_t *names[] = {u"星期一", u"星期二", u"星期三", u"星期四",
                                      u"星期五", u"星期六", u"星期日"};
    const int w = d.dayOfWeek();
    return w >= 1 && w <= 7 ? QString::fromUtf16(names[w - 1]) : QString();
}
QString clockText(const QDateTime &t)
{
    const QDate d = t.date();
    const QTime c = t.time();
    auto two = [](int v) { return QString::number(v).rightJustified(2, u'0'); };
    return QString::number(d.year()) + u"年" + two(d.month()) + u"月" + two(d.day()) + u"日 "
        + weekdayName(d) + u' ' + two(c.hour()) + u"时" + two(c.minute()) + u"分" + two(c.second()) + u"秒";
}
QString monthDay(const QDate &d) { return d.toString(QStringLiteral("MMdd")); }
}
