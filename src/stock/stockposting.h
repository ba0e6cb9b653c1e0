#pragma once
// The one rule by which a stock movement changes a goods item's stock quantity kcsl, stock
// amount kcje and unit cost kcjg. Purchases, other stock-in and stock-out and their reversals
// use the purchase form; the sales checkout and the reversal of a sales slip use the sales
// variant. Each call writes one goods row on the caller's connection and inside the caller's
// transaction (it opens none of its own and shows no message); an engine error is thrown.
#include "connection.h"
#include "decimal.h"
#include <QString>

namespace stock {
// A goods item is found by barcode, name and specification, and unit together.
struct GoodsKey {
    QString txm, ppgg, dw;
};

struct Stock {
    Decimal kcsl, kcje, kcjg;
};

// The goods row's new values after a movement of quantity dq and amount da:
// moving average cost, amount over quantity, while both are non-zero; with stock but no amount
// the amount is rebuilt from the unit cost; with no stock the amount is nothing and the unit
// cost stays. The three steps follow one another on the values left by the previous one.
Stock moved(Stock before, Decimal dq, Decimal da);

enum class Outcome { Updated, Created };

// Purchase form: direction +1 into stock or -1 out of stock, the quantity and amount of the
// line and its unit price. Goods not found are created in category "未知" carrying the movement
// at that price.
Outcome post(Connection &c, const GoodsKey &key, int direction, Decimal quantity, Decimal amount, Decimal price);

// Sales variant: direction -1 for a sale posted at checkout, +1 for a slip reversed. A line of
// quantity sl at unit cost cbjg and cost amount cbje. Goods not found are created in category
// "未知" at that unit cost, the amount being unit cost times the stock.
Outcome postSale(Connection &c, const GoodsKey &key, int direction, Decimal sl, Decimal cbje, Decimal cbjg);

QString unknownCategory(); // 未知
}
