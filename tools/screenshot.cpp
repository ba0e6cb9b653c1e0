// Renders the main window after a login, and any registered screen, to PNG files for review:
//   screenshot <out dir> [screen class ...]
// Works on the offscreen platform; uses a new database in a temporary folder.
#include "application.h"
#include "dm1.h"
#include "registerall.h"
#include "schema.h"
#include "tmain1.h"
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTimer>

int main(int argc, char **argv)
{
    CsApplication a(argc, argv);
    app::setupLocaleAndFonts();
    if (argc < 2) return 2;
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QTemporaryDir dir;
    const QString db = QDir(dir.path()).filePath(QStringLiteral("QTXData1.mdb"));
    createDatabase(db);
    TDM1 dm;
    DM1 = &dm;
    if (!dm.openDatabase(db)) return 1;
    app::registerAllScreens();
    dm.AQyhsz1->setSql(QStringLiteral("select * from yhsz where yhmc=:n"));
    dm.AQyhsz1->bind(QStringLiteral(":n"), schema::adminName());
    dm.AQyhsz1->open();
    TFmain1 w;
    w.resize(1366, 740);
    w.show();
    w.openDiagram();
    for (int i = 2; i < argc; ++i) w.runEntry(QString::fromLatin1(argv[i]));
    QTimer::singleShot(300, &a, [&] {
        w.grab().save(QDir(out).filePath(QStringLiteral("main.png")));
        QCoreApplication::exit(0); // quit() would ask the main window to close, and so ask to quit
    });
    return a.exec();
}
