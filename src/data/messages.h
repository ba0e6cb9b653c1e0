#pragma once
// Every message box of the system goes through here: the titles and icons that tell the kind
// ("提示", "警告", "错误"), Chinese buttons. Tests put a recorder in place of the boxes.
#include <QString>

class QWidget;

namespace msg {
enum class Kind { Information, Question, Warning, Error };
enum class Buttons { Ok, OkCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No };

class Sink {
public:
    virtual ~Sink() = default;
    virtual Answer show(QWidget *parent, Kind kind, const QString &title, const QString &text, Buttons buttons) = 0;
};
// Replaces the boxes (nullptr restores them); returns the previous sink.
Sink *setSink(Sink *sink);

QString titleFor(Kind kind);

void info(QWidget *parent, const QString &text);      // 提示, information icon
void warning(QWidget *parent, const QString &text);   // 警告, warning icon
void error(QWidget *parent, const QString &text);     // 错误, error icon
bool confirm(QWidget *parent, const QString &text);   // 提示, question, OK/Cancel: true on OK
bool yesNo(QWidget *parent, const QString &text);     // 提示, question, Yes/No: true on Yes
// The general error handler: an engine error's text in a box; the screen stays.
void engineError(const QString &text);
}
