#pragma once
// Document numbers: two letters, the day as yyyymmdd and a four-digit daily sequence,
// 14 characters in all ("XS201004050001"). The next number continues from the day's last one.
#include <QDate>
#include <QString>
#include <optional>

namespace docnumber {
inline constexpr int Length = 14;
inline constexpr int Ceiling = 9999;
// The message shown when a day already has 9999 documents.
QString ceilingMessage();
// Next number for the day; lastOfDay is the highest number already used that day (empty if none).
// Returns nothing when the day's sequence is exhausted.
std::optional<QString> next(const QString &prefix, const QDate &day, const QString &lastOfDay);
}
