// Opening the goods table into the shared dataset against fetching the same rows with the
// engine's own interface, on the same database in the same run.
#include "../common/benchdata.h"
#include "dm1.h"
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {
constexpr int kRows = 100000;

struct Fixture {
    QTemporaryDir dir;
    QString path;
    TDM1 dm;
    Fixture()
    {
        path = QDir(dir.path()).filePath(QStringLiteral("QTXData1.mdb"));
        createDatabase(path);
        dm.openDatabase(path);
        Connection &c = dm.ADOC1;
        Connection::Transaction t(c);
        benchdata::fillGoods(c, kRows);
        t.commit();
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_OpenIntoDataset(benchmark::State &state)
{
    Fixture &f = fixture();
    Dataset *ds = f.dm.AQsp1;
    for (auto _ : state) {
        ds->clearSql();
        ds->addSql(QStringLiteral("SELECT * FROM sp"));
        ds->addSql(QStringLiteral("order by id"));
        ds->open();
        benchmark::DoNotOptimize(ds->recordCount());
    }
    state.counters["rows"] = ds->recordCount();
}

// The same query stepped with the engine's interface, each value read as the type it has.
void BM_FetchWithEngineApi(benchmark::State &state)
{
    Fixture &f = fixture();
    sqlite3 *db = f.dm.ADOC1.handle();
    for (auto _ : state) {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM sp\norder by id", -1, &st, nullptr);
        const int n = sqlite3_column_count(st);
        long rows = 0, sink = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < n; ++c) {
                if (sqlite3_column_type(st, c) == SQLITE_TEXT) {
                    sink += sqlite3_column_bytes(st, c);
                    benchmark::DoNotOptimize(sqlite3_column_text(st, c));
                } else {
                    sink += sqlite3_column_int64(st, c);
                }
            }
            ++rows;
        }
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(sink);
        benchmark::DoNotOptimize(rows);
    }
}
}

BENCHMARK(BM_OpenIntoDataset)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FetchWithEngineApi)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
