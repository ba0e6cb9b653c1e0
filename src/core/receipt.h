#pragma once
// The counter receipt: plain text for a 32-column receipt printer, widths counted in GB18030
// bytes (a Chinese character takes two columns), and its bytes as the printer takes them.
#include "decimal.h"
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace receipt {
inline constexpr int Columns = 32;

struct Item {
    QString name;                    // goods name and specification
    Decimal quantity, price, amount; // printed as stored, without trailing zeros
};

struct Data {
    QString header;        // the shop's print header, centred
    QString number;        // slip number
    QDateTime time;        // printed "yy-mm-dd  hh:mm:ss"
    QList<Item> items;
    Decimal due, paid, change;
    QString memberCard, memberName;
    bool withPoints = true; // false for a customer without a card
    Decimal slipPoints, totalPoints;
    QString footer1, footer2;
};

// Columns a text takes on the printer: its length in GB18030 bytes.
int width(const QString &text);
// The text right-aligned in a field of that many columns (a longer text is not cut).
QString rightAligned(const QString &text, int columns);

// The receipt's lines, top to bottom, paper feed included.
QStringList lines(const Data &d);
// The lines encoded in GB18030, each ended by CR LF. Empty when the encoder is not available.
QByteArray bytes(const Data &d);
}
