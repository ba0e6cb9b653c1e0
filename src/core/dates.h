#pragma once
// Dates as the system writes them: yyyy-mm-dd texts compared as text, yyyymmdd in numbers and
// file names, and the clock text of the main window's status bar.
#include <QDate>
#include <QDateTime>
#include <QString>

namespace dates {
QString iso(const QDate &d);            // 2010-07-11
QString compact(const QDate &d);        // 20100711
QDate fromIso(const QString &text);     // invalid when the text is not yyyy-mm-dd
QString weekdayName(const QDate &d);    // 星期日 .. 星期六
// yyyy"年"mm"月"dd"日" dddd hh"时"mm"分"ss"秒"
QString clockText(const QDateTime &t);
// Month and day as "mmdd", for the birthday conditions.
QString monthDay(const QDate &d);
}
