#include "salesscreens.h"
#include "frame.h"
#include "ntoc1.h"
#include "selection.h"
#include "tdj1.h"
#include "tkh1.h"

void registerSalesScreens()
{
    screens::add(QStringLiteral("TFntoc1"), [](QWidget *p) -> QWidget * { return new TFntoc1(p); }, true);
    screens::add(QStringLiteral("TFkh1"), [](QWidget *p) -> QWidget * { return new TFkh1(p); }, true);
    screens::add(QStringLiteral("TFtjkh1"), [](QWidget *p) -> QWidget * { return new TFtjkh1(p); }, false);
    screens::add(QStringLiteral("TFcxkh1"), [](QWidget *p) -> QWidget * { return new TFcxkh1(p); }, false);
    screens::add(QStringLiteral("TFkh2"), [](QWidget *p) -> QWidget * { return new TFkh2(p); }, false);
    screens::add(QStringLiteral("TFdj1"), [](QWidget *p) -> QWidget * { return new TFdj1(p); }, false);
    screens::add(QStringLiteral("TFtjdj1"), [](QWidget *p) -> QWidget * { return new TFtjdj1(p); }, false);
    // Level list: the member dialog's level and discount boxes.
    selection::registerBoxes(QStringLiteral("TFdj1"), QString(),
                             {{QStringLiteral("dj"), QStringLiteral("Edit8")}, {QStringLiteral("zk"), QStringLiteral("Edit9")}});
    // Member chooser from the counter: the card box, whose change runs the counter's member lookup.
    selection::registerBoxes(QStringLiteral("TFkh2"), QStringLiteral("tjxs"), {{QStringLiteral("bm"), QStringLiteral("hybm")}});
}
