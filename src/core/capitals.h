#pragma once
// A money amount written out in Chinese financial capitals, as on invoices and cheques:
// 123456.78 -> 壹拾贰万叁仟肆佰伍拾陆圆柒角捌分. A plain function of the amount.
#include "decimal.h"
#include <QString>

// The amount is first rounded to two decimals (an exact half to the even neighbour).
// Zero gives "零"; a negative amount gives "负" followed by the capitals of its absolute value.
// Amounts with more than 13 integer digits have no units and give an empty text.
QString amountInCapitals(Decimal amount);
