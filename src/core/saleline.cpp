#include "saleline.h"

namespace saleline {
QString discountFlag() { return QStringLiteral("打折"); }
QString noCardLevel() { return QStringLiteral("无卡顾客"); }

Decimal unitPrice(Decimal listPrice, Decimal discount, const QString &flag)
{
    return flag == discountFlag() ? Decimal::mul2(listPrice, discount) : listPrice;
}

Decimal points(Decimal amount, Decimal pointsBase, const QString &memberLevel)
{
    return memberLevel == noCardLevel() ? Decimal() : Decimal::mul2(amount, pointsBase);
}

Line newLine(Decimal listPrice, Decimal discount, const QString &flag, Decimal pointsBase, Decimal costPrice,
             const QString &memberLevel)
{
    Line l;
    l.sl = Decimal::fromInt(1);
    l.yjg = listPrice;
    l.zk = discount;
    l.zkbj = flag;
    l.jg = unitPrice(listPrice, discount, flag);
    l.je = l.jg;
    l.jfjs = pointsBase;
    l.bcjf = points(l.je, pointsBase, memberLevel);
    l.cbjg = costPrice;
    l.cbje = costPrice;
    l.maoli = l.je - l.cbje;
    return l;
}

void reprice(Line &l, Decimal discount, const QString &memberLevel)
{
    l.zk = discount;
    l.jg = unitPrice(l.yjg, discount, l.zkbj);
    l.je = Decimal::mul2(l.sl, l.jg);
    l.bcjf = points(l.je, l.jfjs, memberLevel);
    l.maoli = l.je - l.cbje;
}

void change(Line &l, Decimal quantity, Decimal price, const QString &memberLevel)
{
    l.sl = quantity;
    l.jg = price;
    l.je = Decimal::mul2(price, quantity);
    l.cbje = Decimal::mul2(l.cbjg, quantity);
    l.maoli = l.je - l.cbje;
    l.bcjf = points(l.je, l.jfjs, memberLevel);
}

Decimal amountDue(Decimal total) { return total.rounded(1); }
}
