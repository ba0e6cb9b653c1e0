// The goods and member look-ups of the counter and the choosers, and opening the goods list,
// on 100,000 goods and 20,000 members, each against the engine's own interface running the
// same statement in the same run and keeping the same values in memory.
#include "../common/benchdata.h"
#include "dm1.h"
#include "querydialog.h"
#include "tsp1.h"
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {
constexpr int kGoods = 100000;
constexpr int kMembers = 20000;

using benchdata::barcode;
using benchdata::card;

struct Fixture {
    QTemporaryDir dir;
    QString path;
    TDM1 dm;
    Fixture()
    {
        path = QDir(dir.path()).filePath(QStringLiteral("QTXData1.mdb"));
        createDatabase(path);
        dm.openDatabase(path);
        DM1 = &dm;
        Connection &c = dm.ADOC1;
        Connection::Transaction t(c);
        benchdata::fillGoods(c, kGoods);
        benchdata::fillMembers(c, kMembers);
        t.commit();
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// What a client-side static result of the engine's interface keeps: every value copied out.
struct Copied {
    std::vector<int64_t> numbers;
    std::vector<std::string> texts;
    long rows = 0;
};

Copied runWithEngine(sqlite3 *db, const char *sql, const std::vector<std::string> &texts)
{
    Copied out;
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    for (size_t i = 0; i < texts.size(); ++i)
        sqlite3_bind_text(st, int(i + 1), texts[i].data(), int(texts[i].size()), SQLITE_TRANSIENT);
    const int n = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < n; ++c) {
            if (sqlite3_column_type(st, c) == SQLITE_TEXT)
                out.texts.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(st, c)), size_t(sqlite3_column_bytes(st, c)));
            else
                out.numbers.push_back(sqlite3_column_int64(st, c));
        }
        ++out.rows;
    }
    sqlite3_finalize(st);
    return out;
}

// ---- the barcode the counter looks up on every keystroke: exact txm
void BM_BarcodeLookup_Dataset(benchmark::State &state)
{
    Fixture &f = fixture();
    Dataset *ds = f.dm.AQsp1;
    int i = 0;
    for (auto _ : state) {
        Filter w;
        w.equals(QStringLiteral("txm"), barcode((i++ * 7919) % kGoods));
        requery(*ds, QStringLiteral("SELECT * FROM sp"), w, QString());
        benchmark::DoNotOptimize(ds->recordCount());
    }
    state.counters["rows"] = ds->recordCount();
}

void BM_BarcodeLookup_Engine(benchmark::State &state)
{
    Fixture &f = fixture();
    sqlite3 *db = f.dm.ADOC1.handle();
    int i = 0;
    long rows = 0;
    for (auto _ : state) {
        const Copied r = runWithEngine(db, "SELECT * FROM sp\nwhere txm=:f0", {barcode((i++ * 7919) % kGoods).toStdString()});
        rows = r.rows;
        benchmark::DoNotOptimize(r.rows);
    }
    state.counters["rows"] = double(rows);
}

// ---- the member card the counter looks up
void BM_CardLookup_Dataset(benchmark::State &state)
{
    Fixture &f = fixture();
    Dataset *ds = f.dm.AQkh1;
    int i = 0;
    for (auto _ : state) {
        Filter w;
        w.equals(QStringLiteral("bm"), card((i++ * 104729) % kMembers));
        requery(*ds, QStringLiteral("SELECT * FROM kh"), w, QString());
        benchmark::DoNotOptimize(ds->recordCount());
    }
    state.counters["rows"] = ds->recordCount();
}

void BM_CardLookup_Engine(benchmark::State &state)
{
    Fixture &f = fixture();
    sqlite3 *db = f.dm.ADOC1.handle();
    int i = 0;
    for (auto _ : state) {
        const Copied r = runWithEngine(db, "SELECT * FROM kh\nwhere bm=:f0", {card((i++ * 104729) % kMembers).toStdString()});
        benchmark::DoNotOptimize(r.rows);
    }
}

// ---- the goods chooser's search: ppgg like, txm like (empty), order by id
const char *kSearch = "型号4321"; // 4321 and 43210..43219

void BM_ChooserSearch_Dataset(benchmark::State &state)
{
    Fixture &f = fixture();
    Dataset *ds = f.dm.AQsp1;
    for (auto _ : state) {
        Filter w;
        w.like(QStringLiteral("ppgg"), QString::fromUtf8(kSearch));
        w.like(QStringLiteral("txm"), QString());
        requery(*ds, QStringLiteral("SELECT * FROM sp"), w);
        benchmark::DoNotOptimize(ds->recordCount());
    }
    state.counters["rows"] = ds->recordCount();
}

void BM_ChooserSearch_Engine(benchmark::State &state)
{
    Fixture &f = fixture();
    sqlite3 *db = f.dm.ADOC1.handle();
    const std::string name = std::string("%") + kSearch + "%";
    for (auto _ : state) {
        const Copied r = runWithEngine(db, "SELECT * FROM sp\nwhere ppgg like :f0\nand txm like :f1\norder by id", {name, "%%"});
        benchmark::DoNotOptimize(r.rows);
    }
}

// ---- opening the goods list: every article, in entry order, into the list's grid
void BM_OpenGoodsList_Screen(benchmark::State &state)
{
    fixture();
    TFsp1 list;
    for (auto _ : state) {
        list.fill();
        benchmark::DoNotOptimize(list.model()->rowCount());
    }
    state.counters["rows"] = list.model()->rowCount();
}

void BM_OpenGoodsList_Engine(benchmark::State &state)
{
    Fixture &f = fixture();
    sqlite3 *db = f.dm.ADOC1.handle();
    for (auto _ : state) {
        const Copied r = runWithEngine(db, "SELECT * FROM sp\norder by id", {});
        benchmark::DoNotOptimize(r.rows);
    }
}
}

BENCHMARK(BM_BarcodeLookup_Dataset)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BarcodeLookup_Engine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CardLookup_Dataset)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CardLookup_Engine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChooserSearch_Dataset)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChooserSearch_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenGoodsList_Screen)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenGoodsList_Engine)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
