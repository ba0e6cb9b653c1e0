#include "preview.h"
#include "messages.h"
#include <QActionGroup>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace rpt;

namespace {
QPointer<TFdyPreview1> g_startup;
std::function<void(TFdyPreview1 *)> g_observer;
constexpr int kSliceMs = 15; // page production per turn of the event loop
}

// ---------------------------------------------------------------------------------------------

PageView::PageView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("QRPreview1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    updateSize();
}

void PageView::setPage(const Page *page, QSizeF paperMm)
{
    m_page = page;
    m_paper = paperMm;
    updateSize();
    update();
}

void PageView::setPixelsPerMm(double pxPerMm)
{
    m_pxPerMm = std::max(0.05, pxPerMm);
    updateSize();
    update();
}

void PageView::updateSize()
{
    resize(int(m_paper.width() * m_pxPerMm) + 2 * kBorder, int(m_paper.height() * m_pxPerMm) + 2 * kBorder);
}

void PageView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(128, 128, 128));
    const QRectF paper(kBorder, kBorder, m_paper.width() * m_pxPerMm, m_paper.height() * m_pxPerMm);
    p.fillRect(paper.translated(3, 3), QColor(64, 64, 64));
    p.fillRect(paper, Qt::white);
    if (!m_page) return;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setClipRect(paper);
    const double s = m_pxPerMm / kUnitsPerMm; // device pixels per report unit
    p.translate(kBorder, kBorder);
    p.scale(s, s);
    paintPage(p, *m_page, s);
}

// ---------------------------------------------------------------------------------------------

TFdyPreview1::TFdyPreview1(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FdyPreview1"));
    setWindowTitle(QStringLiteral("打印预览"));
    setSizeGripEnabled(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    layout->addWidget(bar);

    auto add = [&](const QString &text, const char *name, QStyle::StandardPixmap icon) {
        auto *b = new QToolButton(bar);
        b->setObjectName(QLatin1String(name));
        b->setText(text);
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRaise(true);
        bar->addWidget(b);
        m_buttons << b;
        return b;
    };
    connect(add(QStringLiteral("首页"), "SpeedButton1", QStyle::SP_MediaSkipBackward), &QToolButton::clicked, this,
            &TFdyPreview1::firstPage);
    connect(add(QStringLiteral("上页"), "SpeedButton2", QStyle::SP_MediaSeekBackward), &QToolButton::clicked, this,
            &TFdyPreview1::priorPage);
    connect(add(QStringLiteral("下页"), "SpeedButton3", QStyle::SP_MediaSeekForward), &QToolButton::clicked, this,
            &TFdyPreview1::nextPage);
    connect(add(QStringLiteral("尾页"), "SpeedButton4", QStyle::SP_MediaSkipForward), &QToolButton::clicked, this,
            &TFdyPreview1::lastPage);
    bar->addSeparator();
    connect(add(QStringLiteral("设置"), "SpeedButton5", QStyle::SP_FileDialogDetailedView), &QToolButton::clicked,
            this, &TFdyPreview1::setupPrinter);
    connect(add(QStringLiteral("打印"), "SpeedButton6", QStyle::SP_DialogSaveButton), &QToolButton::clicked, this,
            &TFdyPreview1::printAll);
    QToolButton *zoomButton = add(QStringLiteral("缩放"), "SpeedButton7", QStyle::SP_FileDialogContentsView);
    connect(add(QStringLiteral("关闭"), "SpeedButton8", QStyle::SP_DialogCloseButton), &QToolButton::clicked, this,
            &QDialog::close);

    // The zoom menu drops down just below its button.
    m_zoomMenu = new QMenu(this);
    m_zoomMenu->setObjectName(QStringLiteral("PopupMenu2"));
    auto *group = new QActionGroup(this);
    const std::pair<const char16_t *, Zoom> zooms[] = {{u"缩放—全屏", Zoom::WholePage},
                                                       {u"缩放—页宽", Zoom::PageWidth},
                                                       {u"缩放—100%（实际打印效果）", Zoom::Actual},
                                                       {u"缩放—50%", Zoom::Half}};
    for (const auto &[text, z] : zooms) {
        QAction *a = m_zoomMenu->addAction(QString::fromUtf16(text));
        a->setCheckable(true);
        a->setChecked(z == Zoom::Actual);
        group->addAction(a);
        const Zoom zz = z;
        connect(a, &QAction::triggered, this, [this, zz] { setZoom(zz); });
        m_zoomActions << a;
    }
    zoomButton->setMenu(m_zoomMenu);
    zoomButton->setPopupMode(QToolButton::InstantPopup);

    bar->addSeparator();
    m_progress = new QProgressBar(bar);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setMaximumWidth(220);
    m_progress->setTextVisible(true);
    bar->addWidget(m_progress);

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("ScrollBox1"));
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setFocusPolicy(Qt::StrongFocus);
    m_view = new PageView;
    m_scroll->setWidget(m_view);
    layout->addWidget(m_scroll, 1);

    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("StatusBar1"));
    m_status->setSizeGripEnabled(false);
    m_panel0 = new QLabel(m_status);
    m_panel0->setObjectName(QStringLiteral("Panel0"));
    m_panel0->setMinimumWidth(120);
    m_panel1 = new QLabel(m_status);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_status->addWidget(m_panel0);
    m_status->addWidget(m_panel1, 1);
    layout->addWidget(m_status);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    connect(m_popup->addAction(QStringLiteral("打印")), &QAction::triggered, this, &TFdyPreview1::printAll);
    connect(m_popup->addAction(QStringLiteral("设置")), &QAction::triggered, this, &TFdyPreview1::setupPrinter);
    connect(m_popup->addAction(QStringLiteral("关闭")), &QAction::triggered, this, &QDialog::close);

    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &TFdyPreview1::produceSome);

    if (QScreen *s = QGuiApplication::primaryScreen()) {
        const QSize avail = s->availableGeometry().size();
        resize(std::max(640, avail.width() * 9 / 10), std::max(480, avail.height() * 9 / 10));
    } else {
        resize(1000, 700);
    }
    updateStatus();
}

TFdyPreview1::~TFdyPreview1() = default;

void TFdyPreview1::setReport(ReportForm *form)
{
    m_form = form;
    m_run = std::make_unique<ReportRun>(*form);
    m_current = 0;
    m_view->setPage(nullptr, m_run->paperSize());
    m_progress->setRange(0, std::max(1, m_run->recordCount()));
    m_progress->setValue(0);
    setWindowTitle(form->reportTitle());
    applyZoom();
    updateStatus();
    m_timer.start();
}

int TFdyPreview1::pageCount() const { return m_run ? m_run->pageCount() : 0; }

QString TFdyPreview1::statusText() const
{
    return QStringLiteral(" 第 %1 页 共 %2 页").arg(m_current).arg(pageCount());
}

void TFdyPreview1::updateStatus() { m_panel1->setText(statusText()); }

void TFdyPreview1::produceSome()
{
    if (!m_run || m_run->finished()) {
        m_timer.stop();
        return;
    }
    QElapsedTimer t;
    t.start();
    do {
        m_run->produceNext();
        // The first page shows at once; the rest follow a slice at a time.
        if (m_current == 0) break;
    } while (!m_run->finished() && t.elapsed() < kSliceMs);
    m_progress->setValue(m_run->finished() ? m_progress->maximum() : m_run->recordsDone());
    if (m_current == 0 && m_run->pageCount() > 0) showPage(1);
    else updateStatus();
    Q_EMIT pagesProduced(m_run->pageCount());
    if (m_run->finished()) {
        m_timer.stop();
        Q_EMIT productionFinished();
    }
}

void TFdyPreview1::finishProduction()
{
    while (m_run && !m_run->finished()) {
        QElapsedTimer t;
        t.start();
        while (!m_run->finished() && t.elapsed() < kSliceMs) m_run->produceNext();
        m_progress->setValue(m_run->finished() ? m_progress->maximum() : m_run->recordsDone());
        updateStatus();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    m_timer.stop();
}

void TFdyPreview1::showPage(int n)
{
    if (!m_run || m_run->pageCount() == 0) return;
    n = std::clamp(n, 1, m_run->pageCount());
    m_current = n;
    m_view->setPage(&m_run->page(n - 1), m_run->paperSize());
    m_scroll->verticalScrollBar()->setValue(0);
    updateStatus();
}

void TFdyPreview1::firstPage() { showPage(1); }
void TFdyPreview1::priorPage() { showPage(std::max(1, m_current - 1)); }
void TFdyPreview1::nextPage() { showPage(m_current + 1); }
void TFdyPreview1::lastPage() { showPage(pageCount()); }

double TFdyPreview1::pixelsPerMm() const { return m_view->pixelsPerMm(); }

void TFdyPreview1::setZoom(Zoom z)
{
    m_zoom = z;
    const int idx = int(z);
    if (idx >= 0 && idx < m_zoomActions.size()) m_zoomActions[idx]->setChecked(true);
    applyZoom();
}

void TFdyPreview1::applyZoom()
{
    const double actual = logicalDpiX() / 25.4;
    const QSizeF paper = m_run ? m_run->paperSize() : QSizeF(210, 297);
    const QSize vp = m_scroll->viewport()->size() - QSize(2 * PageView::kBorder, 2 * PageView::kBorder);
    double px = actual;
    switch (m_zoom) {
    case Zoom::WholePage: px = std::min(vp.width() / paper.width(), vp.height() / paper.height()); break;
    case Zoom::PageWidth:
        px = (vp.width() - m_scroll->verticalScrollBar()->sizeHint().width()) / paper.width();
        break;
    case Zoom::Actual: px = actual; break;
    case Zoom::Half: px = actual / 2; break;
    }
    m_view->setPixelsPerMm(px);
}

void TFdyPreview1::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    if (m_zoom == Zoom::WholePage || m_zoom == Zoom::PageWidth) applyZoom();
}

void TFdyPreview1::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    applyZoom();
}

void TFdyPreview1::contextMenuEvent(QContextMenuEvent *e)
{
    if (m_busy) return;
    m_popup->popup(e->globalPos());
}

void TFdyPreview1::keyPressEvent(QKeyEvent *e)
{
    if (m_busy) return;
    switch (e->key()) {
    case Qt::Key_PageDown: nextPage(); return;
    case Qt::Key_PageUp: priorPage(); return;
    case Qt::Key_Home:
        if (e->modifiers() & Qt::ControlModifier) { firstPage(); return; }
        break;
    case Qt::Key_End:
        if (e->modifiers() & Qt::ControlModifier) { lastPage(); return; }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return; // no default button to press here
    default: break;
    }
    QDialog::keyPressEvent(e); // Esc closes
}

void TFdyPreview1::closeEvent(QCloseEvent *e)
{
    if (m_busy) {
        e->ignore();
        return;
    }
    m_timer.stop();
    QDialog::closeEvent(e);
}

void TFdyPreview1::setBusy(bool busy)
{
    m_busy = busy;
    for (QToolButton *b : std::as_const(m_buttons)) b->setEnabled(!busy);
}

void TFdyPreview1::setupPrinter()
{
    if (m_busy) return;
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        msg::warning(this, QStringLiteral("找不到打印机，请安装打印机！"));
        return;
    }
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (m_run) setUpPrinter(*m_printer, m_run->pageLayout());
    QPrintDialog dlg(m_printer.get(), this);
    dlg.setWindowTitle(QStringLiteral("打印设置"));
    if (dlg.exec() == QDialog::Accepted) m_printerChosen = true;
}

QString TFdyPreview1::askPdfPath()
{
    QString name = m_form ? m_form->text(QStringLiteral("QRLdw")) : QString();
    if (name.isEmpty()) name = windowTitle();
    for (QChar bad : {u'/', u'\\', u':', u'*', u'?', u'"', u'<', u'>', u'|'}) name.replace(bad, u'_');
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty() || !QDir(dir).exists()) dir = QDir::homePath();
    QFileDialog dlg(this, QStringLiteral("打印到PDF文件"), QDir(dir).filePath(name + u".pdf"),
                    QStringLiteral("PDF 文件 (*.pdf)"));
    dlg.setObjectName(QStringLiteral("SaveDialog1"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setDefaultSuffix(QStringLiteral("pdf"));
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().constFirst();
}

void TFdyPreview1::printAll()
{
    if (m_busy || !m_run) return;
    // A shop without a printer keeps its reports as PDF files.
    if (!m_printerChosen && QPrinterInfo::availablePrinters().isEmpty()) {
        const QString path = askPdfPath();
        if (path.isEmpty()) return;
        if (!printToPdf(path)) msg::warning(this, QStringLiteral("打印失败：") + QDir::toNativeSeparators(path));
        return;
    }
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!printTo(*m_printer)) msg::warning(this, QStringLiteral("打印失败！"));
}

bool TFdyPreview1::printToPdf(const QString &path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setCreator(QStringLiteral("朗森柜台星通用行业版"));
    printer.setDocName(m_form ? m_form->text(QStringLiteral("QRLdw")) : windowTitle());
    return printTo(printer);
}

bool TFdyPreview1::printTo(QPrinter &printer)
{
    if (!m_run || m_busy) return false;
    setBusy(true);
    finishProduction();
    m_progress->setRange(0, std::max(1, m_run->pageCount()));
    m_progress->setValue(0);
    const bool ok = printRun(printer, *m_run, [this](int printed) {
        m_progress->setValue(printed);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    });
    m_progress->setValue(m_progress->maximum());
    updateStatus();
    setBusy(false);
    return ok;
}

// ---------------------------------------------------------------------------------------------

void createStartupPreview()
{
    if (!g_startup) g_startup = new TFdyPreview1;
}

void setPreviewObserver(std::function<void(TFdyPreview1 *)> observer) { g_observer = std::move(observer); }

void previewReport(ReportForm *form, QWidget *parent)
{
    TFdyPreview1 *w = g_startup.data();
    g_startup = nullptr;
    QWidget *owner = parent ? parent->window() : nullptr;
    if (w) w->setParent(owner, w->windowFlags());
    else w = new TFdyPreview1(owner);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowModality(Qt::ApplicationModal);
    w->setReport(form);
    if (g_observer) g_observer(w);
    w->exec();
}
