#include "receipt.h"
#include <QStringEncoder>

namespace receipt {
namespace {
QString dashes() { return QString(Columns, u'-'); }
}

int width(const QString &text)
{
    QStringEncoder enc("GB18030");
    if (!enc.isValid()) return int(text.size());
    return int(QByteArray(enc.encode(text)).size());
}

QString rightAligned(const QString &text, int columns)
{
    const int w = width(text);
    return w >= columns ? text : QString(columns - w, u' ') + text;
}

QStringList lines(const Data &d)
{
    QStringList out;
    const int hw = width(d.header);
    out << (hw >= Columns ? d.header : QString((Columns - hw) / 2, u' ') + d.header);
    out << QString();
    out << QStringLiteral("单号:") + d.number;
    out << QStringLiteral("时间:") + d.time.toString(QStringLiteral("yy-MM-dd  hh:mm:ss"));
    out << QStringLiteral("品名规格    数量    单价    金额");
    out << dashes();
    for (const Item &it : d.items) {
        out << it.name;
        out << QString(12, u' ') + it.quantity.toPlain() + rightAligned(it.price.toPlain(), 8)
                + rightAligned(it.amount.toPlain(), 8);
    }
    out << dashes();
    out << QStringLiteral("件数:") + Decimal::fromInt(d.items.size()).toFixed(1) + QStringLiteral("         应付:")
            + d.due.toFixed(1);
    out << QStringLiteral("付款:￥") + d.paid.toFixed(1);
    out << QStringLiteral("找零:￥") + d.change.toFixed(1);
    out << QStringLiteral("会员卡号:") + d.memberCard + u' ' + d.memberName;
    if (d.withPoints) {
        out << QStringLiteral("本次积分:") + d.slipPoints.toPlain();
        out << QStringLiteral("累计积分:") + d.totalPoints.toPlain();
    }
    out << d.footer1 << d.footer2;
    for (int i = 0; i < 6; ++i) out << QString();
    return out;
}

QByteArray bytes(const Data &d)
{
    QStringEncoder enc("GB18030");
    if (!enc.isValid()) return {};
    QByteArray out;
    for (const QString &l : lines(d)) {
        out += QByteArray(enc.encode(l));
        out += "\r\n";
    }
    return out;
}
}
