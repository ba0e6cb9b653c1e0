#pragma once
// The conditions of a query built line by line: the first line starts with "where", the others
// with "and"; every value typed by the operator goes in as a bound parameter, never into the text.
#include "connection.h"
#include <QDate>
#include <QStringList>

class Dataset;

class Filter {
public:
    // "<field> like '%text%'" (the text bound; an empty text matches every row with a value).
    void like(const QString &field, const QString &text);
    // "<field> like pattern", the pattern bound as given ("%0101": ends with 0101).
    void pattern(const QString &field, const QString &likePattern);
    // "<field> <op> value", op one of = <> > >= < <=.
    void compare(const QString &field, const QString &op, const QVariant &value);
    void equals(const QString &field, const QVariant &value) { compare(field, QStringLiteral("="), value); }
    // Both ends included; dates as yyyy-mm-dd.
    void dateRange(const QString &field, const QDate &from, const QDate &to);
    // A condition without values, as written ("kcsl>0").
    void raw(const QString &condition);

    bool isEmpty() const { return m_lines.isEmpty(); }
    const QStringList &lines() const { return m_lines; }
    const Bindings &bindings() const { return m_bindings; }

    // Adds the lines and values to a dataset's SQL text.
    void addTo(Dataset &ds) const;
    // The statement "head" + lines + "tail", for the connection (totals queries).
    QString statement(const QString &head, const QString &tail = {}) const;

private:
    QString param(const QVariant &value);
    QString prefix() const { return m_lines.isEmpty() ? QStringLiteral("where ") : QStringLiteral("and "); }
    QStringList m_lines;
    Bindings m_bindings;
};

// The text of a date column.
inline QString sqlDate(const QDate &d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }
