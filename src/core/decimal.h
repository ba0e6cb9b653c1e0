#pragma once
// Exact fixed-point number: a 64-bit count of ten-thousandths.
// Quantities, prices, amounts, points, discounts and rates are all held this way;
// nothing is ever rounded through a binary floating-point value.
#include <QMetaType>
#include <QString>
#include <cstdint>
#include <optional>

class Decimal {
    int64_t m_raw;
    constexpr explicit Decimal(int64_t raw, int) : m_raw(raw) {}

public:
    static constexpr int64_t Scale = 10000;

    constexpr Decimal() : m_raw(0) {}
    static constexpr Decimal fromRaw(int64_t raw) { return Decimal(raw, 0); }
    static constexpr Decimal fromInt(int64_t units) { return fromRaw(units * Scale); }

    // Parses the text of an edit box: optional blanks, optional sign, digits with at most one
    // point ("3", "3.5", ".5", "3."). More than four decimals are rounded to four (half to even).
    static std::optional<Decimal> parse(const QString &text);
    // Parse, or zero for an empty or malformed text.
    static Decimal parseOr(const QString &text, Decimal fallback = Decimal());

    constexpr int64_t raw() const { return m_raw; }
    constexpr bool isZero() const { return m_raw == 0; }
    constexpr bool isNegative() const { return m_raw < 0; }

    // Rounds to n decimals (0..4); an exact half goes to the even neighbour.
    Decimal rounded(int decimals) const;
    // Fixed number of decimals, as "0.00" or "0.0" formats do: 7.5 -> "7.50".
    QString toFixed(int decimals) const;
    // Plain text without trailing zeros or thousands separators: 1234.50 -> "1234.5", 0 -> "0".
    QString toPlain() const;

    // Products and quotients are exact to the last digit before rounding to four decimals.
    friend Decimal operator*(Decimal a, Decimal b);
    // Division by zero yields zero (callers check divisors first).
    friend Decimal operator/(Decimal a, Decimal b);
    friend constexpr Decimal operator+(Decimal a, Decimal b) { return fromRaw(a.m_raw + b.m_raw); }
    friend constexpr Decimal operator-(Decimal a, Decimal b) { return fromRaw(a.m_raw - b.m_raw); }
    constexpr Decimal operator-() const { return fromRaw(-m_raw); }
    Decimal &operator+=(Decimal o) { m_raw += o.m_raw; return *this; }
    Decimal &operator-=(Decimal o) { m_raw -= o.m_raw; return *this; }
    friend constexpr auto operator<=>(Decimal a, Decimal b) = default;
    Decimal abs() const { return fromRaw(m_raw < 0 ? -m_raw : m_raw); }

    // Product or quotient rounded first to four, then to two decimals: the value the screens store.
    static Decimal mul2(Decimal a, Decimal b) { return (a * b).rounded(2); }
    static Decimal div2(Decimal a, Decimal b) { return (a / b).rounded(2); }
};

// Rounds a 128-bit count down by 10^shift with half to even.
int64_t roundShiftHalfEven(__int128 value, int shift);

Q_DECLARE_METATYPE(Decimal)
