#pragma once
// A shared dataset: one SQL text and, while open, its whole result held in memory, a current
// record that every bound grid follows, a client-side sort, and positioned append, edit and
// delete written back to its table by id.
#include "connection.h"
#include "decimal.h"
#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <string>
#include <vector>

class Dataset : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class State { Browse, Edit, Insert };
    enum class Kind { Int, Decimal, Text };

    Dataset(Connection &conn, const QString &name, const QString &table, const QString &defaultSql,
            QObject *parent = nullptr);

    QString name() const { return m_name; }
    QString table() const { return m_table; }
    Connection &connection() const { return m_conn; }

    // SQL text: lines joined with line breaks when run. Values go in as bound parameters.
    void clearSql();
    void addSql(const QString &line);
    void setSql(const QString &text);
    QStringList sqlLines() const { return m_sql; }
    void bind(const QString &name, const QVariant &value);

    void open();    // runs the text and fetches every row; the first record becomes current
    void execSql(); // runs a statement; the dataset holds no result afterwards
    void close();
    bool isOpen() const { return m_open; }

    // Navigation over the result in its current order.
    int recordCount() const { return int(m_order.size()); }
    bool isEmpty() const { return m_order.empty(); }
    bool eof() const { return m_eof; }
    void first();
    void next();
    void prior();
    void last();
    int recNo() const { return m_cur; } // 0-based row of the current record, -1 when none
    void moveTo(int row);

    // Fields of the result.
    int fieldIndex(const QString &field) const;
    QStringList fieldNames() const;
    Kind fieldKind(int col) const { return m_cols[col].kind; }
    bool hasField(const QString &field) const { return fieldIndex(field) >= 0; }

    // Field values of the current record (the edit buffer while editing).
    QString text(const QString &field) const;
    Decimal dec(const QString &field) const;
    qint64 integer(const QString &field) const;
    bool isNull(const QString &field) const;
    QVariant value(const QString &field) const;
    // Values of any row, by position in the current order.
    QString textAt(int row, int col) const;
    Decimal decAt(int row, int col) const;
    bool isNullAt(int row, int col) const;

    // Positioned changes, written to the table at once by post().
    State state() const { return m_state; }
    void append();
    void edit();
    void setValue(const QString &field, const QVariant &value); // a text into a number field is converted
    void post();
    void cancel();
    void remove(); // deletes the current record

    // Client-side order of the fetched result: "field ASC" or "field DESC"; dropped by the next open.
    void setSort(const QString &sort);
    QString sort() const { return m_sort; }

    // Suspending the bound views around a re-query makes them repaint once.
    void suspend();
    void resume();
    bool isSuspended() const { return m_suspend > 0; }

    // QAbstractItemModel
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void currentRowChanged(int row);
    void suspendedChanged(bool suspended);
    void openedOrClosed();

private:
    struct Column {
        QString name;
        Kind kind = Kind::Text;
        std::vector<int64_t> num;       // Int and Decimal cells
        std::string bytes;              // Text cells, UTF-8, one after another
        std::vector<uint64_t> start;    // Text cells: offset into bytes
        std::vector<uint32_t> len;      // Text cells: length in bytes
        std::vector<uint8_t> null;
    };
    int physical(int row) const { return m_order[size_t(row)]; }
    int requireField(const QString &field) const;
    void requireOpen() const;
    void requireRecord() const;
    QVariant cellValue(int phys, int col) const;
    QString cellText(int phys, int col) const;
    Decimal cellDec(int phys, int col) const;
    bool cellNull(int phys, int col) const;
    void setCell(int phys, int col, const QVariant &v);
    void appendEmptyPhysicalRow();
    QVariant convertForColumn(int col, const QVariant &v) const;
    QVariant currentValue(int col) const;
    int idColumn() const;
    void setCurrent(int row);
    void applySort();
    void resetResult();

    Connection &m_conn;
    QString m_name, m_table, m_defaultSql;
    QStringList m_sql;
    Bindings m_bindings;
    bool m_open = false;
    std::vector<Column> m_cols;
    QHash<QString, int> m_colIndex;
    int m_physRows = 0;
    int m_sizeHint = 0; // rows of the last result
    std::vector<int> m_order; // result order: row -> physical row
    int m_cur = -1;
    bool m_eof = true;
    QString m_sort;
    State m_state = State::Browse;
    QHash<int, QVariant> m_buffer; // column -> new value while editing
    int m_suspend = 0;
};
