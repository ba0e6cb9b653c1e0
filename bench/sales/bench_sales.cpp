// The counter's two moments that a queue waits for, on a shop of 100,000 goods, 20,000 members
// and 1,000,000 posted sales lines: a barcode scanned into the counter screen (goods looked up,
// line appended, totals shown) and the checkout posting of a 50-line slip. Each is measured
// beside the engine's own interface doing the same reads and writes in one transaction, in the
// same run on the same database file.
#include "dm1.h"
#include "salespostings.h"
#include "tjxsd1.h"
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>
#include <sqlite3.h>

namespace {
constexpr int kGoods = 100000, kMembers = 20000, kDetails = 1000000, kLinesPerSlip = 20, kSlipLines = 50;

QString barcode(int i) { return QStringLiteral("69%1").arg(i, 11, 10, QLatin1Char('0')); }
QByteArray barcodeUtf8(int i) { return barcode(i).toUtf8(); }

void run(sqlite3 *db, const char *sql)
{
    char *err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        fprintf(stderr, "%s: %s\n", sql, err);
        sqlite3_free(err);
        std::abort();
    }
}
sqlite3_stmt *prep(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) {
        fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(db));
        std::abort();
    }
    return st;
}
void text(sqlite3_stmt *st, int i, const QByteArray &t) { sqlite3_bind_text(st, i, t.constData(), int(t.size()), SQLITE_TRANSIENT); }

struct Shop {
    QTemporaryDir dir;
    QString path;
    TDM1 dm;
    int nextSlip = 1;
    Shop()
    {
        path = QDir(dir.path()).filePath(QStringLiteral("QTXData1.mdb"));
        createDatabase(path);
        dm.openDatabase(path);
        DM1 = &dm;
        sqlite3 *db = dm.ADOC1.handle();
        run(db, "BEGIN");
        run(db, "INSERT INTO yg (xm, xb) VALUES ('张三', '男')");
        run(db, "INSERT INTO dj (dj, zk) VALUES ('金卡', 8000)");
        sqlite3_stmt *sp = prep(db, "INSERT INTO sp (txm, lb, ppgg, dw, jj, xj, kcsl, kcjg, kcje, jfjs, ztbj) "
                                    "VALUES (?, ?, ?, ?, 123000, ?, 1000000, 123000, 12300000, 10000, ?)");
        for (int i = 0; i < kGoods; ++i) {
            sqlite3_reset(sp);
            text(sp, 1, barcodeUtf8(i));
            text(sp, 2, QStringLiteral("类别%1").arg(i % 50).toUtf8());
            text(sp, 3, QStringLiteral("商品名称规格型号%1").arg(i).toUtf8());
            text(sp, 4, QByteArray("瓶"));
            sqlite3_bind_int64(sp, 5, 199000 + (i % 1000) * 100);
            text(sp, 6, i % 4 ? QByteArray("打折") : QByteArray("不打折"));
            sqlite3_step(sp);
        }
        sqlite3_finalize(sp);
        sqlite3_stmt *kh = prep(db, "INSERT INTO kh (bm, mc, xb, dj, zk, zjf, zxf, lxdz, lxdh, ztbj) "
                                    "VALUES (?, ?, '女', '金卡', 8000, 0, 0, '北京路', '139', '可用')");
        for (int i = 0; i < kMembers; ++i) {
            sqlite3_reset(kh);
            text(kh, 1, QStringLiteral("M%1").arg(i, 6, 10, QLatin1Char('0')).toUtf8());
            text(kh, 2, QStringLiteral("会员%1").arg(i).toUtf8());
            sqlite3_step(kh);
        }
        sqlite3_finalize(kh);
        // Posted history: 50,000 slips of 20 lines over 500 days, each line a sales detail.
        sqlite3_stmt *z = prep(db, "INSERT INTO xsglz (shbj, dh, kdrq, zhidan, rq, jsr, hybm, hymc, bz, hjsl, hjje, bcjf) "
                                   "VALUES ('已审核', ?, ?, '系统管理员', ?, '张三', ?, ?, '', 200000, 3980000, 3980000)");
        sqlite3_stmt *c = prep(db, "INSERT INTO xsglc (dh, bj, txm, ppgg, dw, sl, yjg, zk, zkbj, jg, je, jfjs, bcjf, cbjg, cbje, maoli) "
                                   "VALUES (?, 'yz', ?, ?, '瓶', 10000, 199000, 8000, '打折', 159200, 159200, 10000, 159200, 123000, 123000, 36200)");
        sqlite3_stmt *x = prep(db, "INSERT INTO xsfx (rq, txm, ppgg, dw, sl, jg, je, cbjg, cbje, maoli, hybm, hymc, jsr, bz, dh) "
                                   "VALUES (?, ?, ?, '瓶', 10000, 159200, 159200, 123000, 123000, 36200, ?, ?, '张三', '', ?)");
        std::mt19937 rnd(7);
        const QDate start(2009, 1, 1);
        for (int s = 0; s < kDetails / kLinesPerSlip; ++s) {
            const QDate day = start.addDays(s / 100);
            const QByteArray dh = (QStringLiteral("XS") + day.toString(QStringLiteral("yyyyMMdd"))
                                   + QString::number(s % 100 + 1).rightJustified(4, u'0')).toUtf8();
            const QByteArray rq = day.toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
            const int m = int(rnd() % kMembers);
            const QByteArray bm = QStringLiteral("M%1").arg(m, 6, 10, QLatin1Char('0')).toUtf8(),
                             mc = QStringLiteral("会员%1").arg(m).toUtf8();
            sqlite3_reset(z);
            text(z, 1, dh); text(z, 2, rq); text(z, 3, rq); text(z, 4, bm); text(z, 5, mc);
            sqlite3_step(z);
            for (int l = 0; l < kLinesPerSlip; ++l) {
                const int g = int(rnd() % kGoods);
                const QByteArray txm = barcodeUtf8(g), ppgg = QStringLiteral("商品名称规格型号%1").arg(g).toUtf8();
                sqlite3_reset(c);
                text(c, 1, dh); text(c, 2, txm); text(c, 3, ppgg);
                sqlite3_step(c);
                sqlite3_reset(x);
                text(x, 1, rq); text(x, 2, txm); text(x, 3, ppgg); text(x, 4, bm); text(x, 5, mc); text(x, 6, dh);
                sqlite3_step(x);
            }
        }
        sqlite3_finalize(z);
        sqlite3_finalize(c);
        sqlite3_finalize(x);
        run(db, "COMMIT");
        run(db, "ANALYZE");
    }
    QString newNumber() { return QStringLiteral("XS") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd"))
                                 + QString::number(nextSlip++).rightJustified(4, u'0'); }
};

Shop &shop()
{
    static Shop s;
    return s;
}

// ---- scanning ------------------------------------------------------------------------------

struct CounterScreen {
    TFtjxsd1 *w = nullptr;
    CounterScreen()
    {
        shop();
        w = new TFtjxsd1;
        w->show();
        w->box("jsr")->setText(QStringLiteral("张三"));
        w->box("hybm")->setText(QStringLiteral("M000042"));
    }
};
CounterScreen &counter()
{
    static CounterScreen c;
    return c;
}

// Lines of a slip in progress are dropped every 50 scans, so the slip stays the size of a
// large sale.
void dropLines(Connection &c)
{
    c.exec(QStringLiteral("DELETE FROM xsglc WHERE bj='dz'"));
    counter().w->newSlip();
    counter().w->box("jsr")->setText(QStringLiteral("张三"));
    counter().w->box("hybm")->setText(QStringLiteral("M000042"));
}

// The scanner's code arrives in the barcode box at once (one lookup), then Enter adds the line.
void BM_ScanIntoCounter(benchmark::State &state)
{
    TFtjxsd1 *w = counter().w;
    QLineEdit *txm = w->box("txm");
    std::mt19937 rnd(11);
    int n = 0;
    for (auto _ : state) {
        txm->setText(barcode(int(rnd() % kGoods)));
        if (!w->addLine()) state.SkipWithError("no line");
        benchmark::DoNotOptimize(w->box("E2")->text());
        if (++n % kSlipLines == 0) {
            state.PauseTiming();
            dropLines(shop().dm.ADOC1);
            state.ResumeTiming();
        }
    }
}

// As a keyboard-wedge scanner types it: one lookup per character, then Enter.
void BM_ScanTypedIntoCounter(benchmark::State &state)
{
    TFtjxsd1 *w = counter().w;
    QLineEdit *txm = w->box("txm");
    std::mt19937 rnd(13);
    int n = 0;
    for (auto _ : state) {
        const QString code = barcode(int(rnd() % kGoods));
        for (int i = 1; i <= code.size(); ++i) txm->setText(code.left(i));
        if (!w->addLine()) state.SkipWithError("no line");
        benchmark::DoNotOptimize(w->box("E2")->text());
        if (++n % kSlipLines == 0) {
            state.PauseTiming();
            dropLines(shop().dm.ADOC1);
            state.ResumeTiming();
        }
    }
}

// The same with the engine's interface: the goods row read, the line written, in one
// transaction, statements prepared once.
void BM_ScanEngineApi(benchmark::State &state)
{
    sqlite3 *db = shop().dm.ADOC1.handle();
    sqlite3_stmt *sel = prep(db, "SELECT ppgg, dw, ztbj, xj, kcjg, jfjs FROM sp WHERE txm=?");
    sqlite3_stmt *ins = prep(db, "INSERT INTO xsglc (dh, bj, txm, ppgg, dw, zkbj, sl, yjg, zk, jg, je, jfjs, bcjf, cbjg, cbje, maoli) "
                                 "VALUES ('XS000000000000', 'dz', ?, ?, ?, ?, 10000, ?, 8000, ?, ?, ?, ?, ?, ?, ?)");
    std::mt19937 rnd(11);
    int n = 0;
    for (auto _ : state) {
        run(db, "BEGIN");
        const QByteArray code = barcodeUtf8(int(rnd() % kGoods));
        sqlite3_reset(sel);
        text(sel, 1, code);
        if (sqlite3_step(sel) != SQLITE_ROW) state.SkipWithError("no goods");
        const int64_t xj = sqlite3_column_int64(sel, 3), kcjg = sqlite3_column_int64(sel, 4);
        const int64_t jg = (xj * 8000 / 10000 + 50) / 100 * 100;
        sqlite3_reset(ins);
        text(ins, 1, code);
        sqlite3_bind_text(ins, 2, reinterpret_cast<const char *>(sqlite3_column_text(sel, 0)), sqlite3_column_bytes(sel, 0), SQLITE_TRANSIENT);
        sqlite3_bind_text(ins, 3, reinterpret_cast<const char *>(sqlite3_column_text(sel, 1)), sqlite3_column_bytes(sel, 1), SQLITE_TRANSIENT);
        sqlite3_bind_text(ins, 4, reinterpret_cast<const char *>(sqlite3_column_text(sel, 2)), sqlite3_column_bytes(sel, 2), SQLITE_TRANSIENT);
        sqlite3_bind_int64(ins, 5, xj);
        sqlite3_bind_int64(ins, 6, jg);
        sqlite3_bind_int64(ins, 7, jg);
        sqlite3_bind_int64(ins, 8, 10000);
        sqlite3_bind_int64(ins, 9, jg);
        sqlite3_bind_int64(ins, 10, kcjg);
        sqlite3_bind_int64(ins, 11, kcjg);
        sqlite3_bind_int64(ins, 12, jg - kcjg);
        sqlite3_step(ins);
        run(db, "COMMIT");
        if (++n % kSlipLines == 0) {
            state.PauseTiming();
            run(db, "DELETE FROM xsglc WHERE bj='dz'");
            state.ResumeTiming();
        }
    }
    sqlite3_finalize(sel);
    sqlite3_finalize(ins);
}

// ---- checkout ------------------------------------------------------------------------------

// Fifty lines of a new slip, as the counter writes them.
QString prepareSlip(Connection &c, std::mt19937 &rnd)
{
    const QString dh = shop().newNumber();
    Connection::Transaction t(c);
    Statement ins = c.prepare(QStringLiteral(
        "INSERT INTO xsglc (dh, bj, txm, ppgg, dw, zkbj, sl, yjg, zk, jg, je, jfjs, bcjf, cbjg, cbje, maoli) "
        "VALUES (?, 'dz', ?, ?, '瓶', '打折', 10000, 199000, 8000, 159200, 159200, 10000, 159200, 123000, 123000, 36200)"));
    for (int i = 0; i < kSlipLines; ++i) {
        const int g = int(rnd() % kGoods);
        sqlite3_reset(ins.handle());
        ins.bind({{{}, dh}, {{}, barcode(g)}, {{}, QStringLiteral("商品名称规格型号%1").arg(g)}});
        ins.step();
    }
    t.commit();
    return dh;
}

void BM_CheckoutPosting(benchmark::State &state)
{
    Connection &c = shop().dm.ADOC1;
    std::mt19937 rnd(17);
    for (auto _ : state) {
        state.PauseTiming();
        sales::Slip s{prepareSlip(c, rnd), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")), QStringLiteral("张三"),
                      QStringLiteral("M000042"), QStringLiteral("会员42"), QString(), QStringLiteral("系统管理员")};
        state.ResumeTiming();
        const auto r = sales::checkout(c, s, sales::Mode::New, Decimal::fromInt(70), QDate::currentDate());
        benchmark::DoNotOptimize(r.due);
    }
}

// The same reads and writes with the engine's interface in one transaction, statements
// prepared once: lines read, header written, per line a detail and the goods row read and
// updated, a receivable, the member, the lines marked saved.
void BM_CheckoutEngineApi(benchmark::State &state)
{
    Connection &c = shop().dm.ADOC1;
    sqlite3 *db = c.handle();
    sqlite3_stmt *lines = prep(db, "SELECT txm, ppgg, dw, sl, jg, je, cbjg, cbje, maoli, bcjf FROM xsglc WHERE dh=? AND bj<>'ds' ORDER BY id");
    sqlite3_stmt *head = prep(db, "INSERT INTO xsglz (shbj, dh, kdrq, zhidan, rq, jsr, hybm, hymc, bz, hjsl, hjje, bcjf) "
                                  "VALUES ('已审核', ?, ?, '系统管理员', ?, '张三', 'M000042', '会员42', '', ?, ?, ?)");
    sqlite3_stmt *det = prep(db, "INSERT INTO xsfx (rq, txm, ppgg, dw, sl, jg, je, cbjg, cbje, maoli, hybm, hymc, jsr, bz, dh) "
                                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'M000042', '会员42', '张三', '', ?)");
    sqlite3_stmt *goods = prep(db, "SELECT id, kcsl, kcje, kcjg FROM sp WHERE txm=? AND ppgg=? AND dw=? ORDER BY id");
    sqlite3_stmt *upd = prep(db, "UPDATE sp SET kcsl=?, kcje=?, kcjg=? WHERE id=?");
    sqlite3_stmt *ys = prep(db, "INSERT INTO ysfx (dh, rq, jsr, hybm, hymc, qk, bz, kdrq) VALUES (?, ?, '张三', 'M000042', '会员42', ?, ?, ?)");
    sqlite3_stmt *kh = prep(db, "UPDATE kh SET zjf=zjf+?, zxf=zxf+? WHERE id=(SELECT id FROM kh WHERE bm='M000042' AND mc='会员42')");
    sqlite3_stmt *saved = prep(db, "UPDATE xsglc SET bj='yz' WHERE dh=? AND bj='dz'");
    std::mt19937 rnd(19);
    const QByteArray rq = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
    for (auto _ : state) {
        state.PauseTiming();
        const QByteArray dh = prepareSlip(c, rnd).toUtf8();
        state.ResumeTiming();
        run(db, "BEGIN IMMEDIATE");
        struct Row { QByteArray txm, ppgg, dw; int64_t sl, jg, je, cbjg, cbje, maoli; };
        std::vector<Row> rows;
        int64_t hjsl = 0, hjje = 0, bcjf = 0;
        sqlite3_reset(lines);
        text(lines, 1, dh);
        while (sqlite3_step(lines) == SQLITE_ROW) {
            auto t = [&](int i) { return QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(lines, i)), sqlite3_column_bytes(lines, i)); };
            rows.push_back({t(0), t(1), t(2), sqlite3_column_int64(lines, 3), sqlite3_column_int64(lines, 4),
                            sqlite3_column_int64(lines, 5), sqlite3_column_int64(lines, 6), sqlite3_column_int64(lines, 7),
                            sqlite3_column_int64(lines, 8)});
            hjsl += rows.back().sl;
            hjje += rows.back().je;
            bcjf += sqlite3_column_int64(lines, 9);
        }
        sqlite3_reset(head);
        text(head, 1, dh); text(head, 2, rq); text(head, 3, rq);
        sqlite3_bind_int64(head, 4, hjsl); sqlite3_bind_int64(head, 5, hjje); sqlite3_bind_int64(head, 6, bcjf);
        sqlite3_step(head);
        for (const Row &r : rows) {
            sqlite3_reset(det);
            text(det, 1, rq); text(det, 2, r.txm); text(det, 3, r.ppgg); text(det, 4, r.dw);
            sqlite3_bind_int64(det, 5, r.sl); sqlite3_bind_int64(det, 6, r.jg); sqlite3_bind_int64(det, 7, r.je);
            sqlite3_bind_int64(det, 8, r.cbjg); sqlite3_bind_int64(det, 9, r.cbje); sqlite3_bind_int64(det, 10, r.maoli);
            text(det, 11, dh);
            sqlite3_step(det);
            sqlite3_reset(goods);
            text(goods, 1, r.txm); text(goods, 2, r.ppgg); text(goods, 3, r.dw);
            if (sqlite3_step(goods) == SQLITE_ROW) {
                const int64_t id = sqlite3_column_int64(goods, 0);
                const int64_t kcsl = sqlite3_column_int64(goods, 1) - r.sl, kcje = sqlite3_column_int64(goods, 2) - r.cbje;
                int64_t kcjg = sqlite3_column_int64(goods, 3);
                if (kcsl && kcje) kcjg = kcje * 100 / kcsl * 100; // approximate: the engine side only needs the write
                sqlite3_reset(upd);
                sqlite3_bind_int64(upd, 1, kcsl); sqlite3_bind_int64(upd, 2, kcje); sqlite3_bind_int64(upd, 3, kcjg);
                sqlite3_bind_int64(upd, 4, id);
                sqlite3_step(upd);
            }
        }
        const int64_t due = (hjje + 500) / 1000 * 1000, paid = 700000;
        if (due > paid) {
            sqlite3_reset(ys);
            text(ys, 1, dh); text(ys, 2, rq); sqlite3_bind_int64(ys, 3, due - paid); text(ys, 4, dh); text(ys, 5, rq);
            sqlite3_step(ys);
        }
        sqlite3_reset(kh);
        sqlite3_bind_int64(kh, 1, bcjf); sqlite3_bind_int64(kh, 2, due);
        sqlite3_step(kh);
        sqlite3_reset(saved);
        text(saved, 1, dh);
        sqlite3_step(saved);
        run(db, "COMMIT");
    }
    for (sqlite3_stmt *s : {lines, head, det, goods, upd, ys, kh, saved}) sqlite3_finalize(s);
}
}

BENCHMARK(BM_ScanIntoCounter)->Unit(benchmark::kMicrosecond)->Iterations(2000);
BENCHMARK(BM_ScanTypedIntoCounter)->Unit(benchmark::kMicrosecond)->Iterations(500);
BENCHMARK(BM_ScanEngineApi)->Unit(benchmark::kMicrosecond)->Iterations(2000);
BENCHMARK(BM_CheckoutPosting)->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK(BM_CheckoutEngineApi)->Unit(benchmark::kMillisecond)->Iterations(100);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    shop();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
