#include "decimal.h"

static constexpr int64_t pow10i(int n)
{
    int64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

int64_t roundShiftHalfEven(__int128 value, int shift)
{
    if (shift <= 0) return int64_t(value);
    const __int128 div = pow10i(shift);
    const bool neg = value < 0;
    __int128 mag = neg ? -value : value;
    __int128 q = mag / div;
    const __int128 r = mag % div;
    const __int128 twice = r * 2;
    if (twice > div || (twice == div && (q & 1))) ++q;
    return int64_t(neg ? -q : q);
}

std::optional<Decimal> Decimal::parse(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    int i = 0;
    bool neg = false;
    if (t[0] == u'-' || t[0] == u'+') { neg = t[0] == u'-'; ++i; }
    __int128 units = 0;
    __int128 frac = 0;
    int fracDigits = 0;
    bool anyDigit = false, point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u'.') {
            if (point) return std::nullopt;
            point = true;
            continue;
        }
        if (c < u'0' || c > u'9') return std::nullopt;
        anyDigit = true;
        const int d = c.unicode() - u'0';
        if (!point) {
            units = units * 10 + d;
            if (units > (__int128)922337203685477LL) return std::nullopt; // beyond int64 ten-thousandths
        } else if (fracDigits < 18) {
            frac = frac * 10 + d;
            ++fracDigits;
        }
    }
    if (!anyDigit) return std::nullopt;
    __int128 scaledFrac;
    if (fracDigits <= 4) scaledFrac = frac * pow10i(4 - fracDigits);
    else scaledFrac = roundShiftHalfEven(frac, fracDigits - 4);
    __int128 raw = units * Scale + scaledFrac;
    if (neg) raw = -raw;
    return fromRaw(int64_t(raw));
}

Decimal Decimal::parseOr(const QString &text, Decimal fallback)
{
    auto d = parse(text);
    return d ? *d : fallback;
}

Decimal Decimal::rounded(int decimals) const
{
    if (decimals >= 4) return *this;
    if (decimals < 0) decimals = 0;
    const int shift = 4 - decimals;
    return fromRaw(roundShiftHalfEven(m_raw, shift) * pow10i(shift));
}

QString Decimal::toFixed(int decimals) const
{
    if (decimals < 0) decimals = 0;
    if (decimals > 4) decimals = 4;
    const Decimal r = rounded(decimals);
    const int64_t v = r.m_raw;
    const uint64_t mag = v < 0 ? uint64_t(-(v + 1)) + 1 : uint64_t(v);
    const uint64_t units = mag / Scale;
    const uint64_t frac = (mag % Scale) / uint64_t(pow10i(4 - decimals));
    QString s;
    if (v < 0) s += u'-';
    s += QString::number(units);
    if (decimals > 0) {
        s += u'.';
        s += QString::number(frac).rightJustified(decimals, u'0');
    }
    return s;
}

QString Decimal::toPlain() const
{
    QString s = toFixed(4);
    if (s.contains(u'.')) {
        while (s.endsWith(u'0')) s.chop(1);
        if (s.endsWith(u'.')) s.chop(1);
    }
    if (s == u"-0") s = QStringLiteral("0");
    return s;
}

Decimal operator*(Decimal a, Decimal b)
{
    const __int128 p = (__int128)a.m_raw * b.m_raw; // ten-thousandths squared
    return Decimal::fromRaw(roundShiftHalfEven(p, 4));
}

Decimal operator/(Decimal a, Decimal b)
{
    if (b.m_raw == 0) return Decimal();
    // a/b in ten-thousandths, computed with two guard digits, then rounded half to even.
    const __int128 num = (__int128)a.m_raw * Decimal::Scale * 100;
    __int128 q = num / b.m_raw;
    const __int128 r = num % b.m_raw;
    // Fold the remainder in as a sticky digit so an inexact .5 is not taken as an exact half.
    q *= 10;
    if (r != 0) q += (num < 0) != (b.m_raw < 0) ? -1 : 1;
    return Decimal::fromRaw(roundShiftHalfEven(q, 3));
}
