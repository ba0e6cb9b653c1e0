#include "application.h"
#include "dberror.h"
#include "messages.h"
#include <QFile>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTranslator>
#include <exception>

CsApplication::CsApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool CsApplication::notify(QObject *receiver, QEvent *event)
{
    // The general error handler: an engine error ends the handler that raised it, the screen stays.
    try {
        return QApplication::notify(receiver, event);
    } catch (const DbError &e) {
        msg::engineError(e.text());
    } catch (const std::exception &e) {
        msg::engineError(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

namespace app {
namespace {
std::function<void()> g_end;

class LogSink : public msg::Sink {
public:
    msg::Answer show(QWidget *, msg::Kind, const QString &title, const QString &text, msg::Buttons buttons) override
    {
        automationNote(title + u'|' + text);
        switch (buttons) {
        case msg::Buttons::Ok: return msg::Answer::Ok;
        case msg::Buttons::OkCancel: return msg::Answer::Ok;
        case msg::Buttons::YesNo: return msg::Answer::No;
        }
        return msg::Answer::Ok;
    }
};
}

void setupLocaleAndFonts()
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto *qt = new QTranslator(qApp);
    if (qt->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    QFont::insertSubstitutions(QStringLiteral("黑体"), {QStringLiteral("WenQuanYi Zen Hei")});
    QFont::insertSubstitutions(QStringLiteral("宋体"), {QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Zen Hei")});
    if (!automationLog().isEmpty()) {
        static LogSink sink;
        msg::setSink(&sink);
    }
}

void endProgram()
{
    if (g_end) g_end();
    else QCoreApplication::exit(0);
}

void setEndProgramHandler(std::function<void()> handler) { g_end = std::move(handler); }

QString automationLog() { return qEnvironmentVariable("CS_AUTOMATION_LOG"); }

void automationNote(const QString &line)
{
    const QString path = automationLog();
    if (path.isEmpty()) return;
    QFile f(path);
    if (!f.open(QIODevice::Append | QIODevice::Text)) return;
    QTextStream(&f) << line << '\n';
}
}
