#pragma once
// The application object: the general error handler, Chinese texts for Qt's own dialogs, the
// report faces, and the way the program ends.
#include <QApplication>
#include <functional>

class CsApplication : public QApplication {
public:
    CsApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

namespace app {
// Loads Qt's Chinese translations and maps the report faces to installed fonts.
void setupLocaleAndFonts();
// Ends the program at once (login "取消", lock screen "取消"). Tests replace it.
void endProgram();
void setEndProgramHandler(std::function<void()> handler);
// When the environment names a log file (CS_AUTOMATION_LOG), messages are written there and
// answered with their default button, and the login dialog logs itself and cancels: a headless
// check of the start-up that needs no one at the keyboard.
QString automationLog();
void automationNote(const QString &line);
}
