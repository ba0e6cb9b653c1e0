#pragma once
// The arithmetic of one sales slip line: the price charged (the member's discount applies only
// to goods flagged "打折"), the amount, the points (none for the level "无卡顾客"), the cost and
// the gross profit. Everything the screens store is rounded to two decimals, an exact half to
// the even neighbour.
#include "decimal.h"
#include <QString>

namespace saleline {
QString discountFlag();   // 打折
QString noCardLevel();    // 无卡顾客

struct Line {
    Decimal sl;    // quantity; negative for goods returned
    Decimal yjg;   // list price when the line was added
    Decimal zk;    // discount factor applied
    QString zkbj;  // the goods' discount flag
    Decimal jg;    // unit price charged
    Decimal je;    // amount
    Decimal jfjs;  // points base (points per unit of money)
    Decimal bcjf;  // points earned
    Decimal cbjg;  // unit cost
    Decimal cbje;  // cost of the line
    Decimal maoli; // gross profit
};

// The price charged: list price times discount for discountable goods, else the list price.
Decimal unitPrice(Decimal listPrice, Decimal discount, const QString &discountFlag);
// Points of an amount: amount times points base, or nothing for a customer without a card.
Decimal points(Decimal amount, Decimal pointsBase, const QString &memberLevel);

// A new line of quantity 1 for goods scanned or chosen.
Line newLine(Decimal listPrice, Decimal discount, const QString &discountFlag, Decimal pointsBase,
             Decimal costPrice, const QString &memberLevel);
// The line priced again for another member: discount, price, amount, points, gross profit.
void reprice(Line &line, Decimal discount, const QString &memberLevel);
// The line with a quantity and price typed by the operator (already rounded to two decimals):
// amount, cost, gross profit and points follow.
void change(Line &line, Decimal quantity, Decimal price, const QString &memberLevel);

// What the customer pays: the slip total rounded to one decimal.
Decimal amountDue(Decimal total);
}
