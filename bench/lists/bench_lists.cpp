// Exporting a list of 100,000 rows by 10 columns against libxlsxwriter writing the same cells
// directly, and a title-click sort of 100,000 rows, in the same run.
#include "dm1.h"
#include "gridbehaviour.h"
#include "gridmodel.h"
#include "xlsxexport.h"
#include <QApplication>
#include <QDir>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <string>
#include <vector>
#include <xlsxwriter.h>

namespace {
constexpr int kRows = 100000;
const char *kFields[10] = {"txm", "lb", "ppgg", "dw", "jj", "xj", "kcsl", "kcjg", "kcje", "ms"};

struct Fixture {
    QTemporaryDir dir;
    QString path;
    TDM1 dm;
    QList<xlsx::Column> columns;
    std::vector<std::string> titles;
    std::vector<std::string> cells; // row by row, the texts the export writes
    QTableView view;
    GridModel *model = nullptr;

    Fixture()
    {
        path = QDir(dir.path()).filePath(QStringLiteral("QTXData1.mdb"));
        createDatabase(path);
        dm.openDatabase(path);
        Connection &c = dm.ADOC1;
        // Barcodes and names arrive out of order (as a sort should meet them); a large page cache
        // keeps their indexes from spilling while the rows go in.
        c.exec(QStringLiteral("PRAGMA cache_size=-262144"));
        Connection::Transaction t(c);
        Statement st = c.prepare(QStringLiteral(
            "INSERT INTO sp (txm, lb, ppgg, dw, jj, xj, kcsl, kcjg, kcje, ms, ztbj) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '打折')"));
        for (int i = 0; i < kRows; ++i) {
            sqlite3_reset(st.handle());
            st.bindAt(1, QStringLiteral("%1").arg((qint64(i) * 7919) % kRows, 13, 10, QLatin1Char('0')));
            st.bindAt(2, QStringLiteral("类别%1").arg(i % 50));
            st.bindAt(3, QStringLiteral("商品名称规格型号%1").arg((qint64(i) * 104729) % kRows));
            st.bindAt(4, i % 3 ? QStringLiteral("瓶") : QStringLiteral("箱"));
            st.bindAt(5, qlonglong(12300 + i % 1000));
            st.bindAt(6, qlonglong(19900 + i % 1000));
            st.bindAt(7, qlonglong((i % 200) * 10000));
            st.bindAt(8, qlonglong(12300));
            st.bindAt(9, qlonglong((i % 200) * 12300));
            st.bindAt(10, QStringLiteral(" 描述 %1 ").arg(i % 97));
            st.step();
        }
        t.commit();
        Dataset *ds = dm.AQsp1;
        ds->setSql(QStringLiteral("SELECT * FROM sp order by id"));
        ds->open();
        QList<GridColumn> grid;
        for (const char *f : kFields) {
            GridColumn g;
            g.field = QLatin1String(f);
            g.title = QLatin1String(f).toString().toUpper();
            grid << g;
            columns << xlsx::Column{g.title, g.field, true};
            titles.push_back(g.title.toStdString());
        }
        model = bindGrid(&view, ds, grid);
        view.resize(1000, 600);
        cells.reserve(size_t(kRows) * 10);
        for (int r = 0; r < kRows; ++r)
            for (const char *f : kFields) cells.push_back(ds->textAt(r, ds->fieldIndex(QLatin1String(f))).trimmed().toStdString());
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_ExportList(benchmark::State &state)
{
    Fixture &f = fixture();
    const QString out = QDir(f.dir.path()).filePath(QStringLiteral("export.xlsx"));
    for (auto _ : state) {
        const auto r = xlsx::writeWorkbook(out, *f.dm.AQsp1, f.columns, [](int) { return true; });
        if (r != xlsx::Result::Written) state.SkipWithError("export failed");
    }
    state.SetItemsProcessed(state.iterations() * kRows * 10);
}

void BM_LibxlsxwriterDirect(benchmark::State &state)
{
    Fixture &f = fixture();
    const QByteArray out = QFile::encodeName(QDir(f.dir.path()).filePath(QStringLiteral("direct.xlsx")));
    const QByteArray tmp = QFile::encodeName(QDir::tempPath());
    for (auto _ : state) {
        lxw_workbook_options opts{};
        opts.constant_memory = LXW_TRUE;
        opts.tmpdir = const_cast<char *>(tmp.constData());
        lxw_workbook *wb = workbook_new_opt(out.constData(), &opts);
        lxw_worksheet *ws = workbook_add_worksheet(wb, nullptr);
        lxw_format *text = workbook_add_format(wb);
        format_set_num_format(text, "@");
        for (lxw_col_t c = 0; c < 10; ++c) worksheet_set_column(ws, c, c, 12, text);
        for (lxw_col_t c = 0; c < 10; ++c) worksheet_write_string(ws, 0, c, f.titles[c].c_str(), text);
        size_t i = 0;
        for (int r = 0; r < kRows; ++r)
            for (lxw_col_t c = 0; c < 10; ++c, ++i)
                if (!f.cells[i].empty()) worksheet_write_string(ws, lxw_row_t(r + 1), c, f.cells[i].c_str(), text);
        if (workbook_close(wb) != LXW_NO_ERROR) state.SkipWithError("direct write failed");
    }
    state.SetItemsProcessed(state.iterations() * kRows * 10);
}

// One click on a title: the sort of the fetched rows and the grid's reset.
void BM_TitleClickSort(benchmark::State &state)
{
    Fixture &f = fixture();
    const int column = int(state.range(0));
    for (auto _ : state) {
        grid::sortByTitle(f.model, column);
        benchmark::DoNotOptimize(f.dm.AQsp1->recNo());
    }
    state.SetLabel(kFields[column]);
}
}

BENCHMARK(BM_ExportList)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_LibxlsxwriterDirect)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_TitleClickSort)->Arg(2)->Arg(0)->Arg(6)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    fixture();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
