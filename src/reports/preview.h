#pragma once
// The print preview window: shows a report page by page while its pages are still being
// produced, zooms, sets up the printer and prints every page (to a printer, or to a PDF file
// when the shop has none).
#include "reportengine.h"
#include <QDialog>
#include <QPrinter>
#include <QTimer>
#include <memory>

class QLabel;
class QMenu;
class QProgressBar;
class QScrollArea;
class QStatusBar;
class QToolButton;
class QAction;

namespace rpt {
// Paints one page of a report at a given scale on a light grey ground.
class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(QWidget *parent = nullptr);
    void setPage(const Page *page, QSizeF paperMm);
    void setPixelsPerMm(double pxPerMm);
    double pixelsPerMm() const { return m_pxPerMm; }
    const Page *page() const { return m_page; }
    static constexpr int kBorder = 12; // pixels around the page

protected:
    void paintEvent(QPaintEvent *) override;

private:
    void updateSize();
    const Page *m_page = nullptr;
    QSizeF m_paper{210, 297};
    double m_pxPerMm = 96 / 25.4;
};
}

class TFdyPreview1 : public QDialog {
    Q_OBJECT
public:
    enum class Zoom { WholePage, PageWidth, Actual, Half };

    explicit TFdyPreview1(QWidget *parent = nullptr);
    ~TFdyPreview1() override;

    // Starts producing the form's pages; the first one shows as soon as it exists.
    void setReport(rpt::ReportForm *form);
    rpt::ReportRun *run() const { return m_run.get(); }
    bool producing() const { return m_timer.isActive(); }

    int currentPage() const { return m_current; } // from 1; 0 before the first page exists
    int pageCount() const;                         // pages produced so far
    QString statusText() const;                    // " 第 n 页 共 m 页"
    Zoom zoom() const { return m_zoom; }
    double pixelsPerMm() const;

    // What the buttons do.
    void firstPage();
    void priorPage();
    void nextPage();
    void lastPage();
    void setupPrinter();
    void printAll();
    void setZoom(Zoom z);
    // Prints every page on the printer (producing those still missing); false when it fails.
    bool printTo(QPrinter &printer);
    bool printToPdf(const QString &path);

Q_SIGNALS:
    void pagesProduced(int count);
    void productionFinished();

protected:
    void resizeEvent(QResizeEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    void produceSome();
    void finishProduction();
    void showPage(int n);
    void updateStatus();
    void applyZoom();
    QString askPdfPath();
    void setBusy(bool busy);

    rpt::ReportForm *m_form = nullptr;
    std::unique_ptr<rpt::ReportRun> m_run;
    QTimer m_timer;
    int m_current = 0;
    Zoom m_zoom = Zoom::Actual;
    bool m_busy = false;
    bool m_printerChosen = false;
    std::unique_ptr<QPrinter> m_printer;

    QScrollArea *m_scroll = nullptr;
    rpt::PageView *m_view = nullptr;
    QProgressBar *m_progress = nullptr;
    QStatusBar *m_status = nullptr;
    QLabel *m_panel0 = nullptr, *m_panel1 = nullptr;
    QMenu *m_zoomMenu = nullptr, *m_popup = nullptr;
    QList<QToolButton *> m_buttons;
    QList<QAction *> m_zoomActions;
};

// The preview window made at start-up among the report forms; the first preview uses it.
void createStartupPreview();
// Previews the form modally over the screen's window; returns when the window closes (it is
// freed then; the form stays for the next print).
void previewReport(rpt::ReportForm *form, QWidget *parent);
// Called with each preview window just before it runs modally (tests watch it this way).
void setPreviewObserver(std::function<void(TFdyPreview1 *)> observer);
