#include "keys.h"
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

namespace keys {

EnterNavigator::EnterNavigator(QWidget *window) : QObject(window), m_window(window) {}

void EnterNavigator::pressOn(QWidget *box, QAbstractButton *button)
{
    QPointer<QAbstractButton> b(button);
    callOn(box, [b] {
        if (b && b->isEnabled()) b->click();
    });
}

void EnterNavigator::callOn(QWidget *box, std::function<void()> fn)
{
    m_actions.insert(box, std::move(fn));
    watch(box);
}

void EnterNavigator::watch(QWidget *box)
{
    box->removeEventFilter(this);
    box->installEventFilter(this);
    if (auto *cb = qobject_cast<QComboBox *>(box); cb && cb->lineEdit()) {
        cb->lineEdit()->removeEventFilter(this);
        cb->lineEdit()->installEventFilter(this);
    }
}

void EnterNavigator::watchAll()
{
    if (!m_window) return;
    const auto widgets = m_window->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (qobject_cast<QLineEdit *>(w) && qobject_cast<QComboBox *>(w->parentWidget())) continue;
        if (qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w)
            || qobject_cast<QCheckBox *>(w))
            watch(w);
    }
}

QWidget *EnterNavigator::boxOf(QObject *obj) const
{
    auto *w = qobject_cast<QWidget *>(obj);
    if (!w) return nullptr;
    // The line edit inside a combo box or a date box stands for its owner.
    if (auto *owner = w->parentWidget(); owner && (qobject_cast<QComboBox *>(owner) || qobject_cast<QAbstractSpinBox *>(owner)))
        return owner;
    return w;
}

bool EnterNavigator::eventFilter(QObject *obj, QEvent *ev)
{
    if (ev->type() != QEvent::KeyPress) return false;
    auto *ke = static_cast<QKeyEvent *>(ev);
    if (ke->key() != Qt::Key_Return && ke->key() != Qt::Key_Enter) return false;
    if (ke->modifiers() & ~(Qt::KeypadModifier)) return false;
    QWidget *box = boxOf(obj);
    if (!box) return false;
    if (qobject_cast<QPlainTextEdit *>(box) || qobject_cast<QTextEdit *>(box)) return false;
    // A combo box with its list open takes Enter for the choice.
    if (auto *cb = qobject_cast<QComboBox *>(box); cb && cb->view() && cb->view()->isVisible()) return false;
    if (auto it = m_actions.constFind(box); it != m_actions.cend()) {
        const auto fn = it.value(); // the action may close the window
        fn();
        return true;
    }
    if (m_window) {
        QWidget *next = box->nextInFocusChain();
        // Move to the next control that takes the keyboard focus.
        while (next && next != box && (!(next->focusPolicy() & Qt::TabFocus) || !next->isEnabled() || !next->isVisible()
                                        || !m_window->isAncestorOf(next)))
            next = next->nextInFocusChain();
        if (next && next != box) next->setFocus(Qt::TabFocusReason);
    }
    return true;
}

namespace {
// Esc reaching the window (no box took it) runs the function.
class EscFilter : public QObject {
public:
    EscFilter(QWidget *w, std::function<void()> fn) : QObject(w), m_fn(std::move(fn)) { w->installEventFilter(this); }

protected:
    bool eventFilter(QObject *obj, QEvent *ev) override
    {
        if (obj == parent() && ev->type() == QEvent::KeyPress
            && static_cast<QKeyEvent *>(ev)->key() == Qt::Key_Escape) {
            const auto fn = m_fn;
            fn();
            return true;
        }
        return false;
    }

private:
    std::function<void()> m_fn;
};
}

EnterNavigator *installDialogKeys(QDialog *dlg, QWidget *last, QAbstractButton *main, QAbstractButton *close)
{
    auto *nav = new EnterNavigator(dlg);
    nav->watchAll();
    if (last && main) nav->pressOn(last, main);
    // Buttons never act as the dialog's default on Enter: the boxes decide what Enter does.
    for (QAbstractButton *b : dlg->findChildren<QAbstractButton *>())
        if (auto *pb = qobject_cast<QPushButton *>(b)) { pb->setAutoDefault(false); pb->setDefault(false); }
    if (close) {
        QPointer<QAbstractButton> c(close);
        QPointer<QDialog> d(dlg);
        escCloses(dlg, [c, d] {
            if (c) c->click();
            else if (d) d->reject();
        });
    }
    return nav;
}

void escCloses(QWidget *window, std::function<void()> fn) { new EscFilter(window, std::move(fn)); }

}
