#pragma once
// The report engine: a banded report form (title, page header, column header, detail, summary,
// page footer) bound to a dataset, laid out page by page into plain data, and painted with
// QPainter on a printer, a PDF file or the preview window. Positions are in millimetres from
// the paper's top-left corner.
#include "dataset.h"
#include <QColor>
#include <QFont>
#include <QMarginsF>
#include <QObject>
#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

class QPainter;
class QPrinter;

namespace rpt {

// The report faces: "黑体" and "宋体", drawn with the installed WenQuanYi Zen Hei and
// AR PL UMing (their text survives a PDF round trip; Noto CJK does not).
struct FontSpec {
    QString family = QStringLiteral("宋体");
    double pointSize = 10;
    bool bold = false;
    friend bool operator==(const FontSpec &, const FontSpec &) = default;
};
void installReportFonts();
// The face of a report font actually used, after substitution.
QString resolvedFamily(const QString &family);
// A font for painting in report units (see unitsPerMm).
QFont reportFont(const FontSpec &spec);

// Painting works in units of 1/1200 inch; the painter is scaled to the device.
constexpr double kUnitsPerInch = 1200.0;
constexpr double kUnitsPerMm = kUnitsPerInch / 25.4;

enum class BandKind { Title, PageHeader, ColumnHeader, Detail, Summary, PageFooter };

struct ReportItem {
    enum class Kind { Label, Field, Line, PageNumber };
    Kind kind = Kind::Label;
    QString name;       // QRLdw, QRL1, QRD1, e1 ...
    QRectF rect;        // millimetres inside the band; a line runs from topLeft to bottomRight
    QString text;       // a label's text; the page number's prefix
    QString field;      // a field box's column name
    FontSpec font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    QColor color = Qt::black;
    bool visible = true;
};

struct Band {
    BandKind kind = BandKind::Detail;
    double height = 0; // millimetres
    std::vector<ReportItem> items;
};

// A report form: paper, margins and bands. It holds only layout; a print binds it to a dataset
// and sets its variable texts just before previewing.
class ReportForm : public QObject {
    Q_OBJECT
public:
    ReportForm(const QString &name, const QPageSize &pageSize, QPageLayout::Orientation orientation,
               const QMarginsF &marginsMm, QObject *parent = nullptr);

    QPageSize pageSize() const { return m_pageSize; }
    QPageLayout::Orientation orientation() const { return m_orientation; }
    QMarginsF margins() const { return m_margins; }
    QSizeF paperSize() const; // millimetres, as the paper lies (landscape: wider than high)
    QPageLayout pageLayout() const;
    double printableWidth() const { return paperSize().width() - m_margins.left() - m_margins.right(); }

    Band &addBand(BandKind kind, double heightMm);
    Band *band(BandKind kind);
    const std::vector<Band> &bands() const { return m_bands; }
    ReportItem *item(const QString &name);
    const ReportItem *item(const QString &name) const;
    // Sets a label's text; false when the form has no such item.
    bool setText(const QString &name, const QString &text);
    QString text(const QString &name) const;

    // The dataset the detail band runs over, from its first record to its last in its order.
    void setDataset(Dataset *ds) { m_dataset = ds; }
    Dataset *dataset() const { return m_dataset; }

    // The preview window's title.
    QString reportTitle() const { return m_reportTitle; }
    void setReportTitle(const QString &t) { m_reportTitle = t; }

    // Column boxes (QRD1...) in caption order.
    int columnCount() const;

    // The layout as designed: a print starts from it, so that what one caller of a shared form
    // set (captions, hidden boxes) never shows in another caller's print.
    void saveDesign() { m_design = m_bands; }
    void restoreDesign()
    {
        if (!m_design.empty()) m_bands = m_design;
    }

private:
    QPageSize m_pageSize;
    QPageLayout::Orientation m_orientation;
    QMarginsF m_margins;
    std::vector<Band> m_bands;
    std::vector<Band> m_design;
    QPointer<Dataset> m_dataset;
    QString m_reportTitle;
};

// One laid-out page: what is printed where.
struct PlacedItem {
    enum class Kind { Text, Line };
    Kind kind = Kind::Text;
    BandKind band = BandKind::Detail;
    QString name; // the form item's name
    QRectF rect;  // millimetres on the paper
    QString text;
    FontSpec font;
    Qt::Alignment align;
    QColor color;
    int row = -1; // detail lines: the record's row in the dataset's order
};

struct Page {
    int number = 0; // from 1
    int firstRow = 0;
    int rowCount = 0;
    bool hasSummary = false;
    std::vector<PlacedItem> items;

    // Texts of the page, in the order they are placed; those of one item name; of a band.
    QStringList texts() const;
    QStringList textsOf(const QString &name) const;
    QString textOf(const QString &name) const; // the first one, or an empty text
    QStringList bandTexts(BandKind band) const;
};

// Lays a form out into pages, one at a time, so that a long report can be shown from its first
// page while the rest is still being produced. The form's texts are read when the run starts;
// the dataset's field values as each page is produced.
class ReportRun {
public:
    explicit ReportRun(const ReportForm &form);
    ReportRun(const ReportRun &) = delete; // holds pointers into its own copy of the bands
    ReportRun &operator=(const ReportRun &) = delete;

    QSizeF paperSize() const { return m_paper; }
    QPageLayout pageLayout() const { return m_layout; }
    int recordCount() const { return m_total; }
    int recordsDone() const { return m_row; }
    bool finished() const { return m_finished; }

    const Page &produceNext(); // precondition: !finished()
    void produceAll();
    // Produces pages until `index` exists or the report ends; false when there is no such page.
    bool ensurePage(int index);

    int pageCount() const { return int(m_pages.size()); }
    // Pages keep their address while later pages are produced.
    const Page &page(int index) const { return m_pages[size_t(index)]; }

private:
    void placeBand(Page &page, const Band &band, double y, int row);
    QString fieldText(int row, int fieldCol) const;

    QSizeF m_paper;
    QPageLayout m_layout;
    QMarginsF m_margins;
    double m_width = 0;
    std::vector<Band> m_bands; // a copy: later changes to the form do not reach a running report
    const Band *m_title = nullptr, *m_header = nullptr, *m_colHeader = nullptr, *m_detail = nullptr,
               *m_summary = nullptr, *m_footer = nullptr;
    QPointer<Dataset> m_ds;
    std::vector<int> m_fieldCols; // per detail item: dataset column, -1 when absent
    int m_total = 0;
    int m_row = 0;
    bool m_summaryDone = false;
    bool m_finished = false;
    std::deque<Page> m_pages;
};

// Paints a page with the painter's current transform mapping report units (kUnitsPerMm per
// millimetre, origin at the paper's corner) to the device. `devicePixelsPerUnit` sizes the pens
// so that a rule is never thinner than one device pixel.
void paintPage(QPainter &painter, const Page &page, double devicePixelsPerUnit);

// Prints every page of the run on the printer (a real one, or a PDF file when its output format
// is PdfFormat), producing the pages still missing. `progress` is told after each page
// (pages printed so far); returning false from it stops. False when the printer cannot be opened.
bool printRun(QPrinter &printer, ReportRun &run, const std::function<bool(int)> &progress = {});
// Prepares a printer for the run's paper: page size, orientation, no margins (the report places
// everything from the paper's corner).
void setUpPrinter(QPrinter &printer, const QPageLayout &layout);

} // namespace rpt
