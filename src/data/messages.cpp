#include "messages.h"
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace msg {
namespace {
class BoxSink : public Sink {
public:
    Answer show(QWidget *parent, Kind kind, const QString &title, const QString &text, Buttons buttons) override
    {
        QMessageBox box(parent ? parent : QApplication::activeWindow());
        box.setWindowTitle(title);
        box.setText(text);
        switch (kind) {
        case Kind::Information: box.setIcon(QMessageBox::Information); break;
        case Kind::Question: box.setIcon(QMessageBox::Question); break;
        case Kind::Warning: box.setIcon(QMessageBox::Warning); break;
        case Kind::Error: box.setIcon(QMessageBox::Critical); break;
        }
        QPushButton *ok = nullptr, *cancel = nullptr, *yes = nullptr, *no = nullptr;
        switch (buttons) {
        case Buttons::Ok:
            ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
            box.setEscapeButton(ok);
            break;
        case Buttons::OkCancel:
            ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
            cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
            box.setEscapeButton(cancel);
            break;
        case Buttons::YesNo:
            yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
            no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
            box.setEscapeButton(no);
            break;
        }
        box.exec();
        QAbstractButton *clicked = box.clickedButton();
        if (clicked == yes) return Answer::Yes;
        if (clicked == no) return Answer::No;
        if (clicked == cancel) return Answer::Cancel;
        if (clicked == ok) return Answer::Ok;
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
};

BoxSink g_boxes;
Sink *g_sink = &g_boxes;
}

Sink *setSink(Sink *sink)
{
    Sink *old = g_sink;
    g_sink = sink ? sink : &g_boxes;
    return old;
}

QString titleFor(Kind kind)
{
    switch (kind) {
    case Kind::Warning: return QStringLiteral("警告");
    case Kind::Error: return QStringLiteral("错误");
    default: return QStringLiteral("提示");
    }
}

void info(QWidget *p, const QString &t) { g_sink->show(p, Kind::Information, titleFor(Kind::Information), t, Buttons::Ok); }
void warning(QWidget *p, const QString &t) { g_sink->show(p, Kind::Warning, titleFor(Kind::Warning), t, Buttons::Ok); }
void error(QWidget *p, const QString &t) { g_sink->show(p, Kind::Error, titleFor(Kind::Error), t, Buttons::Ok); }
bool confirm(QWidget *p, const QString &t)
{
    return g_sink->show(p, Kind::Question, titleFor(Kind::Question), t, Buttons::OkCancel) == Answer::Ok;
}
bool yesNo(QWidget *p, const QString &t)
{
    return g_sink->show(p, Kind::Question, titleFor(Kind::Question), t, Buttons::YesNo) == Answer::Yes;
}
void engineError(const QString &text) { error(nullptr, text); }
}
