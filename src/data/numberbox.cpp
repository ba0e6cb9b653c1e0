#include "numberbox.h"
#include "decimal.h"
#include <QLineEdit>
#include <QValidator>

namespace numbers {
namespace {
// Accepts what can be a number while it is typed: "", "-", "12", "12.", ".5", "-3.25".
class DecimalValidator : public QValidator {
public:
    DecimalValidator(bool allowMinus, QObject *parent) : QValidator(parent), m_minus(allowMinus) {}
    State validate(QString &input, int &) const override
    {
        bool point = false;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QChar c = input.at(i);
            if (c >= u'0' && c <= u'9') continue;
            if (c == u'.' && !point) { point = true; continue; }
            if (c == u'-' && m_minus && i == 0) continue;
            return Invalid;
        }
        return Acceptable;
    }

private:
    bool m_minus;
};

class DigitValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        for (const QChar c : std::as_const(input))
            if (c < u'0' || c > u'9') return Invalid;
        return Acceptable;
    }
};
}

void makeDecimalBox(QLineEdit *box, Sign sign) { box->setValidator(new DecimalValidator(sign == Sign::Signed, box)); }

void makeDigitBox(QLineEdit *box) { box->setValidator(new DigitValidator(box)); }

void zeroWhenEmptied(QLineEdit *box)
{
    QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString &t) {
        if (!t.isEmpty()) return;
        box->setText(QStringLiteral("0"));
        box->selectAll();
    });
}

QString roundedText(const QString &text, int decimals, bool *changed)
{
    if (changed) *changed = false;
    const QString t = text.trimmed();
    const qsizetype dot = t.indexOf(u'.');
    if (dot < 0 || t.size() - dot - 1 <= decimals) return text;
    // Round on the digits themselves, so that a long tail is not rounded twice.
    const QString kept = t.left(dot + 1 + decimals), rest = t.mid(dot + 1 + decimals);
    for (const QChar c : rest)
        if (!c.isDigit()) return text;
    auto base = Decimal::parse(kept.endsWith(u'.') ? kept.chopped(1) : kept);
    if (!base) return text;
    const int first = rest.at(0).digitValue();
    bool up = first > 5;
    if (first == 5) {
        bool beyond = false;
        for (qsizetype i = 1; i < rest.size(); ++i) beyond = beyond || rest.at(i) != u'0';
        if (beyond) up = true;
        else {
            // exactly half: to the even neighbour
            int64_t unit = Decimal::Scale;
            for (int i = 0; i < decimals; ++i) unit /= 10;
            up = (base->abs().raw() / unit) % 2 != 0;
        }
    }
    Decimal v = *base;
    if (up) {
        int64_t unit = Decimal::Scale;
        for (int i = 0; i < decimals; ++i) unit /= 10;
        v = t.startsWith(u'-') ? v - Decimal::fromRaw(unit) : v + Decimal::fromRaw(unit);
    }
    if (changed) *changed = true;
    return v.toFixed(decimals);
}

bool roundBox(QLineEdit *box, int decimals)
{
    bool changed = false;
    const QString t = roundedText(box->text(), decimals, &changed);
    if (changed) box->setText(t);
    return changed;
}
}
