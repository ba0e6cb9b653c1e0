#pragma once
// Keyboard rules of every dialog: Enter moves to the next control in tab order, and in the last
// box presses the dialog's main button; Esc presses the close button. A few boxes give Enter a
// meaning of their own (open a list when the box is empty, run a query).
#include <QObject>
#include <QPointer>
#include <QHash>
#include <functional>

class QAbstractButton;
class QDialog;
class QWidget;

namespace keys {

class EnterNavigator : public QObject {
public:
    explicit EnterNavigator(QWidget *window);
    // Enter in this box presses the button instead of moving on.
    void pressOn(QWidget *box, QAbstractButton *button);
    // Enter in this box runs the function instead of moving on.
    void callOn(QWidget *box, std::function<void()> fn);
    // Installs the rule on a box (a combo box's line edit is covered too).
    void watch(QWidget *box);
    // Installs the rule on every edit box, combo box, date box and check box of the window.
    void watchAll();

protected:
    bool eventFilter(QObject *obj, QEvent *ev) override;

private:
    QWidget *boxOf(QObject *obj) const;
    QPointer<QWidget> m_window;
    QHash<QWidget *, std::function<void()>> m_actions;
};

// The usual dialog: Enter moves on through every box, Enter in `last` presses `main`, Esc
// presses `close` (when given; otherwise the dialog is rejected).
EnterNavigator *installDialogKeys(QDialog *dlg, QWidget *last, QAbstractButton *main, QAbstractButton *close = nullptr);

// Esc anywhere in a window (a list window inside the main window) runs fn.
void escCloses(QWidget *window, std::function<void()> fn);

}
