#pragma once
// Operator passwords are kept as salted hashes, never as the typed text.
#include <QString>

namespace password {
QString hash(const QString &plain);
// True when the typed text is the password the stored hash was made from (case and blanks count).
bool verify(const QString &stored, const QString &typed);
}
