#pragma once
// Boxes for amounts, prices and quantities (digits, one decimal point, a minus sign only where
// allowed) and for codes such as postcodes and identity card numbers (digits only).
#include <QString>

class QLineEdit;

namespace numbers {
enum class Sign { Unsigned, Signed };

// Digits and one decimal point; a second point, letters and other signs are refused.
void makeDecimalBox(QLineEdit *box, Sign sign = Sign::Unsigned);
// Digits only.
void makeDigitBox(QLineEdit *box);
// The box shows "0" as soon as it is emptied (the zero is selected, so typing replaces it).
void zeroWhenEmptied(QLineEdit *box);
// A text with more decimals than allowed is replaced by the value rounded (half to even) and
// written with exactly that many decimals; other texts stay as typed. True when it was replaced.
bool roundBox(QLineEdit *box, int decimals = 2);
// The same rule on a text.
QString roundedText(const QString &text, int decimals, bool *changed = nullptr);
}
