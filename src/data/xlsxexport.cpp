#include "xlsxexport.h"
#include "dataset.h"
#include "gridmodel.h"
#include "messages.h"
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTableView>
#include <QUrl>
#include <xlsxwriter.h>

namespace xlsx {
namespace {
QString g_dir;
Opener g_opener;

void tellWhere(QWidget *parent, const QString &path)
{
    msg::info(parent, QStringLiteral("没有找到可以打开电子表格的程序，数据已导出到：\n") + QDir::toNativeSeparators(path));
}

bool defaultOpener(QWidget *parent, const QString &path)
{
    QPointer<QWidget> p(parent);
#ifdef Q_OS_UNIX
    // The desktop's opener reports success as soon as it has started; its exit status tells
    // whether a program took the file.
    const QString xdg = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!xdg.isEmpty()) {
        auto *proc = new QProcess(qApp);
        QObject::connect(proc, &QProcess::finished, proc, [proc, p, path](int code, QProcess::ExitStatus st) {
            if (st != QProcess::NormalExit || code != 0) tellWhere(p, path);
            proc->deleteLater();
        });
        QObject::connect(proc, &QProcess::errorOccurred, proc, [proc, p, path](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart) {
                tellWhere(p, path);
                proc->deleteLater();
            }
        });
        proc->start(xdg, {path});
        return true;
    }
#endif
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return true;
    tellWhere(p, path);
    return false;
}

QString fileNamePart(QString name)
{
    static const QString bad = QStringLiteral("\\/:*?\"<>|");
    for (QChar &c : name)
        if (bad.contains(c) || c.unicode() < 32) c = u'_';
    return name.trimmed().isEmpty() ? QStringLiteral("导出") : name.trimmed();
}
}

QString exportDirectory()
{
    if (!g_dir.isEmpty()) return g_dir;
    QString d = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (d.isEmpty() || !QDir().mkpath(d) || !QFileInfo(d).isWritable()) d = QDir::tempPath();
    return d;
}

void setExportDirectory(const QString &dir) { g_dir = dir; }
void setOpener(Opener opener) { g_opener = std::move(opener); }

QList<Column> gridColumns(const QTableView *grid)
{
    QList<Column> out;
    const auto *m = qobject_cast<const GridModel *>(grid->model());
    if (!m) return out;
    for (int i = 0; i < m->columns().size(); ++i) {
        const GridColumn &c = m->columns().at(i);
        out << Column{c.title, c.field, c.visible && !grid->isColumnHidden(i)};
    }
    return out;
}

Result writeWorkbook(const QString &path, const Dataset &ds, const QList<Column> &columns,
                     const std::function<bool(int)> &progress, QString *error)
{
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook_options opts{};
    opts.constant_memory = LXW_TRUE; // rows go to disk as they are written
    const QByteArray tmp = QFile::encodeName(QDir::tempPath());
    opts.tmpdir = const_cast<char *>(tmp.constData());
    lxw_workbook *wb = workbook_new_opt(file.constData(), &opts);
    if (!wb) {
        if (error) *error = QStringLiteral("cannot create the workbook");
        return Result::Failed;
    }
    lxw_worksheet *ws = workbook_add_worksheet(wb, nullptr);
    lxw_format *text = workbook_add_format(wb);
    format_set_num_format(text, "@");
    Result result = Result::Written;
    lxw_error err = LXW_NO_ERROR;

    // Sheet column n is grid column n, counted over hidden columns too.
    std::vector<int> fieldOf(size_t(columns.size()), -1);
    std::vector<lxw_col_t> used;
    for (int c = 0; c < columns.size(); ++c) {
        if (!columns[c].visible) continue;
        fieldOf[size_t(c)] = ds.isOpen() ? ds.fieldIndex(columns[c].field) : -1;
        used.push_back(lxw_col_t(c));
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), 12, text);
    }
    for (lxw_col_t c : used) {
        const QByteArray t = columns[int(c)].title.toUtf8();
        if ((err = worksheet_write_string(ws, 0, c, t.constData(), text)) != LXW_NO_ERROR) break;
    }
    const int rows = ds.isOpen() ? ds.recordCount() : 0;
    QByteArray cell;
    for (int r = 0; r < rows && err == LXW_NO_ERROR; ++r) {
        for (lxw_col_t c : used) {
            const int f = fieldOf[size_t(c)];
            if (f < 0) continue;
            cell = ds.textAt(r, f).trimmed().toUtf8();
            if (cell.isEmpty()) continue;
            if ((err = worksheet_write_string(ws, lxw_row_t(r + 1), c, cell.constData(), text)) != LXW_NO_ERROR) break;
        }
        if (err == LXW_NO_ERROR && progress && !progress(r + 1)) {
            result = Result::Cancelled;
            break;
        }
    }
    const lxw_error closeErr = workbook_close(wb);
    if (err == LXW_NO_ERROR) err = closeErr;
    if (err != LXW_NO_ERROR) {
        if (error) *error = QString::fromUtf8(lxw_strerror(err));
        return Result::Failed;
    }
    return result;
}

QString exportGrid(QWidget *parent, QTableView *grid, const QString &name)
{
    const auto *m = qobject_cast<const GridModel *>(grid->model());
    Dataset *ds = m ? m->dataset() : nullptr;
    if (!ds || !ds->isOpen()) {
        msg::warning(parent, QStringLiteral("数据表未打开，请先查询！"));
        return {};
    }
    // Never over an earlier export: a second one within the same second gets a number.
    const QString stem = QDir(exportDirectory()).filePath(
        fileNamePart(name) + u'_' + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss")));
    QString path = stem + QStringLiteral(".xlsx");
    for (int n = 2; QFileInfo::exists(path); ++n) path = stem + u'_' + QString::number(n) + QStringLiteral(".xlsx");
    const int rows = ds->recordCount();
    QProgressDialog progress(QStringLiteral("正在导出数据……"), QStringLiteral("取消"), 0, std::max(rows, 1), parent);
    progress.setWindowTitle(QStringLiteral("导出"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);
    QElapsedTimer breath;
    breath.start();
    // The window stays responsive: pending events are processed while the rows are written,
    // as often as the eye can see a difference rather than after each of a hundred thousand rows.
    auto step = [&](int done) {
        if (breath.elapsed() >= 40 || done == rows) {
            breath.restart();
            progress.setValue(done);
            QCoreApplication::processEvents();
        }
        return !progress.wasCanceled();
    };
    QString error;
    const Result r = writeWorkbook(path, *ds, gridColumns(grid), step, &error);
    progress.close();
    if (r == Result::Failed) {
        msg::info(parent, QStringLiteral("数据导出失败！"));
        return {};
    }
    const Opener open = g_opener ? g_opener : Opener(defaultOpener);
    open(parent, path);
    return path;
}
}
