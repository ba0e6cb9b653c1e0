#pragma once
// The single connection to the database file. It reopens itself on the next operation after it
// was closed (the quit request closes it so that a backup can copy the file).
#include "dberror.h"
#include <QString>
#include <QVariant>
#include <functional>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// A named (":name") or positional value bound to a statement.
struct Binding {
    QString name; // empty: positional, in order
    QVariant value;
};
using Bindings = std::vector<Binding>;

// A prepared statement; finalised when it goes out of scope.
class Statement {
public:
    Statement(sqlite3 *db, const QString &sql);
    Statement(Statement &&o) noexcept : m_db(o.m_db), m_stmt(std::exchange(o.m_stmt, nullptr)) {}
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    ~Statement();
    void bind(const Bindings &values);
    void bindAt(int index, const QVariant &value); // 1-based
    bool step(); // true while a row is available; throws on an engine error
    sqlite3_stmt *handle() const { return m_stmt; }
    int columnCount() const;

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Opens the file; refuses a missing file and one that is not a database of this program.
    // verify also reads every page once, refusing a damaged file (done at start-up, not on
    // the silent reopen after a close). Returns false with the reason in *error.
    bool open(const QString &path, QString *error = nullptr, bool verify = true);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    QString path() const { return m_path; }

    // The engine handle, reopening the connection first when it was closed.
    sqlite3 *handle();

    Statement prepare(const QString &sql, const Bindings &values = {});
    // Runs a statement that returns no rows; returns the number of rows changed.
    int exec(const QString &sql, const Bindings &values = {});
    // True when the query returns at least one row.
    bool exists(const QString &sql, const Bindings &values = {});
    // The first column of the first row, or a null value.
    QVariant scalar(const QString &sql, const Bindings &values = {});
    qint64 lastInsertId();
    int changes();

    // Called when the connection closes (datasets close with it).
    void onClose(std::function<void()> fn) { m_closeListeners.push_back(std::move(fn)); }

    // One transaction around a posting: committed by commit(), rolled back when left otherwise.
    class Transaction {
    public:
        explicit Transaction(Connection &c);
        ~Transaction();
        void commit();
        Transaction(const Transaction &) = delete;
        Transaction &operator=(const Transaction &) = delete;

    private:
        Connection &m_c;
        bool m_done = false;
    };
    bool inTransaction() const;

    // Test hook: the next statement whose text contains this fragment fails (once).
    void failNextStatementContaining(const QString &fragment) { m_failFragment = fragment; }

private:
    void checkInjectedFailure(const QString &sql);
    friend class Statement;
    sqlite3 *m_db = nullptr;
    QString m_path;
    QString m_failFragment;
    std::vector<std::function<void()>> m_closeListeners;
};

// Creates a new database file with every table and the first rows. Refuses to overwrite.
bool createDatabase(const QString &path, QString *error = nullptr);
