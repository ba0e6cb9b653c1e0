#include "selection.h"
#include "dataset.h"
#include "guard.h"
#include "messages.h"
#include <QDialog>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace selection {
namespace {
QHash<QString, Fill> &registry()
{
    static QHash<QString, Fill> r;
    return r;
}
QString key(const QString &cls, const QString &mode) { return cls + u'\x1f' + mode; }
}

void registerFill(const QString &dialogClass, const QString &mode, Fill fill)
{
    registry().insert(key(dialogClass, mode), std::move(fill));
}

Fill boxes(const QList<BoxFill> &list)
{
    return [list](QWidget *caller, const Dataset &ds) {
        if (!caller) return;
        for (const BoxFill &b : list) {
            QWidget *w = caller->objectName() == b.box ? caller : caller->findChild<QWidget *>(b.box);
            if (w) setBoxText(w, ds.text(b.field));
        }
    };
}

void registerBoxes(const QString &dialogClass, const QString &mode, const QList<BoxFill> &list)
{
    registerFill(dialogClass, mode, boxes(list));
}

bool has(const QString &dialogClass, const QString &mode) { return registry().contains(key(dialogClass, mode)); }

bool fill(const QString &dialogClass, const QString &mode, QWidget *caller, const Dataset &chosen)
{
    const auto it = registry().constFind(key(dialogClass, mode));
    if (it == registry().cend()) return false;
    const Fill f = it.value();
    f(caller, chosen);
    return true;
}

bool setBoxText(QWidget *box, const QString &text)
{
    if (auto *e = qobject_cast<QLineEdit *>(box)) { e->setText(text); return true; }
    if (auto *c = qobject_cast<QComboBox *>(box)) {
        if (c->isEditable()) c->setEditText(text);
        else c->setCurrentText(text);
        return true;
    }
    if (auto *l = qobject_cast<QLabel *>(box)) { l->setText(text); return true; }
    if (auto *p = qobject_cast<QPlainTextEdit *>(box)) { p->setPlainText(text); return true; }
    return false;
}

bool chooseCurrent(QDialog *dialog, const QString &thing, const QString &dialogClass, const QString &mode,
                   QWidget *caller, const Dataset &ds)
{
    if (!ds.isOpen() || ds.isEmpty() || ds.recNo() < 0) {
        msg::warning(dialog, QStringLiteral("没有") + thing + QStringLiteral("可选择！"));
        return false;
    }
    // A mode that nobody registered closes the dialog without copying.
    if (!guarded([&] { fill(dialogClass, mode, caller, ds); })) return false;
    dialog->accept();
    return true;
}

void runAddDialog(const std::function<QDialog *(QWidget *parent)> &make, QWidget *parent)
{
    if (!make) return;
    QDialog *d = make(parent);
    if (!d) return;
    d->exec();
    delete d;
}
}
