#include "sqlfilter.h"
#include "dataset.h"

QString Filter::param(const QVariant &value)
{
    const QString name = QStringLiteral(":f") + QString::number(m_bindings.size());
    m_bindings.push_back({name, value});
    return name;
}

void Filter::like(const QString &field, const QString &text)
{
    const QString p = param(QString(u'%' + text + u'%'));
    m_lines << prefix() + field + QStringLiteral(" like ") + p;
}

void Filter::pattern(const QString &field, const QString &likePattern)
{
    const QString p = param(likePattern);
    m_lines << prefix() + field + QStringLiteral(" like ") + p;
}

void Filter::compare(const QString &field, const QString &op, const QVariant &value)
{
    static const QStringList ops = {QStringLiteral("="), QStringLiteral("<>"), QStringLiteral(">"),
                                    QStringLiteral(">="), QStringLiteral("<"), QStringLiteral("<=")};
    const QString o = ops.contains(op) ? op : QStringLiteral("=");
    const QString p = param(value);
    m_lines << prefix() + field + o + p;
}

void Filter::dateRange(const QString &field, const QDate &from, const QDate &to)
{
    const QString a = param(sqlDate(from));
    const QString b = param(sqlDate(to));
    m_lines << prefix() + field + QStringLiteral(">=") + a + QStringLiteral(" and ") + field + QStringLiteral("<=") + b;
}

void Filter::raw(const QString &condition) { m_lines << prefix() + condition; }

void Filter::addTo(Dataset &ds) const
{
    for (const QString &l : m_lines) ds.addSql(l);
    for (const Binding &b : m_bindings) ds.bind(b.name, b.value);
}

QString Filter::statement(const QString &head, const QString &tail) const
{
    QStringList all{head};
    all << m_lines;
    if (!tail.isEmpty()) all << tail;
    return all.join(u'\n');
}
