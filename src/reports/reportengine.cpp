#include "reportengine.h"
#include "dataset.h"
#include <QFontDatabase>
#include <QHash>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace rpt {

namespace {
constexpr double kEps = 1e-6;

QString substituteFor(const QString &family)
{
    if (family == u"黑体") return QStringLiteral("WenQuanYi Zen Hei");
    if (family == u"宋体") return QStringLiteral("AR PL UMing CN");
    return family;
}
}

void installReportFonts()
{
    static bool done = false;
    if (done) return;
    done = true;
    for (const QString &f : {QStringLiteral("黑体"), QStringLiteral("宋体")}) {
        const QString sub = substituteFor(f);
        if (QFontDatabase::hasFamily(sub)) QFont::insertSubstitution(f, sub);
    }
}

QString resolvedFamily(const QString &family)
{
    static QHash<QString, QString> cache;
    auto it = cache.constFind(family);
    if (it != cache.constEnd()) return *it;
    const QString sub = substituteFor(family);
    const QString r = QFontDatabase::hasFamily(sub) ? sub : family;
    cache.insert(family, r);
    return r;
}

QFont reportFont(const FontSpec &spec)
{
    QFont f;
    f.setFamilies({resolvedFamily(spec.family), spec.family});
    f.setPixelSize(std::max(1, qRound(spec.pointSize * kUnitsPerInch / 72.0)));
    f.setBold(spec.bold);
    // The same glyph advances on the screen and on paper.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

// ---------------------------------------------------------------------------------------------

ReportForm::ReportForm(const QString &name, const QPageSize &pageSize, QPageLayout::Orientation orientation,
                       const QMarginsF &marginsMm, QObject *parent)
    : QObject(parent), m_pageSize(pageSize), m_orientation(orientation), m_margins(marginsMm),
      m_reportTitle(QStringLiteral("打印预览"))
{
    setObjectName(name);
}

QSizeF ReportForm::paperSize() const
{
    const QSizeF s = m_pageSize.size(QPageSize::Millimeter);
    return m_orientation == QPageLayout::Landscape ? s.transposed() : s;
}

QPageLayout ReportForm::pageLayout() const
{
    return QPageLayout(m_pageSize, m_orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

Band &ReportForm::addBand(BandKind kind, double heightMm)
{
    m_bands.push_back(Band{kind, heightMm, {}});
    return m_bands.back();
}

Band *ReportForm::band(BandKind kind)
{
    for (Band &b : m_bands)
        if (b.kind == kind) return &b;
    return nullptr;
}

ReportItem *ReportForm::item(const QString &name)
{
    for (Band &b : m_bands)
        for (ReportItem &i : b.items)
            if (i.name == name) return &i;
    return nullptr;
}

const ReportItem *ReportForm::item(const QString &name) const
{
    return const_cast<ReportForm *>(this)->item(name);
}

bool ReportForm::setText(const QString &name, const QString &text)
{
    ReportItem *i = item(name);
    if (!i) return false;
    i->text = text;
    return true;
}

QString ReportForm::text(const QString &name) const
{
    const ReportItem *i = item(name);
    return i ? i->text : QString();
}

int ReportForm::columnCount() const
{
    int n = 0;
    for (const Band &b : m_bands)
        if (b.kind == BandKind::Detail)
            for (const ReportItem &i : b.items)
                if (i.kind == ReportItem::Kind::Field) ++n;
    return n;
}

// ---------------------------------------------------------------------------------------------

QStringList Page::texts() const
{
    QStringList r;
    for (const PlacedItem &i : items)
        if (i.kind == PlacedItem::Kind::Text) r << i.text;
    return r;
}

QStringList Page::textsOf(const QString &name) const
{
    QStringList r;
    for (const PlacedItem &i : items)
        if (i.kind == PlacedItem::Kind::Text && i.name == name) r << i.text;
    return r;
}

QString Page::textOf(const QString &name) const
{
    for (const PlacedItem &i : items)
        if (i.kind == PlacedItem::Kind::Text && i.name == name) return i.text;
    return {};
}

QStringList Page::bandTexts(BandKind band) const
{
    QStringList r;
    for (const PlacedItem &i : items)
        if (i.kind == PlacedItem::Kind::Text && i.band == band) r << i.text;
    return r;
}

// ---------------------------------------------------------------------------------------------

ReportRun::ReportRun(const ReportForm &form)
    : m_paper(form.paperSize()), m_layout(form.pageLayout()), m_margins(form.margins()),
      m_width(form.printableWidth()), m_bands(form.bands()), m_ds(form.dataset())
{
    for (const Band &b : m_bands) {
        const Band **slot = nullptr;
        switch (b.kind) {
        case BandKind::Title: slot = &m_title; break;
        case BandKind::PageHeader: slot = &m_header; break;
        case BandKind::ColumnHeader: slot = &m_colHeader; break;
        case BandKind::Detail: slot = &m_detail; break;
        case BandKind::Summary: slot = &m_summary; break;
        case BandKind::PageFooter: slot = &m_footer; break;
        }
        if (!*slot) *slot = &b;
    }
    const bool haveData = m_ds && m_ds->isOpen();
    if (m_detail) {
        for (const ReportItem &i : m_detail->items)
            m_fieldCols.push_back(i.kind == ReportItem::Kind::Field && haveData ? m_ds->fieldIndex(i.field) : -1);
        m_total = haveData ? m_ds->recordCount() : 0;
    }
}

QString ReportRun::fieldText(int row, int fieldCol) const
{
    if (fieldCol < 0 || !m_ds || !m_ds->isOpen() || row >= m_ds->recordCount() || fieldCol >= m_ds->columnCount())
        return {};
    return m_ds->textAt(row, fieldCol);
}

void ReportRun::placeBand(Page &page, const Band &band, double y, int row)
{
    const double x0 = m_margins.left();
    for (size_t k = 0; k < band.items.size(); ++k) {
        const ReportItem &it = band.items[k];
        if (!it.visible) continue;
        PlacedItem p;
        p.band = band.kind;
        p.name = it.name;
        p.rect = it.rect.translated(x0, y);
        p.font = it.font;
        p.align = it.align;
        p.color = it.color;
        switch (it.kind) {
        case ReportItem::Kind::Line: p.kind = PlacedItem::Kind::Line; break;
        case ReportItem::Kind::Label: p.text = it.text; break;
        case ReportItem::Kind::PageNumber: p.text = it.text + QString::number(page.number); break;
        case ReportItem::Kind::Field:
            p.text = fieldText(row, band.kind == BandKind::Detail ? m_fieldCols[k] : -1);
            p.row = row;
            break;
        }
        if (p.kind == PlacedItem::Kind::Text && p.text.isEmpty()) continue;
        page.items.push_back(std::move(p));
    }
}

const Page &ReportRun::produceNext()
{
    // A dataset closed or re-queried under a running report ends it at what is still there.
    const int available = m_ds && m_ds->isOpen() ? m_ds->recordCount() : 0;
    if (available < m_total) m_total = std::max(available, m_row);
    Page &page = m_pages.emplace_back();
    page.number = int(m_pages.size());
    page.firstRow = m_row;
    const double bottom = m_paper.height() - m_margins.bottom();
    const double bodyBottom = bottom - (m_footer ? m_footer->height : 0.0);
    double y = m_margins.top();

    auto place = [&](const Band *b, int row) {
        placeBand(page, *b, y, row);
        y += b->height;
    };
    if (m_title && page.number == 1) place(m_title, -1);
    if (m_header) place(m_header, -1);
    if (m_colHeader) place(m_colHeader, -1);
    if (m_detail) {
        // A page takes as many whole lines as fit above the footer (at least one, so that a
        // form whose bands overfill the paper still ends).
        while (m_row < m_total && (y + m_detail->height <= bodyBottom + kEps || page.rowCount == 0)) {
            place(m_detail, m_row);
            ++m_row;
            ++page.rowCount;
        }
    }
    if (m_row == m_total && !m_summaryDone) {
        // The summary follows the last line when it fits, else it opens the next page.
        if (!m_summary) {
            m_summaryDone = true;
        } else if (y + m_summary->height <= bodyBottom + kEps || page.rowCount == 0) {
            place(m_summary, -1);
            page.hasSummary = true;
            m_summaryDone = true;
        }
    }
    if (m_footer) {
        y = bodyBottom;
        place(m_footer, -1);
    }
    m_finished = m_row == m_total && m_summaryDone;
    return page;
}

void ReportRun::produceAll()
{
    while (!m_finished) produceNext();
}

bool ReportRun::ensurePage(int index)
{
    while (pageCount() <= index && !m_finished) produceNext();
    return index >= 0 && index < pageCount();
}

// ---------------------------------------------------------------------------------------------

void paintPage(QPainter &painter, const Page &page, double devicePixelsPerUnit)
{
    painter.save();
    const double penWidth = std::max(0.2 * kUnitsPerMm, devicePixelsPerUnit > 0 ? 1.0 / devicePixelsPerUnit : 1.0);
    QPen pen(Qt::black, penWidth);
    pen.setCapStyle(Qt::SquareCap);
    const FontSpec *current = nullptr;
    auto u = [](double mm) { return mm * kUnitsPerMm; };
    for (const PlacedItem &it : page.items) {
        const QRectF r(u(it.rect.x()), u(it.rect.y()), u(it.rect.width()), u(it.rect.height()));
        if (it.kind == PlacedItem::Kind::Line) {
            pen.setColor(it.color);
            painter.setPen(pen);
            painter.drawLine(r.topLeft(), r.bottomRight());
            continue;
        }
        if (!current || !(*current == it.font)) {
            painter.setFont(reportFont(it.font));
            current = &it.font;
        }
        painter.setPen(it.color);
        painter.drawText(r, int(it.align) | Qt::TextSingleLine, it.text);
    }
    painter.restore();
}

void setUpPrinter(QPrinter &printer, const QPageLayout &layout)
{
    printer.setFullPage(true);
    printer.setPageLayout(layout);
}

bool printRun(QPrinter &printer, ReportRun &run, const std::function<bool(int)> &progress)
{
    setUpPrinter(printer, run.pageLayout());
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const double dpu = printer.resolution() / kUnitsPerInch;
    bool ok = true;
    for (int i = 0; run.ensurePage(i); ++i) {
        if (i > 0 && !printer.newPage()) {
            ok = false;
            break;
        }
        painter.resetTransform();
        painter.scale(dpu, dpu);
        paintPage(painter, run.page(i), dpu);
        if (progress && !progress(i + 1)) break;
    }
    if (!painter.end()) ok = false;
    return ok;
}

} // namespace rpt
