#include "shell.h"
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace shell {
void openCalculator()
{
    for (const char *prog : {"gnome-calculator", "galculator", "kcalc", "mate-calc", "xcalc"}) {
        const QString path = QStandardPaths::findExecutable(QLatin1String(prog));
        if (!path.isEmpty() && QProcess::startDetached(path, {})) return;
    }
}

void openDocument(const QString &fileName)
{
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
    if (QFileInfo::exists(path)) QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
}
