// Writes sample reports to look at by eye: an A4 portrait list, an A4 landscape list and a
// sales slip as PDF files, and pictures of the preview window (and the capitals window).
//   report_samples <output folder> [--show]   (--show: also leave the preview on the screen
//   for five seconds, for a screenshot of the whole display)
#include "dm1.h"
#include "preview.h"
#include "printing.h"
#include "reportforms.h"
#include "testsupport.h"
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>
#ifdef CS_HAVE_SALES
#include "ntoc1.h"
#endif

namespace {
Binding v(const QVariant &x) { return Binding{QString(), x}; }
qlonglong raw(const char *d) { return Decimal::parse(QLatin1String(d))->raw(); }

bool writePdf(rpt::ReportForm *form, const QString &path)
{
    TFdyPreview1 w;
    w.setReport(form);
    const bool ok = w.printToPdf(path);
    std::printf("%s: %s, %d pages\n", qPrintable(path), ok ? "written" : "FAILED", w.pageCount());
    return ok;
}
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    createReportForms();
    TempDb db;
    Connection &c = db.conn();
    c.exec(QStringLiteral("update danwei set mcdy=?,dybz1=?,dybz2=?"),
           {v(QStringLiteral("朗森便利店")), v(QStringLiteral("商品如有质量问题，请凭本单七日内退换。")),
            v(QStringLiteral("地址：人民路88号　电话：0571-88888888"))});
    DM1->ATdanwei1->close();

    // A4 portrait: the stock list with its totals.
    c.exec(QStringLiteral("BEGIN"));
    for (int i = 0; i < 60; ++i)
        c.exec(QStringLiteral("insert into sp(txm,lb,ppgg,dw,xj,kcsl,kcjg,kcje) values(?,?,?,?,?,?,?,?)"),
               {v(QStringLiteral("6901234%1").arg(i, 6, 10, QChar(u'0'))), v(QStringLiteral("饮料")),
                v(QStringLiteral("农夫山泉矿泉水 550ml 第%1款").arg(i)), v(i % 2 ? QStringLiteral("瓶") : QStringLiteral("箱")),
                v(raw("2.5")), v(qlonglong((i % 7 - 1) * 10000)), v(raw("1.85")), v(qlonglong((i % 7 - 1) * 18500))});
    c.exec(QStringLiteral("COMMIT"));
    DM1->AQkcfx1->setSql(QStringLiteral("select * from sp order by id"));
    DM1->AQkcfx1->open();
    QStatusBar bar;
    for (const char16_t *t : {u"总计", u"数量：", u"180", u"金额：", u"333"}) bar.addWidget(new QLabel(QString::fromUtf16(t), &bar));
    PrintJob stock = listPrintJob(QStringLiteral("TFkcfx1"));
    stock.statusBar = &bar;
    writePdf(prepareList(nullptr, stock), out.filePath(QStringLiteral("list_portrait.pdf")));

    // A4 landscape: purchase lines.
    c.exec(QStringLiteral("BEGIN"));
    for (int i = 0; i < 40; ++i)
        c.exec(QStringLiteral("insert into cgfx(shbj,rq,ghs,jsr,txm,ppgg,dw,jg,sl,je) values(?,?,?,?,?,?,?,?,?,?)"),
               {v(QStringLiteral("已审核")), v(QStringLiteral("2026-12-%1").arg(1 + i % 11, 2, 10, QChar(u'0'))),
                v(QStringLiteral("杭州百货批发有限公司")), v(QStringLiteral("李四")),
                v(QStringLiteral("6901234%1").arg(i, 6, 10, QChar(u'0'))), v(QStringLiteral("康师傅红烧牛肉面 五连包")),
                v(QStringLiteral("包")), v(raw("12.35")), v(qlonglong((1 + i % 5) * 10000)),
                v(qlonglong(123500 * (1 + i % 5)))});
    c.exec(QStringLiteral("COMMIT"));
    DM1->AQcgfx1->setSql(QStringLiteral("select * from cgfx order by id"));
    DM1->AQcgfx1->open();
    PrintJob purchases = listPrintJob(QStringLiteral("TFcgfx1"));
    purchases.summaryTexts = {QStringLiteral("120"), QStringLiteral("1482")};
    rpt::ReportForm *landscape = prepareList(nullptr, purchases);
    writePdf(landscape, out.filePath(QStringLiteral("list_landscape.pdf")));

    // The slip.
    for (int i = 0; i < 4; ++i)
        c.exec(QStringLiteral("insert into xsglc(dh,txm,ppgg,dw,sl,jg,je) values(?,?,?,?,?,?,?)"),
               {v(QStringLiteral("XS202612110007")), v(QStringLiteral("690123400%1").arg(i)),
                v(QStringLiteral("可口可乐 330ml 听装")), v(QStringLiteral("听")), v(raw("2")), v(raw("4.68")), v(raw("9.36"))});
    DM1->AQxsc1->setSql(QStringLiteral("select * from xsglc where dh=:dh order by id"));
    DM1->AQxsc1->bind(QStringLiteral(":dh"), QStringLiteral("XS202612110007"));
    DM1->AQxsc1->open();
    SlipPrint s;
    s.lines = DM1->AQxsc1;
    s.number = QStringLiteral("XS202612110007");
    s.date = QStringLiteral("2026-12-11");
    s.memberCard = QStringLiteral("V0001");
    s.memberName = QStringLiteral("张三");
    s.addressAndPhone = QStringLiteral("人民路1号13800000000");
    s.salesperson = QStringLiteral("王五");
    s.remark = QStringLiteral("会员日");
    s.operatorName = QStringLiteral("系统管理员");
    s.totalQuantity = QStringLiteral("8");
    s.totalAmountText = QStringLiteral("37.44");
    s.totalAmount = *Decimal::parse(QStringLiteral("37.44"));
    writePdf(prepareSlip(nullptr, s), out.filePath(QStringLiteral("slip.pdf")));

    // The preview window on the landscape list, at 100 % and fitted to the window.
    {
        TFdyPreview1 w;
        w.resize(1366, 768);
        w.setReport(landscape);
        w.show();
        while (w.producing()) QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        w.grab().save(out.filePath(QStringLiteral("preview.png")));
        w.setZoom(TFdyPreview1::Zoom::WholePage);
        w.nextPage();
        QCoreApplication::processEvents();
        w.grab().save(out.filePath(QStringLiteral("preview_whole_page.png")));
        std::printf("preview: %s\n", qPrintable(w.statusText()));
    }
#ifdef CS_HAVE_SALES
    {
        TFntoc1 w;
        w.show();
        QCoreApplication::processEvents();
        w.findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(QStringLiteral("-12.5"));
        w.convert();
        w.grab().save(out.filePath(QStringLiteral("ntoc1.png")));
    }
#endif
    if (argc > 2 && qstrcmp(argv[2], "--show") == 0) {
        auto *w = new TFdyPreview1;
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->setReport(landscape);
        w->showMaximized();
        QTimer::singleShot(5000, &app, &QCoreApplication::quit);
        return app.exec();
    }
    return 0;
}
