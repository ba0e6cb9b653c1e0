// A 10,000-line purchase list on the landscape detail-list form: how soon the preview shows
// its first page, and how many pages per second the engine lays out, paints into a PDF file
// and produces through the preview window's event-loop slices.
#include "dm1.h"
#include "preview.h"
#include "printing.h"
#include "reportforms.h"
#include "testsupport.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
constexpr int kRows = 10000;

struct Fixture {
    TempDb db;
    rpt::ReportForm *form = nullptr;
    Fixture()
    {
        Connection &c = db.conn();
        c.exec(QStringLiteral("BEGIN"));
        for (int i = 0; i < kRows; ++i)
            c.exec(QStringLiteral("insert into cgfx(shbj,rq,ghs,jsr,txm,ppgg,dw,jg,sl,je) values(?,?,?,?,?,?,?,?,?,?)"),
                   {{QString(), QStringLiteral("已审核")},
                    {QString(), QStringLiteral("2026-12-%1").arg(1 + i % 28, 2, 10, QChar(u'0'))},
                    {QString(), QStringLiteral("供应商%1").arg(i % 40)},
                    {QString(), QStringLiteral("李四")},
                    {QString(), QStringLiteral("69%1").arg(i, 11, 10, QChar(u'0'))},
                    {QString(), QStringLiteral("商品名称规格型号%1").arg(i)},
                    {QString(), i % 3 ? QStringLiteral("瓶") : QStringLiteral("箱")},
                    {QString(), qlonglong(123400 + i % 1000)},
                    {QString(), qlonglong((1 + i % 20) * 10000)},
                    {QString(), qlonglong((123400 + i % 1000) * (1 + i % 20))}});
        c.exec(QStringLiteral("COMMIT"));
        DM1->AQcgfx1->setSql(QStringLiteral("select * from cgfx order by id"));
        DM1->AQcgfx1->open();
        PrintJob job = listPrintJob(QStringLiteral("TFcgfx1"));
        job.summaryTexts = {QStringLiteral("105000"), QStringLiteral("13480000")};
        form = prepareList(nullptr, job);
    }
};
Fixture *fx = nullptr;

// From opening the preview to its first page painted on the screen.
void BM_PreviewFirstPage(benchmark::State &state)
{
    int pages = 0;
    for (auto _ : state) {
        auto w = std::make_unique<TFdyPreview1>();
        w->setReport(fx->form);
        while (w->currentPage() == 0) QCoreApplication::processEvents();
        const QPixmap shot = w->findChild<rpt::PageView *>()->grab();
        benchmark::DoNotOptimize(shot.cacheKey());
        pages = w->pageCount();
    }
    state.counters["pages_at_first_show"] = pages;
}
BENCHMARK(BM_PreviewFirstPage)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Layout only: every page of the report as data.
void BM_LayoutWholeReport(benchmark::State &state)
{
    int pages = 0;
    for (auto _ : state) {
        rpt::ReportRun run(*fx->form);
        run.produceAll();
        pages = run.pageCount();
    }
    state.counters["pages"] = pages;
    state.counters["pages_per_s"] = benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_LayoutWholeReport)->Unit(benchmark::kMillisecond);

// What "打印" to a PDF file does: lay out and paint every page.
void BM_PdfWholeReport(benchmark::State &state)
{
    QTemporaryDir dir;
    int pages = 0;
    for (auto _ : state) {
        rpt::ReportRun run(*fx->form);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("report.pdf")));
        if (!rpt::printRun(printer, run)) state.SkipWithError("printing failed");
        pages = run.pageCount();
    }
    state.counters["pages"] = pages;
    state.counters["pages_per_s"] = benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PdfWholeReport)->Unit(benchmark::kMillisecond);

// The preview window producing every page a slice at a time from the event loop.
void BM_PreviewWholeReport(benchmark::State &state)
{
    int pages = 0;
    for (auto _ : state) {
        TFdyPreview1 w;
        w.setReport(fx->form);
        while (w.producing()) QCoreApplication::processEvents();
        pages = w.pageCount();
    }
    state.counters["pages"] = pages;
    state.counters["pages_per_s"] = benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PreviewWholeReport)->Unit(benchmark::kMillisecond);
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    createReportForms();
    benchmark::Initialize(&argc, argv);
    Fixture fixture;
    fx = &fixture;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fx = nullptr;
    return 0;
}
