#pragma once
#include <QString>
#include <stdexcept>

// An error raised by the database engine or by a dataset used wrongly (a field read on a closed
// dataset). The general error handler shows its text in a box; the screen stays.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}
    QString text() const { return m_text; }

private:
    QString m_text;
};
