#pragma once
// The postings of the counter: numbering, holding a slip, checkout, reversing (un-audit) and
// deleting a slip, and what closing the counter discards. Plain functions on the connection,
// each posting in one transaction (all of it or none of it), never showing a message; an
// engine error is thrown with nothing written. The screens check their inputs first and
// refresh their datasets afterwards.
#include "connection.h"
#include "decimal.h"
#include <QDate>
#include <QString>
#include <optional>

namespace sales {
QString audited();   // 已审核
QString unaudited(); // 未审核

// The slip as the counter holds it: number, sale date (yyyy-mm-dd), salesperson, member,
// remark and the operator saving it.
struct Slip {
    QString dh, rq, jsr, hybm, hymc, bz, zhidan;
};
// Mode "新增" (a new slip) or "修改" (a held slip taken up again).
enum class Mode { New, Change };

struct Totals {
    Decimal hjsl, hjje, bcjf;
    int lines = 0;
};

// The number of a new slip: after the last number first saved today, or the day's first.
// Nothing when the day already has 9999 slips.
std::optional<QString> firstNumber(Connection &c, const QDate &today);
// The number after a hold or checkout: the current sequence + 1 under today's date.
std::optional<QString> numberAfter(const QString &current, const QDate &today);

// Totals of a slip's lines (those not deleted in mode "修改").
Totals lineTotals(Connection &c, const QString &dh);

// Holding: the header saved "未审核" with the totals of its lines, the lines saved, lines
// deleted while changing removed. Nothing is posted.
Totals hold(Connection &c, const Slip &slip, Mode mode, const QDate &today);

struct CheckoutResult {
    Totals totals;
    Decimal due;        // the total rounded to one decimal
    Decimal receivable; // the unpaid rest, zero when paid in full
    bool memberFound = false;
};
// Checkout: the header saved "已审核", one sales detail per line, stock taken by the sales
// variant of the stock posting, a receivable for an unpaid rest, the member's points and
// spending raised (spending by the amount due), the lines saved.
CheckoutResult checkout(Connection &c, const Slip &slip, Mode mode, Decimal paid, const QDate &today);

enum class Reversal { Reversed, AlreadyHeld, MemberMissing, NoSlip };
// Un-audit: takes back exactly what checkout did (points, spending, stock, details,
// receivable); the slip becomes a held slip with its lines unchanged.
Reversal unaudit(Connection &c, const QString &dh);

// Deletes a slip with its lines, details and receivable; stock and member stay as they are.
void deleteSlip(Connection &c, const QString &dh);

// Closing the counter: lines added since the last save are dropped, saved lines deleted or
// changed while changing a held slip come back as they were saved.
void discardUnsaved(Connection &c);
// Leaving a held slip taken up for change (by "开单" or "取单") without holding it: the same for
// that slip's lines only.
void discardChanges(Connection &c, const QString &dh);

// Before a saved line of a held slip is changed, its saved values are kept aside (as a line
// marked deleted) so that closing without holding restores them; the line itself then counts
// as added. False when the line is not a saved one (nothing to keep).
bool keepSavedLine(Connection &c, qint64 lineId);
}
