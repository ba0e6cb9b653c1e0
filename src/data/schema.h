#pragma once
// The database's tables and columns, the statements that create a new database and its first rows.
#include <QString>
#include <QStringList>
#include <vector>

namespace schema {
enum class Kind { Text, Decimal, Date };

struct Column {
    const char *name;
    Kind kind;
};
struct Table {
    const char *name;
    std::vector<Column> columns; // every table also has "id INTEGER PRIMARY KEY"
};

// Marks a file as a database of this program (PRAGMA application_id).
inline constexpr int ApplicationId = 0x51545831; // "QTX1"
inline constexpr int Version = 1;
// Declared type of the decimal columns: INTEGER counts of ten-thousandths.
inline constexpr const char *DecimalType = "DEC4";

const std::vector<Table> &tables();
const Table *table(const QString &name);
// True when a result column of this name holds a decimal (the same name means the same in every table).
bool isDecimalName(const QString &column);

// Statements creating every table and index of an empty database.
QStringList createStatements();

// The operator who always exists, and the password a new database ships with.
QString adminName();
QString initialAdminPassword();
QString walkInLevel(); // 无卡顾客
QStringList permissionNames(); // the nine permissions in their fixed order
}
