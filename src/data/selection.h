#pragma once
// Where a selection dialog puts its choice. The caller sets the dialog's selection mode (its
// hidden label xzbj, "tjcg" from the purchase entry) and passes itself; each caller registers,
// for the dialogs it uses, which of its boxes take which columns of the chosen record. A mode
// nobody registered copies nothing.
#include <QList>
#include <QString>
#include <functional>

class Dataset;
class QDialog;
class QWidget;

namespace selection {
// Receives the caller and the dataset positioned on the chosen record.
using Fill = std::function<void(QWidget *caller, const Dataset &chosen)>;

struct BoxFill {
    QString field;   // column of the chosen record
    QString box;     // object name of the caller's box (a line edit, combo box or label)
};

// Registers what the dialog of this class does for this mode ("" for dialogs without modes).
void registerFill(const QString &dialogClass, const QString &mode, Fill fill);
// The usual fill: copy columns into boxes of the caller found by object name.
void registerBoxes(const QString &dialogClass, const QString &mode, const QList<BoxFill> &boxes);
Fill boxes(const QList<BoxFill> &boxes);
bool has(const QString &dialogClass, const QString &mode);
// Runs the registered fill; false when the mode has none (nothing is copied).
bool fill(const QString &dialogClass, const QString &mode, QWidget *caller, const Dataset &chosen);

// "选择" of a chooser or code list: with no current record, "没有" + thing + "可选择！"; otherwise
// runs the registered fill for the caller and accepts the dialog. False when nothing was chosen.
bool chooseCurrent(QDialog *dialog, const QString &thing, const QString &dialogClass, const QString &mode,
                   QWidget *caller, const Dataset &ds);
// Shows the dialog that a "新增" button makes (none: nothing happens) modally and frees it.
void runAddDialog(const std::function<QDialog *(QWidget *parent)> &make, QWidget *parent);

// Writes a text into a box of any of the usual kinds; false when it is none of them.
bool setBoxText(QWidget *box, const QString &text);
}
