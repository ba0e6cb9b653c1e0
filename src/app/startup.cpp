#include "startup.h"
#include "application.h"
#include "dm1.h"
#include "messages.h"
#include "registerall.h"
#include "tdl1.h"
#include "tmain1.h"
#include "tqd1.h"
#include <QEventLoop>
#include <QTimer>
#include <memory>

namespace app {
TDM1 *openDataModule()
{
    auto *dm = new TDM1();
    DM1 = dm;
    if (!dm->openDatabase()) {
        msg::error(nullptr, TDM1::fatalMessage());
        delete dm;
        DM1 = nullptr;
        return nullptr;
    }
    return dm;
}

int run(int argc, char **argv)
{
    CsApplication a(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("朗森柜台星通用行业版"));
    a.setQuitOnLastWindowClosed(false);
    setupLocaleAndFonts();

    auto splash = std::make_unique<TFqd1>();
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents();
    {
        QEventLoop pause;
        QTimer::singleShot(1000, &pause, &QEventLoop::quit);
        pause.exec();
    }

    registerAllScreens();
    std::unique_ptr<TDM1> dm(openDataModule());
    if (!dm) return 1;

    TFmain1 main;
    createReportForms();
    main.openDiagram();
    splash->hide();
    splash.reset();

    {
        TFdl1 login(&main);
        if (login.exec() != QDialog::Accepted) return 0;
    }
    main.showMaximized();
    // The program ends when the main window has closed.
    a.setQuitOnLastWindowClosed(true);
    return a.exec();
}
}
