#pragma once
// What screens may ask of the main window without depending on it: the logged-in operator,
// the price-display flag, showing a child window and bringing an open one to the front, and
// creating the screens of other folders by class name.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

class Frame {
public:
    virtual ~Frame() = default;
    virtual QString operatorName() const = 0; // STyhm
    virtual QString priceFlag() const = 0;    // STkcjg: "显示价格" or "不显价格"
    virtual QWidget *mainWindow() = 0;        // parent of modal dialogs
    virtual void showChild(QWidget *w) = 0;   // shows a child window inside the main window
    // Brings the window held by the variable to the front; false when the caller must create it.
    virtual bool activateIfOpen(QWidget *w) = 0;
};
Frame *frame();
void setFrame(Frame *f);

namespace screens {
using Factory = std::function<QWidget *(QWidget *parent)>;
// Child windows (list screens) and modal dialogs, by their class name ("TFsp1").
void add(const QString &className, Factory factory, bool child);
bool has(const QString &className);
bool isChild(const QString &className);
QWidget *create(const QString &className, QWidget *parent);
}
