#include "connection.h"
#include "password.h"
#include "schema.h"
#include "decimal.h"
#include <QDate>
#include <QFileInfo>
#include <sqlite3.h>
#include <cstring>

namespace {
QString engineText(sqlite3 *db) { return QString::fromUtf8(sqlite3_errmsg(db)); }
}

Statement::Statement(sqlite3 *db, const QString &sql) : m_db(db)
{
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr) != SQLITE_OK) {
        const QString err = engineText(db);
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw DbError(err);
    }
    if (!m_stmt) throw DbError(QStringLiteral("空的SQL语句"));
}

Statement::~Statement() { sqlite3_finalize(m_stmt); }

int Statement::columnCount() const { return sqlite3_column_count(m_stmt); }

void Statement::bindAt(int index, const QVariant &v)
{
    int rc;
    if (!v.isValid() || v.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else if (v.metaType() == QMetaType::fromType<Decimal>()) {
        rc = sqlite3_bind_int64(m_stmt, index, v.value<Decimal>().raw());
    } else {
        switch (v.metaType().id()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(m_stmt, index, v.toLongLong());
            break;
        default: {
            const QByteArray t = v.metaType().id() == QMetaType::QDate
                ? v.toDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8()
                : v.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK) throw DbError(engineText(m_db));
}

void Statement::bind(const Bindings &values)
{
    int positional = 0;
    for (const Binding &b : values) {
        int idx;
        if (b.name.isEmpty()) {
            idx = ++positional;
        } else {
            QByteArray n = b.name.toUtf8();
            if (!n.startsWith(':')) n.prepend(':');
            idx = sqlite3_bind_parameter_index(m_stmt, n.constData());
            if (idx == 0) continue; // a value the text does not use
        }
        bindAt(idx, b.value);
    }
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    throw DbError(engineText(m_db));
}

Connection::~Connection()
{
    if (m_db) sqlite3_close_v2(m_db);
}

bool Connection::open(const QString &path, QString *error, bool verify)
{
    auto fail = [&](const QString &why) {
        if (m_db) sqlite3_close_v2(m_db);
        m_db = nullptr;
        if (error) *error = why;
        return false;
    };
    close();
    m_path = path;
    const QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile()) return fail(QStringLiteral("文件不存在"));
    const QByteArray p = path.toUtf8();
    if (sqlite3_open_v2(p.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr) != SQLITE_OK)
        return fail(m_db ? engineText(m_db) : QStringLiteral("无法打开"));
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, 3000);
    try {
        // Reading the header proves the file is a database at all; the id proves it is ours.
        const QVariant appId = scalar(QStringLiteral("PRAGMA application_id"));
        if (appId.toInt() != schema::ApplicationId) return fail(QStringLiteral("不是本软件的数据库文件"));
        if (!exists(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name='danwei'")))
            return fail(QStringLiteral("缺少数据表"));
        exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        exec(QStringLiteral("PRAGMA synchronous=FULL"));
        exec(QStringLiteral("PRAGMA foreign_keys=OFF"));
        if (verify) {
            const QVariant check = scalar(QStringLiteral("PRAGMA quick_check"));
            if (check.toString() != QStringLiteral("ok")) return fail(check.toString());
        }
    } catch (const DbError &e) {
        return fail(e.text());
    }
    return true;
}

void Connection::close()
{
    if (!m_db) return;
    for (auto &fn : m_closeListeners) fn();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

sqlite3 *Connection::handle()
{
    if (!m_db) {
        QString why;
        if (m_path.isEmpty() || !open(m_path, &why, false))
            throw DbError(QStringLiteral("无法打开数据库：") + why);
    }
    return m_db;
}

void Connection::checkInjectedFailure(const QString &sql)
{
    if (!m_failFragment.isEmpty() && sql.contains(m_failFragment, Qt::CaseInsensitive)) {
        m_failFragment.clear();
        throw DbError(QStringLiteral("模拟的数据库故障"));
    }
}

Statement Connection::prepare(const QString &sql, const Bindings &values)
{
    checkInjectedFailure(sql);
    Statement st(handle(), sql);
    st.bind(values);
    return st;
}

int Connection::exec(const QString &sql, const Bindings &values)
{
    Statement st = prepare(sql, values);
    while (st.step()) {}
    return sqlite3_changes(m_db);
}

bool Connection::exists(const QString &sql, const Bindings &values)
{
    Statement st = prepare(sql, values);
    return st.step();
}

QVariant Connection::scalar(const QString &sql, const Bindings &values)
{
    Statement st = prepare(sql, values);
    if (!st.step() || st.columnCount() < 1) return {};
    sqlite3_stmt *s = st.handle();
    switch (sqlite3_column_type(s, 0)) {
    case SQLITE_INTEGER: return QVariant::fromValue<qlonglong>(sqlite3_column_int64(s, 0));
    case SQLITE_NULL: return {};
    default:
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 0)),
                                 sqlite3_column_bytes(s, 0));
    }
}

qint64 Connection::lastInsertId() { return sqlite3_last_insert_rowid(handle()); }
int Connection::changes() { return sqlite3_changes(handle()); }

bool Connection::inTransaction() const { return m_db && !sqlite3_get_autocommit(m_db); }

Connection::Transaction::Transaction(Connection &c) : m_c(c)
{
    if (c.inTransaction()) throw DbError(QStringLiteral("事务不可嵌套"));
    c.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

Connection::Transaction::~Transaction()
{
    if (!m_done && m_c.m_db && m_c.inTransaction()) sqlite3_exec(m_c.m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Connection::Transaction::commit()
{
    m_c.exec(QStringLiteral("COMMIT"));
    m_done = true;
}

bool createDatabase(const QString &path, QString *error)
{
    if (QFileInfo::exists(path)) {
        if (error) *error = QStringLiteral("文件已存在");
        return false;
    }
    sqlite3 *db = nullptr;
    const QByteArray p = path.toUtf8();
    if (sqlite3_open_v2(p.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        if (error) *error = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
        sqlite3_close_v2(db);
        return false;
    }
    try {
        auto run = [&](const QString &sql, const Bindings &b = {}) {
            Statement st(db, sql);
            st.bind(b);
            while (st.step()) {}
        };
        run(QStringLiteral("BEGIN"));
        for (const QString &s : schema::createStatements()) run(s);
        run(QStringLiteral("INSERT INTO danwei (mczc, mcdy, lxr, dh, cz, dz, bz1, bz2, dybz1, dybz2, dybz3, dybz4, dy) "
                           "VALUES (?, ?, '', '', '', '', '', '', ?, ?, ?, ?, ?)"),
            {{{}, QStringLiteral("我的店铺")}, {{}, QStringLiteral("我的店铺")},
             {{}, QStringLiteral("谢谢惠顾，欢迎再次光临！")}, {{}, QString()},
             {{}, QStringLiteral("谢谢惠顾")}, {{}, QStringLiteral("欢迎再次光临")},
             {{}, QStringLiteral("同时打印小票")}});
        run(QStringLiteral("INSERT INTO yhsz (yhmc, yhmm) VALUES (?, ?)"),
            {{{}, schema::adminName()}, {{}, password::hash(schema::initialAdminPassword())}});
        for (const QString &q : schema::permissionNames())
            run(QStringLiteral("INSERT INTO quanxian (yh, qx) VALUES (?, ?)"), {{{}, schema::adminName()}, {{}, q}});
        run(QStringLiteral("INSERT INTO dj (dj, zk) VALUES (?, ?)"),
            {{{}, schema::walkInLevel()}, {{}, QVariant::fromValue(Decimal::fromInt(1))}});
        run(QStringLiteral("INSERT INTO kh (bm, mc, xb, dj, zk, zjf, zxf, zj, yb, csrq, lxdh, lxdz, bz, kkrq, ztbj) "
                           "VALUES (?, ?, ?, ?, ?, 0, 0, '', '', '', '', '', ?, ?, ?)"),
            {{{}, QStringLiteral("0000")}, {{}, QStringLiteral("散客")}, {{}, QStringLiteral("男")},
             {{}, schema::walkInLevel()}, {{}, QVariant::fromValue(Decimal::fromInt(1))},
             {{}, QStringLiteral("不记名顾客")},
             {{}, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))}, {{}, QStringLiteral("可用")}});
        run(QStringLiteral("COMMIT"));
        run(QStringLiteral("PRAGMA journal_mode=WAL"));
    } catch (const DbError &e) {
        if (error) *error = e.text();
        sqlite3_close_v2(db);
        QFile::remove(path);
        return false;
    }
    sqlite3_close_v2(db);
    return true;
}
