#include "salespostings.h"
#include "docnumber.h"
#include "saleline.h"
#include "stockposting.h"
#include <sqlite3.h>

namespace sales {
namespace {
QVariant v(Decimal d) { return QVariant::fromValue(d); }
QString iso(const QDate &d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }

Decimal colDec(sqlite3_stmt *s, int i)
{
    switch (sqlite3_column_type(s, i)) {
    case SQLITE_INTEGER: return Decimal::fromRaw(sqlite3_column_int64(s, i));
    case SQLITE_NULL: return {};
    default: return Decimal::parseOr(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, i))));
    }
}
QString colText(sqlite3_stmt *s, int i)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, i)), sqlite3_column_bytes(s, i));
}

void saveHeader(Connection &c, const Slip &s, Mode mode, const QString &state, const Totals &t, const QDate &today)
{
    // A new slip never takes the number of a saved one: its lines would be posted twice.
    if (mode == Mode::New && c.exists(QStringLiteral("SELECT 1 FROM xsglz WHERE dh=?"), {{{}, s.dh}}))
        throw DbError(QStringLiteral("单号") + s.dh + QStringLiteral("已存在，请重新开单！"));
    if (mode == Mode::Change) {
        const int n = c.exec(QStringLiteral("UPDATE xsglz SET shbj=?, zhidan=?, rq=?, jsr=?, hybm=?, hymc=?, bz=?, "
                                            "hjsl=?, hjje=?, bcjf=? WHERE dh=?"),
                             {{{}, state}, {{}, s.zhidan}, {{}, s.rq}, {{}, s.jsr}, {{}, s.hybm}, {{}, s.hymc},
                              {{}, s.bz}, {{}, v(t.hjsl)}, {{}, v(t.hjje)}, {{}, v(t.bcjf)}, {{}, s.dh}});
        if (n > 0) return;
        // The held header was deleted meanwhile: the slip is saved anew rather than lost.
    }
    c.exec(QStringLiteral("INSERT INTO xsglz (shbj, dh, kdrq, zhidan, rq, jsr, hybm, hymc, bz, hjsl, hjje, bcjf) "
                          "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
           {{{}, state}, {{}, s.dh}, {{}, iso(today)}, {{}, s.zhidan}, {{}, s.rq}, {{}, s.jsr}, {{}, s.hybm},
            {{}, s.hymc}, {{}, s.bz}, {{}, v(t.hjsl)}, {{}, v(t.hjje)}, {{}, v(t.bcjf)}});
}

void saveLines(Connection &c, const QString &dh)
{
    c.exec(QStringLiteral("UPDATE xsglc SET bj='yz' WHERE dh=? AND bj='dz'"), {{{}, dh}});
    c.exec(QStringLiteral("DELETE FROM xsglc WHERE dh=? AND bj='ds'"), {{{}, dh}});
}
}

QString audited() { return QStringLiteral("已审核"); }
QString unaudited() { return QStringLiteral("未审核"); }

std::optional<QString> firstNumber(Connection &c, const QDate &today)
{
    const QString last = c.scalar(QStringLiteral("SELECT max(dh) FROM xsglz WHERE kdrq=?"), {{{}, iso(today)}}).toString();
    return docnumber::next(QStringLiteral("XS"), today, last);
}

std::optional<QString> numberAfter(const QString &current, const QDate &today)
{
    bool ok = false;
    const int seq = current.mid(10, 4).toInt(&ok);
    const int next = ok ? seq + 1 : 1;
    if (next > docnumber::Ceiling) return std::nullopt;
    return QStringLiteral("XS") + today.toString(QStringLiteral("yyyyMMdd")) + QString::number(next).rightJustified(4, u'0');
}

Totals lineTotals(Connection &c, const QString &dh)
{
    Totals t;
    Statement st = c.prepare(QStringLiteral("SELECT sl, je, bcjf FROM xsglc WHERE dh=? AND bj<>'ds'"), {{{}, dh}});
    while (st.step()) {
        t.hjsl += colDec(st.handle(), 0);
        t.hjje += colDec(st.handle(), 1);
        t.bcjf += colDec(st.handle(), 2);
        ++t.lines;
    }
    return t;
}

Totals hold(Connection &c, const Slip &slip, Mode mode, const QDate &today)
{
    Connection::Transaction tr(c);
    const Totals t = lineTotals(c, slip.dh);
    saveHeader(c, slip, mode, unaudited(), t, today);
    saveLines(c, slip.dh);
    tr.commit();
    return t;
}

CheckoutResult checkout(Connection &c, const Slip &slip, Mode mode, Decimal paid, const QDate &today)
{
    CheckoutResult r;
    Connection::Transaction tr(c);
    struct Row {
        QString txm, ppgg, dw;
        Decimal sl, jg, je, cbjg, cbje, maoli;
    };
    std::vector<Row> rows;
    {
        Statement st = c.prepare(QStringLiteral("SELECT txm, ppgg, dw, sl, jg, je, cbjg, cbje, maoli, bcjf FROM xsglc "
                                                "WHERE dh=? AND bj<>'ds' ORDER BY id"),
                                 {{{}, slip.dh}});
        while (st.step()) {
            sqlite3_stmt *h = st.handle();
            rows.push_back({colText(h, 0), colText(h, 1), colText(h, 2), colDec(h, 3), colDec(h, 4), colDec(h, 5),
                            colDec(h, 6), colDec(h, 7), colDec(h, 8)});
            r.totals.hjsl += rows.back().sl;
            r.totals.hjje += rows.back().je;
            r.totals.bcjf += colDec(h, 9);
            ++r.totals.lines;
        }
    }
    r.due = saleline::amountDue(r.totals.hjje);
    saveHeader(c, slip, mode, audited(), r.totals, today);

    {
        Statement ins = c.prepare(QStringLiteral("INSERT INTO xsfx (rq, txm, ppgg, dw, sl, jg, je, cbjg, cbje, maoli, "
                                                 "hybm, hymc, jsr, bz, dh) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (const Row &l : rows) {
            sqlite3_reset(ins.handle());
            ins.bind({{{}, slip.rq}, {{}, l.txm}, {{}, l.ppgg}, {{}, l.dw}, {{}, v(l.sl)}, {{}, v(l.jg)}, {{}, v(l.je)},
                      {{}, v(l.cbjg)}, {{}, v(l.cbje)}, {{}, v(l.maoli)}, {{}, slip.hybm}, {{}, slip.hymc},
                      {{}, slip.jsr}, {{}, slip.bz}, {{}, slip.dh}});
            while (ins.step()) {}
            stock::postSale(c, {l.txm, l.ppgg, l.dw}, -1, l.sl, l.cbje, l.cbjg);
        }
    }

    if (r.due > paid) {
        r.receivable = r.due - paid;
        c.exec(QStringLiteral("INSERT INTO ysfx (dh, rq, jsr, hybm, hymc, qk, bz, kdrq) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
               {{{}, slip.dh}, {{}, slip.rq}, {{}, slip.jsr}, {{}, slip.hybm}, {{}, slip.hymc}, {{}, v(r.receivable)},
                {{}, slip.dh}, {{}, slip.rq}});
    }

    const QVariant member = c.scalar(QStringLiteral("SELECT id FROM kh WHERE bm=? AND mc=? ORDER BY id"),
                                     {{{}, slip.hybm}, {{}, slip.hymc}});
    if (member.isValid()) {
        r.memberFound = true;
        c.exec(QStringLiteral("UPDATE kh SET zjf=coalesce(zjf,0)+?, zxf=coalesce(zxf,0)+? WHERE id=?"),
               {{{}, v(r.totals.bcjf)}, {{}, v(r.due)}, {{}, member}});
    }
    saveLines(c, slip.dh);
    tr.commit();
    return r;
}

Reversal unaudit(Connection &c, const QString &dh)
{
    Connection::Transaction tr(c);
    QString state, hybm, hymc;
    Decimal hjje, bcjf;
    {
        Statement st = c.prepare(QStringLiteral("SELECT shbj, hybm, hymc, hjje, bcjf FROM xsglz WHERE dh=? ORDER BY id"),
                                 {{{}, dh}});
        if (!st.step()) return Reversal::NoSlip;
        sqlite3_stmt *h = st.handle();
        state = colText(h, 0);
        hybm = colText(h, 1);
        hymc = colText(h, 2);
        hjje = colDec(h, 3);
        bcjf = colDec(h, 4);
    }
    if (state == unaudited()) return Reversal::AlreadyHeld;
    const QVariant member = c.scalar(QStringLiteral("SELECT id FROM kh WHERE bm=? AND mc=? ORDER BY id"),
                                     {{{}, hybm}, {{}, hymc}});
    if (!member.isValid()) return Reversal::MemberMissing;
    // Checkout raised the spending by the amount due, the total rounded to one decimal: exactly
    // that comes off again.
    c.exec(QStringLiteral("UPDATE kh SET zjf=coalesce(zjf,0)-?, zxf=coalesce(zxf,0)-? WHERE id=?"),
           {{{}, v(bcjf)}, {{}, v(saleline::amountDue(hjje))}, {{}, member}});
    {
        struct Row {
            QString txm, ppgg, dw;
            Decimal sl, cbje, cbjg;
        };
        std::vector<Row> rows;
        {
            Statement st = c.prepare(QStringLiteral("SELECT txm, ppgg, dw, sl, cbje, cbjg FROM xsglc WHERE dh=? ORDER BY id"),
                                     {{{}, dh}});
            while (st.step()) {
                sqlite3_stmt *h = st.handle();
                rows.push_back({colText(h, 0), colText(h, 1), colText(h, 2), colDec(h, 3), colDec(h, 4), colDec(h, 5)});
            }
        }
        for (const Row &l : rows) stock::postSale(c, {l.txm, l.ppgg, l.dw}, +1, l.sl, l.cbje, l.cbjg);
    }
    c.exec(QStringLiteral("DELETE FROM xsfx WHERE dh=?"), {{{}, dh}});
    c.exec(QStringLiteral("DELETE FROM ysfx WHERE dh=?"), {{{}, dh}});
    c.exec(QStringLiteral("UPDATE xsglz SET shbj=? WHERE dh=?"), {{{}, unaudited()}, {{}, dh}});
    tr.commit();
    return Reversal::Reversed;
}

void deleteSlip(Connection &c, const QString &dh)
{
    Connection::Transaction tr(c);
    c.exec(QStringLiteral("DELETE FROM xsglc WHERE dh=?"), {{{}, dh}});
    c.exec(QStringLiteral("DELETE FROM xsfx WHERE dh=?"), {{{}, dh}});
    c.exec(QStringLiteral("DELETE FROM ysfx WHERE dh=?"), {{{}, dh}});
    c.exec(QStringLiteral("DELETE FROM xsglz WHERE dh=?"), {{{}, dh}});
    tr.commit();
}

void discardUnsaved(Connection &c)
{
    Connection::Transaction tr(c);
    c.exec(QStringLiteral("DELETE FROM xsglc WHERE bj='dz'"));
    c.exec(QStringLiteral("UPDATE xsglc SET bj='yz' WHERE bj='ds'"));
    tr.commit();
}

void discardChanges(Connection &c, const QString &dh)
{
    Connection::Transaction tr(c);
    c.exec(QStringLiteral("DELETE FROM xsglc WHERE dh=? AND bj='dz'"), {{{}, dh}});
    c.exec(QStringLiteral("UPDATE xsglc SET bj='yz' WHERE dh=? AND bj='ds'"), {{{}, dh}});
    tr.commit();
}

bool keepSavedLine(Connection &c, qint64 lineId)
{
    const int n = c.exec(QStringLiteral("INSERT INTO xsglc (dh, bj, txm, ppgg, dw, sl, yjg, zk, zkbj, jg, je, jfjs, bcjf, "
                                        "cbjg, cbje, maoli) SELECT dh, 'ds', txm, ppgg, dw, sl, yjg, zk, zkbj, jg, je, "
                                        "jfjs, bcjf, cbjg, cbje, maoli FROM xsglc WHERE id=? AND bj='yz'"),
                         {{{}, lineId}});
    return n > 0;
}
}
