#include "printing.h"
#include "capitals.h"
#include "dm1.h"
#include "messages.h"
#include "preview.h"
#include "reportforms.h"
#include <QAbstractItemModel>
#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QStatusBar>
#include <QTableView>

using namespace rpt;

namespace {

struct JobSpec {
    const char *screen;
    const char *form;
    const char16_t *title;
    const char *dataset;
    const char *columns;
    const char16_t *captions; // "3=顾客 5=应收款"
    const char *panels;       // "2 4"

    bool statistics;
};

// Every list screen's print button: form, title text, dataset, columns in caption order,
// captions of its own, the status-bar panels of its totals.
const JobSpec kJobs[] = {
    {"TFghs1", "TFdyghs1", u"厂商信息表", "AQghs1", "mc lxr lxdh lxdz", u"", "", false},
    {"TFkh1", "TFdykh1", u"会员信息表", "AQkh1", "bm mc xb dj zk lxdh lxdz", u"", "", false},
    {"TFsp1", "TFdysp1", u"商品价格表", "AQsp1", "txm lb ppgg dw xj", u"", "", false},
    {"TFkcfx1", "TFdykc1", u"商品库存表", "AQkcfx1", "txm ppgg dw kcsl kcjg kcje", u"", "2 4", false},
    {"TFkcfx1/价格", "TFdyzp1", u"商品库存表", "AQkcfx1", "txm ppgg dw kcsl xj", u"5=销售价格", "2", false},
    {"TFzp1", "TFdyzp1", u"增品库存表", "AQzp1", "txm ppgg dw sl jfjs", u"5=所需积分", "2", false},
    {"TFcgfx1", "TFdycgfx1", u"采购入库明细表", "AQcgfx1", "rq txm ppgg dw sl jg je ghs", u"8=厂商", "2 4", false},
    {"TFrkfx1", "TFdycgfx1", u"其他入库明细表", "AQrkfx1", "rq txm ppgg dw sl jg je lx", u"8=入库类型", "2 4", false},
    {"TFckfx1", "TFdycgfx1", u"其他出库明细表", "AQckfx1", "rq txm ppgg dw sl jg je lx", u"8=出库类型", "2 4", false},
    {"TFxsfx1", "TFdycgfx1", u"销售出库明细表", "AQxsfx1", "rq txm ppgg dw sl jg je hymc", u"8=顾客", "2 4", false},
    {"TFcgtj1", "TFdycgtj1", u"采购统计表", "AQcgtj1", "txm ppgg dw zsl zje fenzu", u"", "2 3", true},
    {"TFxstj1", "TFdyxstj1", u"销售统计表", "AQxstj1", "txm ppgg dw zsl zje zcb zmaoli fenzu", u"", "2 3 4 5", true},
    {"TFxstj2", "TFdyxstj2", u"员工提成表", "AQxstj2", "yuangong sltc jetc ztc", u"", "2 3 4", true},
    {"TFxsgl1", "TFdyxsgl1", u"销售单据明细表", "AQxsz1", "rq dh hybm hymc hjsl hjje bcjf jsr", u"", "2 3", false},
    {"TFduihuan1", "TFdydui1", u"兑换赠品明细表", "AQduihuan1", "rq txm ppgg dw sl jfjs bcjf hybm hymc", u"", "2 4", false},
    {"TFyffx1", "TFdyyffx1", u"采购应付明细表", "AQyffx1", "rq dh ghs jsr qk", u"3=厂商 5=应付款", "2", false},
    {"TFysfx1", "TFdyyffx1", u"销售应收明细表", "AQysfx1", "rq dh hymc jsr qk", u"3=顾客 5=应收款", "2", false},
    {"TFfkfx1", "TFdyfkfx1", u"采购付款明细表", "AQfkfx1", "rq dh ghs jsr je", u"3=厂商 5=付款", "2", false},
    {"TFskfx1", "TFdyfkfx1", u"销售收款明细表", "AQskfx1", "rq dh hymc jsr je", u"3=顾客 5=收款", "2", false},
    {"TFszfx1", "TFdyszfx1", u"其他收支明细表", "AQszfx1", "rq lb xm se ze jsr", u"", "2 3", false},
};

// The print header of the shop information (reopened when a maintenance step closed it).
QString printHeader()
{
    if (!DM1) return {};
    Dataset *d = DM1->danwei();
    if (!d || !d->isOpen() || d->isEmpty()) return {};
    const int col = d->fieldIndex(QStringLiteral("mcdy"));
    return col < 0 ? QString() : d->textAt(0, col);
}

QColor windowText() { return QApplication::palette().color(QPalette::WindowText); }
}

GroupingColumn groupingOf(const QTableView *grid, int column)
{
    GroupingColumn g;
    if (!grid || !grid->model() || column < 0 || column >= grid->model()->columnCount()) return g;
    g.shown = !grid->isColumnHidden(column);
    g.title = grid->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    return g;
}

PrintJob listPrintJob(const QString &screen)
{
    PrintJob job;
    for (const JobSpec &s : kJobs) {
        if (screen != QString::fromUtf8(s.screen)) continue;
        job.form = QLatin1String(s.form);
        job.title = QString::fromUtf16(s.title);
        job.dataset = DM1 ? DM1->dataset(QLatin1String(s.dataset)) : nullptr;
        job.columns = QString::fromLatin1(s.columns).split(u' ', Qt::SkipEmptyParts);
        for (const QString &c : QString::fromUtf16(s.captions).split(u' ', Qt::SkipEmptyParts)) {
            const qsizetype eq = c.indexOf(u'=');
            job.captions.insert(c.left(eq).toInt(), c.mid(eq + 1));
        }
        for (const QString &p : QString::fromLatin1(s.panels).split(u' ', Qt::SkipEmptyParts)) job.summaryPanels << p.toInt();
        job.statistics = s.statistics;
        break;
    }
    return job;
}

QStringList listPrintScreens()
{
    QStringList r;
    for (const JobSpec &s : kJobs) r << QString::fromUtf8(s.screen);
    return r;
}

QString panelText(const QStatusBar *bar, int panel)
{
    if (!bar || panel < 0) return {};
    const QList<QLabel *> labels = bar->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
    return panel < labels.size() ? labels.at(panel)->text() : QString();
}

ReportForm *prepareList(QWidget *screen, const PrintJob &job)
{
    Dataset *ds = job.dataset;
    if (!ds || !ds->isOpen()) {
        msg::warning(screen, job.statistics ? QStringLiteral("数据表未打开，请先统计！")
                                            : QStringLiteral("数据表未打开，请先查询！"));
        return nullptr;
    }
    if (ds->isEmpty()) {
        msg::warning(screen, job.statistics ? QStringLiteral("没有数据可打印，请先统计！")
                                            : QStringLiteral("没有数据可打印，请先查询！"));
        return nullptr;
    }
    ReportForm *form = reportForm(job.form);
    if (!form) return nullptr;
    form->restoreDesign();

    form->setText(QStringLiteral("QRLdw"), printHeader() + job.title);

    form->setDataset(ds);
    const int boxes = form->columnCount();
    for (int k = 0; k < boxes; ++k)
        if (ReportItem *box = form->item(QStringLiteral("QRD%1").arg(k + 1))) box->field = job.columns.value(k);

    for (auto it = job.captions.cbegin(); it != job.captions.cend(); ++it)
        form->setText(QStringLiteral("QRL%1").arg(it.key()), it.value());

    for (int k = 1; k <= 4; ++k) {
        QString text;
        if (job.statusBar) text = k <= job.summaryPanels.size() ? panelText(job.statusBar, job.summaryPanels[k - 1]) : QString();
        else text = job.summaryTexts.value(k - 1);
        form->setText(QStringLiteral("e%1").arg(k), text);
    }

    // The grouping column: under its grid title when the grid shows it, else blank; a hidden
    // column's values are not printed at all (nor hidden in white text a PDF would still carry).
    if (job.grouping && boxes > 0) {
        ReportItem *caption = form->item(QStringLiteral("QRL%1").arg(boxes));
        ReportItem *box = form->item(QStringLiteral("QRD%1").arg(boxes));
        if (caption) caption->text = job.grouping->shown ? job.grouping->title : QString();
        if (box) {
            box->visible = job.grouping->shown;
            box->color = job.grouping->shown ? windowText() : QColor(Qt::white);
        }
    }
    form->setReportTitle(QStringLiteral("打印预览"));
    return form;
}

bool printList(QWidget *screen, const PrintJob &job)
{
    ReportForm *form = prepareList(screen, job);
    if (!form) return false;
    previewReport(form, screen);
    return true;
}

ReportForm *prepareSlip(QWidget *screen, const SlipPrint &slip)
{
    if (!slip.lines || !slip.lines->isOpen()) {
        msg::warning(screen, QStringLiteral("销售数据未打开，关闭窗口后重新打开！"));
        return nullptr;
    }
    ReportForm *form = reportForm(QStringLiteral("TFdyxsd1"));
    if (!form) return nullptr;
    form->restoreDesign();
    Dataset *danwei = DM1 ? DM1->danwei() : nullptr;
    auto shop = [&](const char *field) {
        if (!danwei || !danwei->isOpen() || danwei->isEmpty()) return QString();
        const int c = danwei->fieldIndex(QLatin1String(field));
        return c < 0 ? QString() : danwei->textAt(0, c);
    };
    form->setText(QStringLiteral("QRLdw"), shop("mcdy") + QStringLiteral("销售单"));
    form->setText(QStringLiteral("dybz1"), shop("dybz1"));
    form->setText(QStringLiteral("dybz2"), shop("dybz2"));
    form->setDataset(slip.lines);
    form->setText(QStringLiteral("QRLrq2"), slip.date);
    form->setText(QStringLiteral("QRLdh2"), slip.number);
    form->setText(QStringLiteral("QRLkh2"),
                  slip.memberCard + u' ' + slip.memberName + QStringLiteral("  ") + slip.addressAndPhone);
    form->setText(QStringLiteral("QRLjsr2"), slip.salesperson);
    form->setText(QStringLiteral("QRLbz2"), slip.remark);
    form->setText(QStringLiteral("QRLyhm2"), slip.operatorName);
    form->setText(QStringLiteral("e1"), slip.totalQuantity);
    form->setText(QStringLiteral("e2"), slip.totalAmountText);
    form->setText(QStringLiteral("QRLdx"), amountInCapitals(slip.totalAmount));
    form->setReportTitle(QStringLiteral("打印预览"));
    return form;
}

bool printSlip(QWidget *screen, const SlipPrint &slip)
{
    ReportForm *form = prepareSlip(screen, slip);
    if (!form) return false;
    previewReport(form, screen);
    return true;
}
