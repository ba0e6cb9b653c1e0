#include "reportforms.h"
#include "preview.h"
#include <QCoreApplication>
#include <QPointer>

using namespace rpt;

namespace {

struct ColumnSpec {
    const char16_t *caption;
    double width; // millimetres
    Qt::Alignment align;
};
constexpr Qt::Alignment L = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment R = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment C = Qt::AlignHCenter | Qt::AlignVCenter;

const QMarginsF kA4Margins(10, 10, 10, 10);
constexpr double kPad = 1.0; // text inset from the column rules

FontSpec heiti14() { return FontSpec{QStringLiteral("黑体"), 14, true}; }
FontSpec songti(double pt = 10) { return FontSpec{QStringLiteral("宋体"), pt, false}; }

ReportItem label(const QString &name, QRectF rect, const QString &text, FontSpec font, Qt::Alignment align)
{
    ReportItem i;
    i.kind = ReportItem::Kind::Label;
    i.name = name;
    i.rect = rect;
    i.text = text;
    i.font = font;
    i.align = align;
    return i;
}

ReportItem line(double x1, double y1, double x2, double y2)
{
    ReportItem i;
    i.kind = ReportItem::Kind::Line;
    i.rect = QRectF(QPointF(x1, y1), QPointF(x2, y2));
    return i;
}

// Rules of a table band: across the band at the top (when asked) and the bottom, and short
// vertical rules between the columns.
void addRules(Band &b, const std::vector<double> &edges, double width, bool top)
{
    if (top) b.items.push_back(line(0, 0, width, 0));
    b.items.push_back(line(0, b.height, width, b.height));
    for (size_t k = 1; k + 1 < edges.size(); ++k) b.items.push_back(line(edges[k], 0, edges[k], b.height));
}

std::vector<double> columnEdges(const std::vector<ColumnSpec> &cols)
{
    std::vector<double> edges{0};
    for (const ColumnSpec &c : cols) edges.push_back(edges.back() + c.width);
    return edges;
}

// Caption labels QRL1.. framed top and bottom, with the field boxes QRD1.. under them.
void addTable(ReportForm &f, const std::vector<ColumnSpec> &cols, double headerHeight, double lineHeight)
{
    const auto edges = columnEdges(cols);
    const double width = edges.back();
    Band &head = f.addBand(BandKind::ColumnHeader, headerHeight);
    for (size_t k = 0; k < cols.size(); ++k)
        head.items.push_back(label(QStringLiteral("QRL%1").arg(k + 1),
                                   QRectF(edges[k] + kPad, 0, cols[k].width - 2 * kPad, headerHeight),
                                   QString::fromUtf16(cols[k].caption), songti(), C));
    addRules(head, edges, width, true);
    Band &detail = f.addBand(BandKind::Detail, lineHeight);
    for (size_t k = 0; k < cols.size(); ++k) {
        ReportItem box;
        box.kind = ReportItem::Kind::Field;
        box.name = QStringLiteral("QRD%1").arg(k + 1);
        box.rect = QRectF(edges[k] + kPad, 0, cols[k].width - 2 * kPad, lineHeight);
        box.font = songti();
        box.align = cols[k].align;
        detail.items.push_back(box);
    }
    addRules(detail, edges, width, false);
}

void addPageFooter(ReportForm &f, double height)
{
    Band &foot = f.addBand(BandKind::PageFooter, height);
    ReportItem n;
    n.kind = ReportItem::Kind::PageNumber;
    n.name = QStringLiteral("QRSysData1");
    n.text = QStringLiteral("（");
    n.rect = QRectF(f.printableWidth() - 42, 0, 40, height);
    n.font = songti(9);
    n.align = R;
    foot.items.push_back(n);
}

// An A4 list: the title over the page, the table, "总　　计" with e1.. under the columns given
// (1-based), the page number at the foot.
ReportForm *makeList(const char *name, QPageLayout::Orientation orientation, const std::vector<ColumnSpec> &cols,
                     const std::vector<int> &summaryColumns)
{
    auto *f = new ReportForm(QLatin1String(name), QPageSize(QPageSize::A4), orientation, kA4Margins, qApp);
    const double width = f->printableWidth();
    Band &head = f->addBand(BandKind::PageHeader, 14);
    head.items.push_back(label(QStringLiteral("QRLdw"), QRectF(0, 2, width, 9), QString(), heiti14(), C));
    addTable(*f, cols, 7, 6);
    if (!summaryColumns.empty()) {
        const auto edges = columnEdges(cols);
        Band &sum = f->addBand(BandKind::Summary, 8);
        sum.items.push_back(label(QStringLiteral("QRLzj"), QRectF(kPad, 0, std::max(cols[0].width, 30.0), 8),
                                  QStringLiteral("总　　计"), songti(), L));
        for (size_t k = 0; k < summaryColumns.size(); ++k) {
            const size_t c = size_t(summaryColumns[k] - 1);
            sum.items.push_back(label(QStringLiteral("e%1").arg(k + 1),
                                      QRectF(edges[c] + kPad, 0, cols[c].width - 2 * kPad, 8), QString(), songti(), R));
        }
    }
    addPageFooter(*f, 6);
    f->saveDesign();
    return f;
}

// The sales slip on its 241 mm x 93 mm page: shop and slip data in the title band, the lines,
// the total in capitals, the remark, salesperson and operator, and the shop's two footer lines.
ReportForm *makeSlip()
{
    const QPageSize slip(QSizeF(241, 93), QPageSize::Millimeter, QStringLiteral("销售单"), QPageSize::ExactMatch);
    auto *f = new ReportForm(QStringLiteral("TFdyxsd1"), slip, QPageLayout::Portrait, QMarginsF(15, 10, 0, 10), qApp);
    const double width = f->printableWidth(); // 226
    const std::vector<ColumnSpec> cols{{u"货 　号", 40, C}, {u"品名规格", 76, C}, {u"单位", 20, C},
                                       {u"数 　量", 28, R}, {u"单 　价", 28, R}, {u"金 　额", 34, R}};
    const auto edges = columnEdges(cols);
    const FontSpec s = songti();

    Band &title = f->addBand(BandKind::Title, 14);
    title.items.push_back(label(QStringLiteral("QRLdw"), QRectF(0, 0, width, 8), QString(),
                                FontSpec{QStringLiteral("黑体"), 14, false}, C));
    title.items.push_back(label(QStringLiteral("QRLabel1"), QRectF(0, 8, 10, 5), QStringLiteral("单号:"), s, L));
    title.items.push_back(label(QStringLiteral("QRLdh2"), QRectF(10, 8, 32, 5), QString(), s, L));
    title.items.push_back(label(QStringLiteral("QRLabel2"), QRectF(44, 8, 10, 5), QStringLiteral("日期:"), s, L));
    title.items.push_back(label(QStringLiteral("QRLrq2"), QRectF(54, 8, 22, 5), QString(), s, L));
    title.items.push_back(label(QStringLiteral("QRLabel3"), QRectF(78, 8, 10, 5), QStringLiteral("顾客:"), s, L));
    title.items.push_back(label(QStringLiteral("QRLkh2"), QRectF(88, 8, width - 88, 5), QString(), s, L));

    addTable(*f, cols, 6, 5);
    ReportItem *d = nullptr;
    const char *fields[] = {"txm", "ppgg", "dw", "sl", "jg", "je"};
    for (int k = 0; k < 6; ++k)
        if ((d = f->item(QStringLiteral("QRD%1").arg(k + 1)))) d->field = QLatin1String(fields[k]);

    Band &sum = f->addBand(BandKind::Summary, 18);
    sum.items.push_back(label(QStringLiteral("QRLabel4"), QRectF(kPad, 0, 10, 5), QStringLiteral("合计:"), s, L));
    sum.items.push_back(label(QStringLiteral("QRLdx"), QRectF(kPad + 10, 0, edges[3] - 12, 5), QString(), s, L));
    sum.items.push_back(label(QStringLiteral("e1"), QRectF(edges[3] + kPad, 0, cols[3].width - 2 * kPad, 5), QString(), s, R));
    sum.items.push_back(label(QStringLiteral("e2"), QRectF(edges[5] + kPad, 0, cols[5].width - 2 * kPad, 5), QString(), s, R));
    sum.items.push_back(label(QStringLiteral("QRLabel5"), QRectF(kPad, 5, 10, 5), QStringLiteral("备注:"), s, L));
    sum.items.push_back(label(QStringLiteral("QRLbz2"), QRectF(kPad + 10, 5, 105, 5), QString(), s, L));
    sum.items.push_back(label(QStringLiteral("QRLabel6"), QRectF(120, 5, 10, 5), QStringLiteral("经办:"), s, L));
    sum.items.push_back(label(QStringLiteral("QRLjsr2"), QRectF(130, 5, 40, 5), QString(), s, L));
    sum.items.push_back(label(QStringLiteral("QRLabel7"), QRectF(172, 5, 10, 5), QStringLiteral("制单:"), s, L));
    sum.items.push_back(label(QStringLiteral("QRLyhm2"), QRectF(182, 5, width - 182, 5), QString(), s, L));
    sum.items.push_back(label(QStringLiteral("dybz1"), QRectF(kPad, 10, width - kPad, 4), QString(), songti(9), L));
    sum.items.push_back(label(QStringLiteral("dybz2"), QRectF(kPad, 14, width - kPad, 4), QString(), songti(9), L));
    addPageFooter(*f, 5);
    f->saveDesign();
    return f;
}

ReportForm *makeForm(const QString &cls)
{
    const auto P = QPageLayout::Portrait, Ls = QPageLayout::Landscape;
    if (cls == u"TFdyghs1")
        return makeList("TFdyghs1", P, {{u"名称", 50, L}, {u"联系人", 25, L}, {u"电话", 35, L}, {u"地址", 80, L}}, {});
    if (cls == u"TFdykh1")
        return makeList("TFdykh1", Ls,
                        {{u"会员卡号", 35, L}, {u"会员姓名", 35, L}, {u"性别", 15, C}, {u"会员等级", 30, L},
                         {u"会员折扣", 22, R}, {u"联系方式", 45, L}, {u"联系地址", 95, L}},
                        {});
    if (cls == u"TFdysp1")
        return makeList("TFdysp1", P,
                        {{u"条码", 40, L}, {u"类别", 30, L}, {u"品名规格型号", 75, L}, {u"单位", 20, C}, {u"销售单价", 25, R}},
                        {});
    if (cls == u"TFdykc1")
        return makeList("TFdykc1", P,
                        {{u"条码", 35, L}, {u"品名规格型号", 65, L}, {u"单位", 15, C}, {u"库存数量", 25, R},
                         {u"库存单价", 25, R}, {u"库存金额", 25, R}},
                        {4, 6});
    if (cls == u"TFdyzp1")
        return makeList("TFdyzp1", P,
                        {{u"条码", 40, L}, {u"品名规格型号", 80, L}, {u"单位", 20, C}, {u"库存数量", 25, R}, {u"所需积分", 25, R}},
                        {4});
    if (cls == u"TFdycgfx1")
        return makeList("TFdycgfx1", Ls,
                        {{u"日期", 25, L}, {u"条码", 38, L}, {u"品名规格型号", 74, L}, {u"单位", 18, C},
                         {u"数量", 25, R}, {u"单价", 25, R}, {u"金额", 30, R}, {u"厂商", 42, L}},
                        {5, 7});
    if (cls == u"TFdycgtj1")
        return makeList("TFdycgtj1", Ls,
                        {{u"条码", 40, L}, {u"品名规格型号", 95, L}, {u"单位", 22, C}, {u"采购数量", 35, R},
                         {u"采购金额", 40, R}, {u"分组", 45, L}},
                        {4, 5});
    if (cls == u"TFdydui1")
        return makeList("TFdydui1", Ls,
                        {{u"日期", 25, L}, {u"条码", 35, L}, {u"品名规格型号", 65, L}, {u"单位", 15, C}, {u"数量", 22, R},
                         {u"扣分基数", 25, R}, {u"本次扣分", 25, R}, {u"会员卡号", 30, L}, {u"会员姓名", 35, L}},
                        {5, 7});
    if (cls == u"TFdyyffx1")
        return makeList("TFdyyffx1", P,
                        {{u"日期", 28, L}, {u"单号", 40, L}, {u"厂商", 55, L}, {u"经办人", 32, L}, {u"应付款", 35, R}}, {5});
    if (cls == u"TFdyfkfx1")
        return makeList("TFdyfkfx1", P,
                        {{u"日期", 28, L}, {u"单号", 40, L}, {u"厂商", 55, L}, {u"经办人", 32, L}, {u"付款", 35, R}}, {5});
    if (cls == u"TFdyszfx1")
        return makeList("TFdyszfx1", P,
                        {{u"日期", 28, L}, {u"类别", 32, L}, {u"项目", 40, L}, {u"收入额", 30, R}, {u"支出额", 30, R},
                         {u"经办人", 30, L}},
                        {4, 5});
    if (cls == u"TFdyxsgl1")
        return makeList("TFdyxsgl1", Ls,
                        {{u"日期", 25, L}, {u"单号", 40, L}, {u"会员卡号", 35, L}, {u"会员姓名", 40, L},
                         {u"合计数量", 30, R}, {u"合计金额", 35, R}, {u"本次积分", 30, R}, {u"业务员", 42, L}},
                        {5, 6});
    if (cls == u"TFdyxstj1")
        return makeList("TFdyxstj1", Ls,
                        {{u"条码", 35, L}, {u"品名规格型号", 70, L}, {u"单位", 17, C}, {u"销售数量", 28, R},
                         {u"销售金额", 30, R}, {u"成本", 30, R}, {u"毛利润", 30, R}, {u"分组", 37, L}},
                        {4, 5, 6, 7});
    if (cls == u"TFdyxstj2")
        return makeList("TFdyxstj2", P,
                        {{u"员工", 55, L}, {u"销售提成额", 45, R}, {u"金额提成额", 45, R}, {u"总提成额", 45, R}},
                        {2, 3, 4});
    if (cls == u"TFdyxsd1") return makeSlip();
    return nullptr;
}

// Start-up order; the preview window stands between the price list and the detail lists.
const char *const kOrder[] = {"TFdyghs1", "TFdysp1", "TFdyPreview1", "TFdycgfx1", "TFdyxstj2", "TFdycgtj1",
                              "TFdykh1", "TFdykc1", "TFdyzp1", "TFdyfkfx1", "TFdyyffx1", "TFdyxsgl1",
                              "TFdyszfx1", "TFdydui1", "TFdyxsd1", "TFdyxstj1"};

QList<QPointer<ReportForm>> &forms()
{
    static QList<QPointer<ReportForm>> list;
    return list;
}
bool g_created = false;
}

void createReportForms()
{
    if (g_created && !forms().isEmpty() && forms().first()) return;
    g_created = true;
    forms().clear();
    installReportFonts();
    for (const char *name : kOrder) {
        const QString cls = QLatin1String(name);
        if (cls == u"TFdyPreview1") createStartupPreview();
        else forms() << makeForm(cls);
    }
}

rpt::ReportForm *reportForm(const QString &name)
{
    if (forms().isEmpty() || !forms().first()) createReportForms();
    const QString cls = name.startsWith(u"TF") ? name : u"T" + name;
    for (const auto &f : std::as_const(forms()))
        if (f && f->objectName() == cls) return f;
    return nullptr;
}

QStringList reportFormNames()
{
    QStringList r;
    for (const char *name : kOrder)
        if (qstrcmp(name, "TFdyPreview1") != 0) r << QLatin1String(name);
    return r;
}
