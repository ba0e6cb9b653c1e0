#include "dataset.h"
#include "schema.h"
#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <sqlite3.h>

namespace {
QString closedText() { return QStringLiteral("数据集未打开，不能执行此操作"); }
}

Dataset::Dataset(Connection &conn, const QString &name, const QString &table, const QString &defaultSql,
                 QObject *parent)
    : QAbstractTableModel(parent), m_conn(conn), m_name(name), m_table(table), m_defaultSql(defaultSql)
{
    setObjectName(name);
    m_sql << defaultSql;
}

void Dataset::clearSql()
{
    m_sql.clear();
    m_bindings.clear();
}

void Dataset::addSql(const QString &line) { m_sql << line; }

void Dataset::setSql(const QString &text)
{
    clearSql();
    m_sql << text;
}

void Dataset::bind(const QString &name, const QVariant &value)
{
    for (Binding &b : m_bindings)
        if (b.name == name) { b.value = value; return; }
    m_bindings.push_back({name, value});
}

void Dataset::resetResult()
{
    m_cols.clear();
    m_colIndex.clear();
    m_physRows = 0;
    m_order.clear();
    m_cur = -1;
    m_eof = true;
    m_sort.clear();
    m_state = State::Browse;
    m_buffer.clear();
}

void Dataset::close()
{
    if (!m_open && m_cols.empty()) return;
    beginResetModel();
    m_open = false;
    resetResult();
    endResetModel();
    Q_EMIT currentRowChanged(-1);
    Q_EMIT openedOrClosed();
}

void Dataset::open()
{
    close();
    const QString sql = m_sql.join(u'\n');
    Statement st = m_conn.prepare(sql, m_bindings);
    sqlite3_stmt *s = st.handle();
    const int n = sqlite3_column_count(s);
    std::vector<Column> cols(static_cast<size_t>(n));
    for (int c = 0; c < n; ++c) {
        Column &col = cols[size_t(c)];
        col.name = QString::fromUtf8(sqlite3_column_name(s, c));
        const char *decl = sqlite3_column_decltype(s, c);
        if (decl) {
            const QByteArray d = QByteArray(decl).toUpper();
            if (d == schema::DecimalType) col.kind = Kind::Decimal;
            else if (d.contains("INT")) col.kind = Kind::Int;
            else col.kind = Kind::Text;
        } else {
            col.kind = schema::isDecimalName(col.name) ? Kind::Decimal : Kind::Text;
        }
    }
    // The last result's size is a good guess for the next one: grow the columns once.
    if (m_sizeHint > 0) {
        for (Column &col : cols) {
            col.null.reserve(size_t(m_sizeHint));
            if (col.kind == Kind::Text) {
                col.start.reserve(size_t(m_sizeHint));
                col.len.reserve(size_t(m_sizeHint));
            } else {
                col.num.reserve(size_t(m_sizeHint));
            }
        }
    }
    int rows = 0;
    while (st.step()) {
        for (int c = 0; c < n; ++c) {
            Column &col = cols[size_t(c)];
            const int type = sqlite3_column_type(s, c);
            const bool isNull = type == SQLITE_NULL;
            col.null.push_back(isNull ? 1 : 0);
            if (col.kind == Kind::Text) {
                const char *p = reinterpret_cast<const char *>(sqlite3_column_text(s, c));
                const int len = sqlite3_column_bytes(s, c);
                col.start.push_back(col.bytes.size());
                col.len.push_back(uint32_t(len));
                if (len > 0) col.bytes.append(p, size_t(len));
            } else if (type == SQLITE_FLOAT) {
                // A non-integer value in a number column (written by another program): keep it exact
                // to four decimals through its text.
                const char *p = reinterpret_cast<const char *>(sqlite3_column_text(s, c));
                const auto d = Decimal::parse(QString::fromUtf8(p));
                const int64_t raw = d ? d->raw() : 0;
                col.num.push_back(col.kind == Kind::Decimal ? raw : raw / Decimal::Scale);
            } else if (type == SQLITE_TEXT && col.kind == Kind::Decimal) {
                const char *p = reinterpret_cast<const char *>(sqlite3_column_text(s, c));
                col.num.push_back(Decimal::parseOr(QString::fromUtf8(p)).raw());
            } else {
                col.num.push_back(isNull ? 0 : sqlite3_column_int64(s, c));
            }
        }
        ++rows;
    }
    beginResetModel();
    m_cols = std::move(cols);
    for (int c = 0; c < n; ++c) m_colIndex.insert(m_cols[size_t(c)].name.toLower(), c);
    m_physRows = rows;
    m_sizeHint = rows;
    m_order.resize(size_t(rows));
    for (int i = 0; i < rows; ++i) m_order[size_t(i)] = i;
    m_open = true;
    m_cur = rows > 0 ? 0 : -1;
    m_eof = rows == 0;
    endResetModel();
    Q_EMIT currentRowChanged(m_cur);
    Q_EMIT openedOrClosed();
}

void Dataset::execSql()
{
    close();
    m_conn.exec(m_sql.join(u'\n'), m_bindings);
}

void Dataset::setCurrent(int row)
{
    if (row == m_cur) return;
    m_cur = row;
    Q_EMIT currentRowChanged(m_cur);
}

void Dataset::first()
{
    requireOpen();
    m_eof = m_order.empty();
    setCurrent(m_order.empty() ? -1 : 0);
}

void Dataset::next()
{
    requireOpen();
    if (m_cur + 1 < recordCount()) setCurrent(m_cur + 1);
    else m_eof = true;
}

void Dataset::prior()
{
    requireOpen();
    if (m_cur > 0) setCurrent(m_cur - 1);
    m_eof = m_order.empty();
}

void Dataset::last()
{
    requireOpen();
    m_eof = m_order.empty();
    setCurrent(recordCount() - 1);
}

void Dataset::moveTo(int row)
{
    if (!m_open || row < 0 || row >= recordCount()) return;
    m_eof = false;
    setCurrent(row);
}

int Dataset::fieldIndex(const QString &field) const { return m_colIndex.value(field.toLower(), -1); }

QStringList Dataset::fieldNames() const
{
    QStringList out;
    for (const Column &c : m_cols) out << c.name;
    return out;
}

void Dataset::requireOpen() const
{
    if (!m_open) throw DbError(m_name + u": " + closedText());
}

void Dataset::requireRecord() const
{
    requireOpen();
    if (m_cur < 0) throw DbError(m_name + QStringLiteral(": 没有当前记录"));
}

int Dataset::requireField(const QString &field) const
{
    requireOpen();
    const int c = fieldIndex(field);
    if (c < 0) throw DbError(m_name + QStringLiteral(": 找不到字段“") + field + u"”");
    return c;
}

bool Dataset::cellNull(int phys, int col) const { return m_cols[size_t(col)].null[size_t(phys)] != 0; }

QString Dataset::cellText(int phys, int col) const
{
    const Column &c = m_cols[size_t(col)];
    if (c.null[size_t(phys)]) return {};
    switch (c.kind) {
    case Kind::Text:
        return QString::fromUtf8(c.bytes.data() + c.start[size_t(phys)], qsizetype(c.len[size_t(phys)]));
    case Kind::Decimal: return Decimal::fromRaw(c.num[size_t(phys)]).toPlain();
    case Kind::Int: return QString::number(c.num[size_t(phys)]);
    }
    return {};
}

Decimal Dataset::cellDec(int phys, int col) const
{
    const Column &c = m_cols[size_t(col)];
    if (c.null[size_t(phys)]) return {};
    switch (c.kind) {
    case Kind::Decimal: return Decimal::fromRaw(c.num[size_t(phys)]);
    case Kind::Int: return Decimal::fromInt(c.num[size_t(phys)]);
    case Kind::Text: {
        const QString t = cellText(phys, col);
        if (t.trimmed().isEmpty()) return {};
        const auto d = Decimal::parse(t);
        if (!d) throw DbError(u"“" + t + QStringLiteral("”不是有效的数值"));
        return *d;
    }
    }
    return {};
}

QVariant Dataset::cellValue(int phys, int col) const
{
    const Column &c = m_cols[size_t(col)];
    if (c.null[size_t(phys)]) return {};
    switch (c.kind) {
    case Kind::Decimal: return QVariant::fromValue(Decimal::fromRaw(c.num[size_t(phys)]));
    case Kind::Int: return QVariant::fromValue<qlonglong>(c.num[size_t(phys)]);
    case Kind::Text: return cellText(phys, col);
    }
    return {};
}

QVariant Dataset::currentValue(int col) const
{
    if (m_state != State::Browse && m_buffer.contains(col)) return m_buffer.value(col);
    if (m_state == State::Insert) return {};
    requireRecord();
    return cellValue(physical(m_cur), col);
}

QString Dataset::text(const QString &field) const
{
    const int c = requireField(field);
    if (m_state == State::Browse) {
        requireRecord();
        return cellText(physical(m_cur), c);
    }
    const QVariant v = currentValue(c);
    if (v.metaType() == QMetaType::fromType<Decimal>()) return v.value<Decimal>().toPlain();
    return v.toString();
}

Decimal Dataset::dec(const QString &field) const
{
    const int c = requireField(field);
    if (m_state == State::Browse) {
        requireRecord();
        return cellDec(physical(m_cur), c);
    }
    const QVariant v = currentValue(c);
    if (v.metaType() == QMetaType::fromType<Decimal>()) return v.value<Decimal>();
    if (!v.isValid() || v.isNull()) return {};
    if (v.metaType().id() == QMetaType::LongLong) return Decimal::fromInt(v.toLongLong());
    return Decimal::parseOr(v.toString());
}

qint64 Dataset::integer(const QString &field) const
{
    const int c = requireField(field);
    const QVariant v = currentValue(c);
    if (v.metaType() == QMetaType::fromType<Decimal>()) return v.value<Decimal>().rounded(0).raw() / Decimal::Scale;
    return v.toLongLong();
}

bool Dataset::isNull(const QString &field) const
{
    const int c = requireField(field);
    const QVariant v = currentValue(c);
    return !v.isValid() || v.isNull();
}

QVariant Dataset::value(const QString &field) const { return currentValue(requireField(field)); }

QString Dataset::textAt(int row, int col) const { return cellText(physical(row), col); }
Decimal Dataset::decAt(int row, int col) const { return cellDec(physical(row), col); }
bool Dataset::isNullAt(int row, int col) const { return cellNull(physical(row), col); }

int Dataset::idColumn() const
{
    const int c = fieldIndex(QStringLiteral("id"));
    if (c < 0) throw DbError(m_name + QStringLiteral(": 结果中没有id字段，无法定位记录"));
    return c;
}

void Dataset::append()
{
    requireOpen();
    if (m_state != State::Browse) post();
    m_buffer.clear();
    m_state = State::Insert;
}

void Dataset::edit()
{
    requireRecord();
    if (m_state == State::Edit) return;
    if (m_state == State::Insert) post();
    m_buffer.clear();
    m_state = State::Edit;
}

QVariant Dataset::convertForColumn(int col, const QVariant &v) const
{
    const Kind k = m_cols[size_t(col)].kind;
    if (!v.isValid() || v.isNull()) return {};
    const bool isDec = v.metaType() == QMetaType::fromType<Decimal>();
    switch (k) {
    case Kind::Decimal: {
        if (isDec) return v;
        if (v.metaType().id() == QMetaType::Int || v.metaType().id() == QMetaType::LongLong)
            return QVariant::fromValue(Decimal::fromInt(v.toLongLong()));
        const QString t = v.toString();
        if (t.trimmed().isEmpty()) return {}; // an empty text makes a number field null
        const auto d = Decimal::parse(t);
        if (!d) throw DbError(u"“" + t + QStringLiteral("”不是有效的数值"));
        return QVariant::fromValue(*d);
    }
    case Kind::Int: {
        if (isDec) return QVariant::fromValue<qlonglong>(v.value<Decimal>().raw() / Decimal::Scale);
        bool ok = false;
        const qlonglong n = v.toString().trimmed().toLongLong(&ok);
        if (!ok) throw DbError(u"“" + v.toString() + QStringLiteral("”不是有效的整数"));
        return n;
    }
    case Kind::Text:
        if (isDec) return v.value<Decimal>().toPlain();
        return v.toString();
    }
    return v;
}

void Dataset::setValue(const QString &field, const QVariant &value)
{
    const int c = requireField(field);
    if (m_state == State::Browse) edit();
    m_buffer.insert(c, convertForColumn(c, value));
}

void Dataset::appendEmptyPhysicalRow()
{
    for (Column &c : m_cols) {
        c.null.push_back(1);
        if (c.kind == Kind::Text) {
            c.start.push_back(c.bytes.size());
            c.len.push_back(0);
        } else {
            c.num.push_back(0);
        }
    }
    ++m_physRows;
}

void Dataset::setCell(int phys, int col, const QVariant &v)
{
    Column &c = m_cols[size_t(col)];
    const bool isNull = !v.isValid() || v.isNull();
    c.null[size_t(phys)] = isNull ? 1 : 0;
    if (c.kind == Kind::Text) {
        const QByteArray u = isNull ? QByteArray() : v.toString().toUtf8();
        c.start[size_t(phys)] = c.bytes.size();
        c.len[size_t(phys)] = uint32_t(u.size());
        c.bytes.append(u.constData(), size_t(u.size()));
    } else if (c.kind == Kind::Decimal) {
        c.num[size_t(phys)] = isNull ? 0 : v.value<Decimal>().raw();
    } else {
        c.num[size_t(phys)] = isNull ? 0 : v.toLongLong();
    }
}

void Dataset::post()
{
    if (m_state == State::Browse) return;
    const QString table = m_table;
    if (m_state == State::Insert) {
        const int idc = idColumn();
        QStringList names, marks;
        Bindings values;
        for (auto it = m_buffer.cbegin(); it != m_buffer.cend(); ++it) {
            if (it.key() == idc) continue;
            names << m_cols[size_t(it.key())].name;
            marks << QStringLiteral("?");
            values.push_back({{}, it.value()});
        }
        QString sql = QStringLiteral("INSERT INTO ") + table;
        if (names.isEmpty()) sql += QStringLiteral(" DEFAULT VALUES");
        else sql += QStringLiteral(" (") + names.join(u',') + QStringLiteral(") VALUES (") + marks.join(u',') + u')';
        m_conn.exec(sql, values);
        const qint64 id = m_conn.lastInsertId();
        const int row = recordCount();
        beginInsertRows({}, row, row);
        appendEmptyPhysicalRow();
        const int phys = m_physRows - 1;
        for (auto it = m_buffer.cbegin(); it != m_buffer.cend(); ++it) setCell(phys, it.key(), it.value());
        setCell(phys, idc, QVariant::fromValue<qlonglong>(id));
        m_order.push_back(phys);
        endInsertRows();
        m_state = State::Browse;
        m_buffer.clear();
        m_eof = false;
        setCurrent(row);
        return;
    }
    // Edit: write the changed fields of the current record.
    const int idc = idColumn();
    const int phys = physical(m_cur);
    if (!m_buffer.isEmpty()) {
        QStringList sets;
        Bindings values;
        for (auto it = m_buffer.cbegin(); it != m_buffer.cend(); ++it) {
            if (it.key() == idc) continue;
            sets << m_cols[size_t(it.key())].name + QStringLiteral("=?");
            values.push_back({{}, it.value()});
        }
        values.push_back({{}, QVariant::fromValue<qlonglong>(m_cols[size_t(idc)].num[size_t(phys)])});
        if (!sets.isEmpty())
            m_conn.exec(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + sets.join(u',')
                            + QStringLiteral(" WHERE id=?"),
                        values);
        for (auto it = m_buffer.cbegin(); it != m_buffer.cend(); ++it)
            if (it.key() != idc) setCell(phys, it.key(), it.value());
    }
    m_state = State::Browse;
    m_buffer.clear();
    Q_EMIT dataChanged(index(m_cur, 0), index(m_cur, columnCount() - 1));
}

void Dataset::cancel()
{
    m_state = State::Browse;
    m_buffer.clear();
}

void Dataset::remove()
{
    if (m_state == State::Insert) { cancel(); return; }
    m_state = State::Browse;
    m_buffer.clear();
    requireRecord();
    const int idc = idColumn();
    const int row = m_cur;
    const qlonglong id = m_cols[size_t(idc)].num[size_t(physical(row))];
    m_conn.exec(QStringLiteral("DELETE FROM ") + m_table + QStringLiteral(" WHERE id=?"),
                {{{}, QVariant::fromValue(id)}});
    beginRemoveRows({}, row, row);
    m_order.erase(m_order.begin() + row);
    endRemoveRows();
    const int n = recordCount();
    m_eof = n == 0;
    m_cur = -2; // force the signal
    setCurrent(n == 0 ? -1 : std::min(row, n - 1));
}

void Dataset::setSort(const QString &sort)
{
    requireOpen();
    m_sort = sort.trimmed();
    applySort();
}

void Dataset::applySort()
{
    const QStringList parts = m_sort.split(u' ', Qt::SkipEmptyParts);
    const int c = parts.isEmpty() ? -1 : fieldIndex(parts.first());
    if (c < 0) return;
    const bool desc = parts.size() > 1 && parts[1].compare(u"DESC", Qt::CaseInsensitive) == 0;
    const int curPhys = m_cur >= 0 ? physical(m_cur) : -1;
    const Column &col = m_cols[size_t(c)];
    // Rows still in the result (deleted rows are gone from m_order).
    std::vector<int> order(m_order.begin(), m_order.end());
    if (col.kind == Kind::Text) {
        QCollator coll(QLocale(QLocale::Chinese, QLocale::China));
        coll.setNumericMode(false);
        std::vector<QCollatorSortKey> keys;
        keys.reserve(size_t(m_physRows));
        for (int p = 0; p < m_physRows; ++p) keys.push_back(coll.sortKey(cellText(p, c)));
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const bool na = col.null[size_t(a)], nb = col.null[size_t(b)];
            if (na != nb) return desc ? nb : na; // nulls first ascending
            const int r = keys[size_t(a)].compare(keys[size_t(b)]);
            return desc ? r > 0 : r < 0;
        });
    } else {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const bool na = col.null[size_t(a)], nb = col.null[size_t(b)];
            if (na != nb) return desc ? nb : na;
            const int64_t x = col.num[size_t(a)], y = col.num[size_t(b)];
            return desc ? x > y : x < y;
        });
    }
    beginResetModel();
    m_order = std::move(order);
    endResetModel();
    int row = -1;
    if (curPhys >= 0)
        row = int(std::find(m_order.begin(), m_order.end(), curPhys) - m_order.begin());
    m_cur = -2;
    setCurrent(row);
}

void Dataset::suspend()
{
    if (m_suspend++ == 0) Q_EMIT suspendedChanged(true);
}

void Dataset::resume()
{
    if (m_suspend > 0 && --m_suspend == 0) Q_EMIT suspendedChanged(false);
}

int Dataset::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : recordCount(); }
int Dataset::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_cols.size()); }

QVariant Dataset::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= recordCount() || index.column() >= columnCount()) return {};
    if (role == Qt::DisplayRole) return textAt(index.row(), index.column());
    if (role == Qt::EditRole) return cellValue(physical(index.row()), index.column());
    return {};
}

QVariant Dataset::headerData(int section, Qt::Orientation o, int role) const
{
    if (role == Qt::DisplayRole && o == Qt::Horizontal && section < columnCount())
        return m_cols[size_t(section)].name;
    return QAbstractTableModel::headerData(section, o, role);
}
