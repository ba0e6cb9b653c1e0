#include "capitals.h"

namespace {
const QString kDigits = QStringLiteral("零壹贰叁肆伍陆柒捌玖");
// Units of the integer digit positions 1..13, counted from the ones digit.
const QString kUnits = QStringLiteral("圆拾佰仟万拾佰仟亿拾佰仟万");
constexpr int kMaxIntegerDigits = 13;

bool isSectionPosition(int pos) { return pos == 1 || pos == 5 || pos == 9; }
}

QString amountInCapitals(Decimal amount)
{
    amount = amount.rounded(2);
    if (amount.isNegative()) {
        const QString rest = amountInCapitals(amount.abs());
        return rest.isEmpty() ? QString() : QStringLiteral("负") + rest;
    }
    // "0.00" formatting: integer digits, the point, two decimals.
    const QString fixed = amount.toFixed(2);
    const qsizetype point = fixed.indexOf(u'.');
    const QString intDigits = fixed.left(point);
    const int jiao = fixed.at(point + 1).digitValue();
    const int fen = fixed.at(point + 2).digitValue();
    if (intDigits == u"0" && jiao == 0 && fen == 0) return QStringLiteral("零");
    if (intDigits.size() > kMaxIntegerDigits) return {};

    const bool belowOne = intDigits == u"0";
    const int n = int(intDigits.size());

    // Integer part, from the ones digit upwards, building the text right to left. A zero gives
    // one 零 for a run of zeros, written by the run's lowest digit unless that digit closes a
    // section (圆, 万, 亿), where the section unit stands instead.
    QString text;
    bool previousZero = belowOne;
    for (int pos = 1; pos <= n; ++pos) {
        const int d = intDigits.at(n - pos).digitValue();
        QString piece;
        if (d != 0) {
            piece = kDigits.at(d) + kUnits.at(pos - 1);
        } else {
            if (!previousZero && !isSectionPosition(pos)) piece = kDigits.at(0);
            if (isSectionPosition(pos) && !(pos == 1 && belowOne)) piece += kUnits.at(pos - 1);
        }
        text.prepend(piece);
        previousZero = d == 0;
    }
    // An all-zero 万 section under 亿: its unit goes. When the thousands digit of the ones
    // section is not zero, a 零 marks the gap, else 伍亿捌仟... would read as 伍亿捌仟万...
    const bool thousandsNonZero = n >= 4 && intDigits.at(n - 4) != u'0';
    text.replace(QStringLiteral("亿万"), thousandsNonZero ? QStringLiteral("亿零") : QStringLiteral("亿"));

    // Decimal part: jiao, then fen.
    if (jiao != 0) text += kDigits.at(jiao) + QStringLiteral("角");
    else if (fen != 0 && !belowOne) text += kDigits.at(0);
    if (fen != 0) text += kDigits.at(fen) + QStringLiteral("分");
    else text += QStringLiteral("整");
    return text;
}
