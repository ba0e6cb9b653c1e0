#pragma once
// Enter in a box moves to the next control, or presses the dialog's main button in its last box.
#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

class EnterKeys : public QObject {
public:
    // press == nullptr: Enter moves the focus on; otherwise Enter clicks it.
    static void install(QWidget *box, QAbstractButton *press = nullptr)
    {
        box->installEventFilter(new EnterKeys(box, press));
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() != QEvent::KeyPress) return false;
        auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) return false;
        if (m_press) m_press->click();
        else if (auto *w = qobject_cast<QWidget *>(o)) w->nextInFocusChain()->setFocus(Qt::TabFocusReason);
        return true;
    }

private:
    EnterKeys(QObject *parent, QAbstractButton *press) : QObject(parent), m_press(press) {}
    QAbstractButton *m_press;
};
