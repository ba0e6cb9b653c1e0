#include "docnumber.h"
#include "dates.h"

namespace docnumber {
QString ceilingMessage() { return QStringLiteral("每天录入不可超过9999单！"); }

std::optional<QString> next(const QString &prefix, const QDate &day, const QString &lastOfDay)
{
    const QString stem = prefix + dates::compact(day);
    int seq = 1;
    const QString last = lastOfDay.trimmed();
    if (last.size() == Length && last.startsWith(stem)) {
        bool ok = false;
        const int n = last.mid(stem.size(), 4).toInt(&ok);
        if (ok) seq = n + 1;
    }
    if (seq > Ceiling) return std::nullopt;
    return stem + QString::number(seq).rightJustified(4, u'0');
}
}
