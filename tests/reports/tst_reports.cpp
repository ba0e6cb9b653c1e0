#include "dm1.h"
#include "preview.h"
#include "printing.h"
#include "reportforms.h"
#include "testsupport.h"
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QPrinterInfo>
#include <QProcess>
#include <QProgressBar>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace rpt;

namespace {

Binding val(const QVariant &v) { return Binding{QString(), v}; }
qint64 raw(const char *dec) { return Decimal::parse(QLatin1String(dec))->raw(); }

// Receivables (or payables) rows: date, number, customer, handler, amount owed.
void addBills(Connection &c, const QString &table, int n, const QString &who = QStringLiteral("hymc"))
{
    c.exec(QStringLiteral("BEGIN"));
    for (int i = 0; i < n; ++i)
        c.exec(QStringLiteral("insert into %1(rq,dh,%2,jsr,qk) values(?,?,?,?,?)").arg(table, who),
               {val(QStringLiteral("2026-12-11")), val(QStringLiteral("YS202612110%1").arg(i, 3, 10, QChar(u'0'))),
                val(QStringLiteral("客户%1").arg(i)), val(QStringLiteral("李四")), val(raw("12.5") + i * 10000)});
    c.exec(QStringLiteral("COMMIT"));
}

void openAll(Dataset *ds, const QString &table)
{
    ds->setSql(QStringLiteral("select * from ") + table + QStringLiteral(" order by id"));
    ds->open();
}

void setPrintHeader(Connection &c, const QString &header)
{
    c.exec(QStringLiteral("update danwei set mcdy=?"), {val(header)});
    DM1->ATdanwei1->close(); // the next print reads it afresh
}

// A status bar with panels 0..n-1 as a list screen has them.
std::unique_ptr<QStatusBar> statusBar(const QStringList &panels)
{
    auto bar = std::make_unique<QStatusBar>();
    for (const QString &t : panels) bar->addWidget(new QLabel(t, bar.get()));
    return bar;
}

// Every detail row placed, in page order.
QList<int> placedRows(ReportRun &run)
{
    QList<int> rows;
    for (int p = 0; p < run.pageCount(); ++p) {
        int last = -2;
        for (const PlacedItem &i : run.page(p).items)
            if (i.band == BandKind::Detail && i.row != last && i.row >= 0) rows.append(last = i.row);
    }
    return rows;
}

QToolButton *button(QWidget *w, const QString &text)
{
    for (QToolButton *b : w->findChildren<QToolButton *>())
        if (b->text() == text) return b;
    qFatal("no button %s", qPrintable(text));
    return nullptr;
}

// Preview windows of the print sequence, inspected while they run modally.
struct PreviewSeen {
    QString windowTitle;
    int pages = 0;
    Page first, last;
};
PreviewSeen previewOf(const std::function<void()> &print)
{
    PreviewSeen seen;
    ModalDriver driver("TFdyPreview1", [&](QWidget *w) {
        auto *p = static_cast<TFdyPreview1 *>(w);
        p->run()->produceAll();
        seen.windowTitle = p->windowTitle();
        seen.pages = p->run()->pageCount();
        seen.first = p->run()->page(0);
        seen.last = p->run()->page(seen.pages - 1);
        p->close();
    });
    print();
    if (!driver.acted()) qWarning("no preview was shown");
    return seen;
}
}

class TstReports : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { createReportForms(); }

    // Paper, captions and where the totals stand, as each form is laid out.
    void forms_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QList<int>>("totalsUnder"); // caption numbers of e1, e2, ...
        auto row = [](const char *f, bool l, const char16_t *caps, QList<int> under) {
            QTest::newRow(f) << QString::fromLatin1(f) << l << QString::fromUtf16(caps).split(u',') << under;
        };
        row("TFdyghs1", false, u"名称,联系人,电话,地址", {});
        row("TFdykh1", true, u"会员卡号,会员姓名,性别,会员等级,会员折扣,联系方式,联系地址", {});
        row("TFdysp1", false, u"条码,类别,品名规格型号,单位,销售单价", {});
        row("TFdykc1", false, u"条码,品名规格型号,单位,库存数量,库存单价,库存金额", {4, 6});
        row("TFdyzp1", false, u"条码,品名规格型号,单位,库存数量,所需积分", {4});
        row("TFdycgfx1", true, u"日期,条码,品名规格型号,单位,数量,单价,金额,厂商", {5, 7});
        row("TFdycgtj1", true, u"条码,品名规格型号,单位,采购数量,采购金额,分组", {4, 5});
        row("TFdydui1", true, u"日期,条码,品名规格型号,单位,数量,扣分基数,本次扣分,会员卡号,会员姓名", {5, 7});
        row("TFdyyffx1", false, u"日期,单号,厂商,经办人,应付款", {5});
        row("TFdyfkfx1", false, u"日期,单号,厂商,经办人,付款", {5});
        row("TFdyszfx1", false, u"日期,类别,项目,收入额,支出额,经办人", {4, 5});
        row("TFdyxsgl1", true, u"日期,单号,会员卡号,会员姓名,合计数量,合计金额,本次积分,业务员", {5, 6});
        row("TFdyxstj1", true, u"条码,品名规格型号,单位,销售数量,销售金额,成本,毛利润,分组", {4, 5, 6, 7});
        row("TFdyxstj2", false, u"员工,销售提成额,金额提成额,总提成额", {2, 3, 4});
    }
    void forms()
    {
        QFETCH(QString, form);
        QFETCH(bool, landscape);
        QFETCH(QStringList, captions);
        QFETCH(QList<int>, totalsUnder);
        ReportForm *f = reportForm(form);
        QVERIFY(f);
        QCOMPARE(f->paperSize(), landscape ? QSizeF(297, 210) : QSizeF(210, 297));
        QCOMPARE(f->margins(), QMarginsF(10, 10, 10, 10));
        QCOMPARE(f->columnCount(), captions.size());
        for (int k = 0; k < captions.size(); ++k) {
            const ReportItem *cap = f->item(QStringLiteral("QRL%1").arg(k + 1));
            const ReportItem *box = f->item(QStringLiteral("QRD%1").arg(k + 1));
            QVERIFY(cap && box);
            QCOMPARE(cap->text, captions[k]);
            QCOMPARE(box->rect.left(), cap->rect.left()); // box n under caption n
            QVERIFY(cap->rect.right() <= f->printableWidth() + 1e-6);
        }
        QCOMPARE(f->band(BandKind::Summary) != nullptr, !totalsUnder.isEmpty());
        for (int k = 0; k < totalsUnder.size(); ++k) {
            const ReportItem *e = f->item(QStringLiteral("e%1").arg(k + 1));
            const ReportItem *cap = f->item(QStringLiteral("QRL%1").arg(totalsUnder[k]));
            QVERIFY(e && cap);
            QCOMPARE(e->rect.left(), cap->rect.left());
            QCOMPARE(e->rect.width(), cap->rect.width());
        }
        if (!totalsUnder.isEmpty()) QCOMPARE(f->text(QStringLiteral("QRLzj")), QStringLiteral("总　　计"));
        QCOMPARE(f->item(QStringLiteral("QRLdw"))->font.family, QStringLiteral("黑体"));
    }

    void startUpOrderAndSlipPaper()
    {
        QCOMPARE(reportFormNames().size(), 15);
        QCOMPARE(reportFormNames().first(), QStringLiteral("TFdyghs1"));
        QCOMPARE(reportFormNames().last(), QStringLiteral("TFdyxstj1"));
        for (const QString &n : reportFormNames()) QVERIFY2(reportForm(n), qPrintable(n));
        QCOMPARE(reportForm(QStringLiteral("Fdyghs1")), reportForm(QStringLiteral("TFdyghs1")));
        ReportForm *slip = reportForm(QStringLiteral("TFdyxsd1"));
        QCOMPARE(slip->paperSize(), QSizeF(241, 93));
        QCOMPARE(slip->margins(), QMarginsF(15, 10, 0, 10));
        QVERIFY(slip->band(BandKind::Title) && !slip->band(BandKind::PageHeader));
        QStringList caps;
        for (int k = 1; k <= 6; ++k) caps << slip->text(QStringLiteral("QRL%1").arg(k));
        QCOMPARE(caps, QStringList({QStringLiteral("货 　号"), QStringLiteral("品名规格"), QStringLiteral("单位"),
                                    QStringLiteral("数 　量"), QStringLiteral("单 　价"), QStringLiteral("金 　额")}));
        // The report faces are the installed ones that keep their text in a PDF.
        QCOMPARE(resolvedFamily(QStringLiteral("黑体")), QStringLiteral("WenQuanYi Zen Hei"));
        QCOMPARE(resolvedFamily(QStringLiteral("宋体")), QStringLiteral("AR PL UMing CN"));
    }

    // Around the page boundary no line is lost or doubled, and the summary comes once, after
    // the last line, on the last page.
    void pagination_data()
    {
        QTest::addColumn<int>("records");
        ReportForm *f = reportForm(QStringLiteral("TFdyyffx1"));
        const double body = f->paperSize().height() - f->margins().top() - f->margins().bottom() -
                            f->band(BandKind::PageFooter)->height - f->band(BandKind::PageHeader)->height -
                            f->band(BandKind::ColumnHeader)->height;
        const double line = f->band(BandKind::Detail)->height, summary = f->band(BandKind::Summary)->height;
        const int full = int(body / line), withSummary = int((body - summary) / line);
        QVERIFY(withSummary < full); // the fixture needs a page where the summary does not fit
        for (int n : {1, withSummary - 1, withSummary, withSummary + 1, full, full + 1, 2 * full, 2 * full + withSummary,
                      2 * full + withSummary + 1})
            QTest::addRow("%d records", n) << n;
    }
    void pagination()
    {
        QFETCH(int, records);
        TempDb db;
        addBills(db.conn(), QStringLiteral("ysfx"), records);
        openAll(DM1->AQysfx1, QStringLiteral("ysfx"));
        auto bar = statusBar({QStringLiteral("总计"), QString(), QStringLiteral("999.5")});
        PrintJob job = listPrintJob(QStringLiteral("TFysfx1"));
        job.statusBar = bar.get();
        ReportForm *f = prepareList(nullptr, job);
        QVERIFY(f);
        ReportRun run(*f);
        run.produceAll();

        const double body = f->paperSize().height() - 20 - f->band(BandKind::PageFooter)->height -
                            f->band(BandKind::PageHeader)->height - f->band(BandKind::ColumnHeader)->height;
        const int full = int(body / f->band(BandKind::Detail)->height);
        const int withSummary = int((body - f->band(BandKind::Summary)->height) / f->band(BandKind::Detail)->height);
        const int pagesOfLines = (records + full - 1) / full;
        const int onLast = records - (pagesOfLines - 1) * full;
        QCOMPARE(run.pageCount(), pagesOfLines + (onLast > withSummary ? 1 : 0));

        QList<int> expected;
        for (int i = 0; i < records; ++i) expected << i;
        QCOMPARE(placedRows(run), expected);
        int summaries = 0;
        for (int p = 0; p < run.pageCount(); ++p) {
            const Page &page = run.page(p);
            summaries += page.textsOf(QStringLiteral("QRLzj")).size();
            QCOMPARE(page.hasSummary, p == run.pageCount() - 1);
            QCOMPARE(page.textOf(QStringLiteral("QRSysData1")), QStringLiteral("（%1").arg(p + 1));
            QCOMPARE(page.textOf(QStringLiteral("QRL5")), QStringLiteral("应收款")); // header on every page
            // Nothing runs into the bottom margin.
            for (const PlacedItem &i : page.items) QVERIFY(i.rect.bottom() <= f->paperSize().height() - 10 + 1e-6);
        }
        QCOMPARE(summaries, 1);
        const Page &last = run.page(run.pageCount() - 1);
        QCOMPARE(last.textOf(QStringLiteral("e1")), QStringLiteral("999.5"));
        // The summary stands below the last line.
        double lastLine = 0, summaryTop = 0;
        for (const PlacedItem &i : last.items) {
            if (i.band == BandKind::Detail) lastLine = std::max(lastLine, i.rect.bottom());
            if (i.name == u"QRLzj") summaryTop = i.rect.top();
        }
        QVERIFY(summaryTop >= lastLine - 1e-6);
    }

    void oneRecordOnePageWithSummary()
    {
        TempDb db;
        addBills(db.conn(), QStringLiteral("yffx"), 1, QStringLiteral("ghs"));
        openAll(DM1->AQyffx1, QStringLiteral("yffx"));
        auto bar = statusBar({QStringLiteral("总计"), QString(), QStringLiteral("12.5")});
        PrintJob job = listPrintJob(QStringLiteral("TFyffx1"));
        job.statusBar = bar.get();
        const PreviewSeen seen = previewOf([&] { QVERIFY(printList(nullptr, job)); });
        QCOMPARE(seen.windowTitle, QStringLiteral("打印预览"));
        QCOMPARE(seen.pages, 1);
        QCOMPARE(seen.first.rowCount, 1);
        QCOMPARE(seen.first.bandTexts(BandKind::Detail),
                 QStringList({QStringLiteral("2026-12-11"), QStringLiteral("YS202612110000"), QStringLiteral("客户0"),
                              QStringLiteral("李四"), QStringLiteral("12.5")}));
        QCOMPARE(seen.first.bandTexts(BandKind::Summary), QStringList({QStringLiteral("总　　计"), QStringLiteral("12.5")}));
    }

    void title_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("title");
        QTest::newRow("shop header") << QStringLiteral("朗森便利店") << QStringLiteral("朗森便利店销售应收明细表");
        QTest::newRow("empty header") << QString() << QStringLiteral("销售应收明细表");
    }
    void title()
    {
        QFETCH(QString, header);
        QFETCH(QString, title);
        TempDb db;
        setPrintHeader(db.conn(), header);
        addBills(db.conn(), QStringLiteral("ysfx"), 2);
        openAll(DM1->AQysfx1, QStringLiteral("ysfx"));
        ReportForm *f = prepareList(nullptr, listPrintJob(QStringLiteral("TFysfx1")));
        QVERIFY(f);
        ReportRun run(*f);
        QCOMPARE(run.produceNext().textOf(QStringLiteral("QRLdw")), title);
    }

    // Receivables and payables share one form; each print sets its own captions and totals.
    void sharedFormCaptions()
    {
        TempDb db;
        addBills(db.conn(), QStringLiteral("ysfx"), 3);
        addBills(db.conn(), QStringLiteral("yffx"), 2, QStringLiteral("ghs"));
        openAll(DM1->AQysfx1, QStringLiteral("ysfx"));
        openAll(DM1->AQyffx1, QStringLiteral("yffx"));
        auto ysBar = statusBar({QStringLiteral("总计"), QString(), QStringLiteral("40.5")});
        auto yfBar = statusBar({QStringLiteral("总计"), QString(), QStringLiteral("26")});

        PrintJob ys = listPrintJob(QStringLiteral("TFysfx1"));
        ys.statusBar = ysBar.get();
        PrintJob yf = listPrintJob(QStringLiteral("TFyffx1"));
        yf.statusBar = yfBar.get();
        QCOMPARE(ys.form, yf.form);

        const PreviewSeen a = previewOf([&] { printList(nullptr, ys); });
        QCOMPARE(a.first.textOf(QStringLiteral("QRL3")), QStringLiteral("顾客"));
        QCOMPARE(a.first.textOf(QStringLiteral("QRL5")), QStringLiteral("应收款"));
        QCOMPARE(a.first.textsOf(QStringLiteral("QRD3")).first(), QStringLiteral("客户0"));
        QCOMPARE(a.first.textOf(QStringLiteral("e1")), QStringLiteral("40.5"));
        QVERIFY(a.first.textOf(QStringLiteral("QRLdw")).endsWith(QStringLiteral("销售应收明细表")));

        const PreviewSeen b = previewOf([&] { printList(nullptr, yf); });
        QCOMPARE(b.first.textOf(QStringLiteral("QRL3")), QStringLiteral("厂商"));
        QCOMPARE(b.first.textOf(QStringLiteral("QRL5")), QStringLiteral("应付款"));
        QCOMPARE(b.first.rowCount, 2);
        QCOMPARE(b.first.textOf(QStringLiteral("e1")), QStringLiteral("26"));
        QVERIFY(b.first.textOf(QStringLiteral("QRLdw")).endsWith(QStringLiteral("采购应付明细表")));
    }

    void guards_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("message");
        QTest::newRow("list closed") << "TFysfx1" << false << QStringLiteral("数据表未打开，请先查询！");
        QTest::newRow("list empty") << "TFysfx1" << true << QStringLiteral("没有数据可打印，请先查询！");
        QTest::newRow("statistics closed") << "TFxstj1" << false << QStringLiteral("数据表未打开，请先统计！");
        QTest::newRow("statistics empty") << "TFxstj1" << true << QStringLiteral("没有数据可打印，请先统计！");
        QTest::newRow("commission empty") << "TFxstj2" << true << QStringLiteral("没有数据可打印，请先统计！");
        QTest::newRow("purchase statistics closed") << "TFcgtj1" << false << QStringLiteral("数据表未打开，请先统计！");
    }
    void guards()
    {
        QFETCH(QString, screen);
        QFETCH(bool, open);
        QFETCH(QString, message);
        TempDb db;
        MessageRecorder rec;
        PrintJob job = listPrintJob(screen);
        QVERIFY(job.dataset);
        job.dataset->close();
        if (open) openAll(job.dataset, job.dataset->table());
        bool previewed = false;
        ModalDriver driver("TFdyPreview1", [&](QWidget *w) { previewed = true; w->close(); }, 300);
        QVERIFY(!printList(nullptr, job));
        QTest::qWait(50);
        QVERIFY(!previewed);
        QCOMPARE(rec.texts(), QStringList{message});
        QCOMPARE(rec.messages.front().kind, msg::Kind::Warning);
        QCOMPARE(rec.messages.front().title, QStringLiteral("警告"));
    }

    // The statistics reports' last column follows the grid's grouping column.
    void groupingColumn()
    {
        TempDb db;
        db.conn().exec(QStringLiteral("insert into xsfx(rq,txm,ppgg,dw,sl,je,cbje,maoli,hybm,jsr) values"
                                      "('2026-12-11','690001','可乐','瓶',20000,70000,40000,30000,'V001','王五')"));
        Dataset *ds = DM1->AQxstj1;
        ds->setSql(QStringLiteral("select hybm as fenzu,txm,ppgg,dw,sum(sl)as zsl,sum(je)as zje,sum(cbje)as zcb,"
                                  "sum(maoli)as zmaoli from xsfx group by hybm,txm,ppgg,dw order by hybm"));
        ds->open();
        QStandardItemModel model(0, 8);
        model.setHorizontalHeaderLabels({QStringLiteral("条码"), QStringLiteral("品名规格型号"), QStringLiteral("单位"),
                                         QStringLiteral("数量"), QStringLiteral("金额"), QStringLiteral("成本"),
                                         QStringLiteral("毛利润"), QStringLiteral("会员卡号")});
        QTableView grid;
        grid.setModel(&model);
        PrintJob job = listPrintJob(QStringLiteral("TFxstj1"));

        job.grouping = groupingOf(&grid, 7);
        ReportRun shown(*prepareList(nullptr, job));
        const Page &a = shown.produceNext();
        QCOMPARE(a.textOf(QStringLiteral("QRL8")), QStringLiteral("会员卡号"));
        QCOMPARE(a.textsOf(QStringLiteral("QRD8")), QStringList{QStringLiteral("V001")});
        QCOMPARE(a.textsOf(QStringLiteral("QRD4")), QStringList{QStringLiteral("2")});

        grid.setColumnHidden(7, true);
        job.grouping = groupingOf(&grid, 7);
        ReportRun hidden(*prepareList(nullptr, job));
        const Page &b = hidden.produceNext();
        QVERIFY(b.textsOf(QStringLiteral("QRL8")).isEmpty());
        QVERIFY(b.textsOf(QStringLiteral("QRD8")).isEmpty());
        QVERIFY(!b.texts().contains(QStringLiteral("V001")));
        QCOMPARE(b.textsOf(QStringLiteral("QRD2")), QStringList{QStringLiteral("可乐")});

        // Not grouped: the result has no grouping field; the column is blank and nothing fails.
        ds->setSql(QStringLiteral("select txm,ppgg,dw,sum(sl)as zsl,sum(je)as zje,sum(cbje)as zcb,sum(maoli)as zmaoli "
                                  "from xsfx group by txm,ppgg,dw order by txm"));
        ds->open();
        ReportRun plain(*prepareList(nullptr, job));
        const Page &c = plain.produceNext();
        QVERIFY(c.textsOf(QStringLiteral("QRD8")).isEmpty());
        QCOMPARE(c.textsOf(QStringLiteral("QRD1")), QStringList{QStringLiteral("690001")});
    }

    // Lines follow the dataset's current order, as the grid shows it after a title click.
    void datasetOrder()
    {
        TempDb db;
        addBills(db.conn(), QStringLiteral("ysfx"), 3);
        openAll(DM1->AQysfx1, QStringLiteral("ysfx"));
        DM1->AQysfx1->setSort(QStringLiteral("qk DESC"));
        ReportRun run(*prepareList(nullptr, listPrintJob(QStringLiteral("TFysfx1"))));
        QCOMPARE(run.produceNext().textsOf(QStringLiteral("QRD5")),
                 QStringList({QStringLiteral("14.5"), QStringLiteral("13.5"), QStringLiteral("12.5")}));
    }

    // A dataset closed under a running report (a re-query elsewhere) ends the report cleanly.
    void datasetClosedMidReport()
    {
        TempDb db;
        addBills(db.conn(), QStringLiteral("ysfx"), 100);
        openAll(DM1->AQysfx1, QStringLiteral("ysfx"));
        ReportRun run(*prepareList(nullptr, listPrintJob(QStringLiteral("TFysfx1"))));
        const int firstPageRows = run.produceNext().rowCount;
        DM1->AQysfx1->close();
        run.produceAll();
        QVERIFY(run.finished());
        QCOMPARE(placedRows(run).size(), firstPageRows);
        QVERIFY(run.page(run.pageCount() - 1).hasSummary);
    }

    // A long report shows its first page at once and keeps the window responsive while the
    // rest is produced; the page buttons work on what exists so far.
    void previewWhileProducing()
    {
        TempDb db;
        addBills(db.conn(), QStringLiteral("ysfx"), 12000);
        openAll(DM1->AQysfx1, QStringLiteral("ysfx"));
        ReportForm *f = prepareList(nullptr, listPrintJob(QStringLiteral("TFysfx1")));
        ReportRun reference(*f);
        reference.produceAll();

        TFdyPreview1 w;
        w.setReport(f);
        w.show();
        QCOMPARE(w.currentPage(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(w.currentPage(), 1);
        QVERIFY(w.producing());
        QCOMPARE(w.statusText(), QStringLiteral(" 第 1 页 共 %1 页").arg(w.pageCount()));

        button(&w, QStringLiteral("上页"))->click();
        QCOMPARE(w.currentPage(), 1);
        QCoreApplication::processEvents();
        QVERIFY2(w.producing(), "the fixture must still be producing");
        button(&w, QStringLiteral("尾页"))->click();
        const int soFar = w.pageCount();
        QVERIFY(soFar > 1 && soFar < reference.pageCount());
        QCOMPARE(w.currentPage(), soFar);
        QCOMPARE(w.statusText(), QStringLiteral(" 第 %1 页 共 %1 页").arg(soFar));

        qint64 longest = 0;
        QElapsedTimer t;
        while (w.producing()) {
            t.restart();
            QCoreApplication::processEvents();
            longest = std::max(longest, t.elapsed());
        }
        QVERIFY2(longest < 250, qPrintable(QStringLiteral("one turn of the event loop took %1 ms").arg(longest)));
        QCOMPARE(w.pageCount(), reference.pageCount());
        auto *progress = w.findChild<QProgressBar *>(QStringLiteral("ProgressBar1"));
        QCOMPARE(progress->value(), progress->maximum());
        button(&w, QStringLiteral("首页"))->click();
        QCOMPARE(w.currentPage(), 1);
        button(&w, QStringLiteral("下页"))->click();
        QCOMPARE(w.currentPage(), 2);
        QCOMPARE(w.statusText(), QStringLiteral(" 第 2 页 共 %1 页").arg(reference.pageCount()));
        button(&w, QStringLiteral("尾页"))->click();
        button(&w, QStringLiteral("下页"))->click();
        QCOMPARE(w.currentPage(), reference.pageCount());
    }

    void previewZoomMenusAndKeys()
    {
        TempDb db;
        MessageRecorder rec;
        addBills(db.conn(), QStringLiteral("ysfx"), 3);
        openAll(DM1->AQysfx1, QStringLiteral("ysfx"));
        ReportForm *f = prepareList(nullptr, listPrintJob(QStringLiteral("TFysfx1")));
        bool checked = false;
        ModalDriver driver("TFdyPreview1", [&](QWidget *wid) {
            auto *w = static_cast<TFdyPreview1 *>(wid);
            QCOMPARE(w->windowTitle(), QStringLiteral("打印预览"));
            // Opens at 100 %, the zoom menu drops from its button with the four zooms.
            QCOMPARE(w->zoom(), TFdyPreview1::Zoom::Actual);
            QCOMPARE(w->pixelsPerMm(), w->logicalDpiX() / 25.4);
            QToolButton *zoom = button(w, QStringLiteral("缩放"));
            QVERIFY(zoom->menu());
            QStringList zooms;
            for (QAction *a : zoom->menu()->actions()) zooms << a->text();
            QCOMPARE(zooms, QStringList({QStringLiteral("缩放—全屏"), QStringLiteral("缩放—页宽"),
                                         QStringLiteral("缩放—100%（实际打印效果）"), QStringLiteral("缩放—50%")}));
            QVERIFY(zoom->menu()->actions().at(2)->isChecked());
            zoom->menu()->actions().at(3)->trigger();
            QCOMPARE(w->pixelsPerMm(), w->logicalDpiX() / 25.4 / 2);
            zoom->menu()->actions().at(0)->trigger();
            auto *view = w->findChild<QScrollArea *>()->viewport();
            QVERIFY(210 * w->pixelsPerMm() <= view->width() && 297 * w->pixelsPerMm() <= view->height());
            QStringList popup;
            for (QAction *a : w->findChild<QMenu *>(QStringLiteral("PopupMenu1"))->actions()) popup << a->text();
            QCOMPARE(popup, QStringList({QStringLiteral("打印"), QStringLiteral("设置"), QStringLiteral("关闭")}));
            if (QPrinterInfo::availablePrinters().isEmpty()) {
                button(w, QStringLiteral("设置"))->click();
                QCOMPARE(rec.texts(), QStringList{QStringLiteral("找不到打印机，请安装打印机！")});
                QCOMPARE(rec.messages.front().kind, msg::Kind::Warning);
            }
            checked = true;
            QTest::keyClick(w, Qt::Key_Escape);
        });
        QElapsedTimer t;
        t.start();
        previewReport(f, nullptr);
        QVERIFY(checked);
        QVERIFY2(t.elapsed() < 5000, "Esc did not close the preview");
    }

    // "打印" without a printer writes the report to the PDF file the operator chooses; its text
    // reads back in Chinese.
    void printToChosenPdf()
    {
        if (!QPrinterInfo::availablePrinters().isEmpty()) QSKIP("a printer is installed: 打印 goes to it");
        TempDb db;
        setPrintHeader(db.conn(), QStringLiteral("朗森便利店"));
        addBills(db.conn(), QStringLiteral("ysfx"), 60);
        openAll(DM1->AQysfx1, QStringLiteral("ysfx"));
        ReportForm *f = prepareList(nullptr, listPrintJob(QStringLiteral("TFysfx1")));
        QTemporaryDir dir;
        // The dialog proposes the report's title as the file name.
        const QString path = dir.filePath(QStringLiteral("朗森便利店销售应收明细表.pdf"));
        TFdyPreview1 w;
        w.setReport(f);
        ModalDriver driver("QFileDialog", [&](QWidget *d) {
            auto *fd = static_cast<QFileDialog *>(d);
            fd->setDirectory(dir.path());
            QMetaObject::invokeMethod(fd, "accept");
        });
        w.printAll();
        QVERIFY(driver.acted());
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (tool.isEmpty()) QSKIP("pdftotext is not installed");
        QProcess p;
        p.start(tool, {QStringLiteral("-layout"), path, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(20000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(text.contains(QStringLiteral("朗森便利店销售应收明细表")), qPrintable(text.left(400)));
        QVERIFY(text.contains(QStringLiteral("应收款")) && text.contains(QStringLiteral("客户59")));
        QCOMPARE(text.count(u'\f'), 2); // two pages
    }

    void slip()
    {
        TempDb db;
        MessageRecorder rec;
        db.conn().exec(QStringLiteral("update danwei set mcdy=?,dybz1=?,dybz2=?"),
                       {val(QStringLiteral("朗森便利店")), val(QStringLiteral("谢谢惠顾")), val(QStringLiteral("欢迎再来"))});
        DM1->ATdanwei1->close();
        for (const char *dh : {"XS202612110001", "XS202612110002"})
            db.conn().exec(QStringLiteral("insert into xsglc(dh,txm,ppgg,dw,sl,jg,je) values(?,?,?,?,?,?,?)"),
                           {val(QLatin1String(dh)), val(QStringLiteral("690001")), val(QStringLiteral("可乐")),
                            val(QStringLiteral("瓶")), val(raw("2")), val(raw("18.73")), val(raw("37.46"))});
        Dataset *lines = DM1->AQxsc1;
        lines->setSql(QStringLiteral("select * from xsglc where dh=:dh order by id"));
        lines->bind(QStringLiteral(":dh"), QStringLiteral("XS202612110001"));
        lines->open();
        SlipPrint s;
        s.lines = lines;
        s.number = QStringLiteral("XS202612110001");
        s.date = QStringLiteral("2026-12-11");
        s.memberCard = QStringLiteral("0001");
        s.memberName = QStringLiteral("张三");
        s.salesperson = QStringLiteral("王五");
        s.operatorName = QStringLiteral("系统管理员");
        s.totalQuantity = QStringLiteral("2");
        s.totalAmountText = QStringLiteral("37.46");
        s.totalAmount = *Decimal::parse(QStringLiteral("37.46"));
        ReportRun run(*prepareSlip(nullptr, s));
        run.produceAll();
        QCOMPARE(run.pageCount(), 1);
        const Page &p = run.page(0);
        QCOMPARE(run.paperSize(), QSizeF(241, 93));
        QCOMPARE(p.textOf(QStringLiteral("QRLdw")), QStringLiteral("朗森便利店销售单"));
        QCOMPARE(p.textOf(QStringLiteral("QRLkh2")), QStringLiteral("0001 张三  "));
        QCOMPARE(p.textOf(QStringLiteral("QRLdx")), QStringLiteral("叁拾柒圆肆角陆分"));
        QCOMPARE(p.rowCount, 1); // only the lines of the slip shown
        QCOMPARE(p.bandTexts(BandKind::Detail), QStringList({QStringLiteral("690001"), QStringLiteral("可乐"),
                                                             QStringLiteral("瓶"), QStringLiteral("2"),
                                                             QStringLiteral("18.73"), QStringLiteral("37.46")}));
        QCOMPARE(p.textOf(QStringLiteral("dybz2")), QStringLiteral("欢迎再来"));
        QCOMPARE(p.textOf(QStringLiteral("QRLyhm2")), QStringLiteral("系统管理员"));

        s.totalAmount = *Decimal::parse(QStringLiteral("-12.50"));
        ReportRun ret(*prepareSlip(nullptr, s));
        QCOMPARE(ret.produceNext().textOf(QStringLiteral("QRLdx")), QStringLiteral("负壹拾贰圆伍角整"));

        lines->close();
        QVERIFY(!prepareSlip(nullptr, s));
        QCOMPARE(rec.texts(), QStringList{QStringLiteral("销售数据未打开，关闭窗口后重新打开！")});
    }
};

QTEST_MAIN(TstReports)
#include "tst_reports.moc"
