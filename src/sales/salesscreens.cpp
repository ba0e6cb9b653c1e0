#include "salesscreens.h"
#include "frame.h"
#include "ntoc1.h"
#include "selection.h"
#include "tdj1.h"
#include "tkh1.h"
#include "tjxsd1.h"
#include "xsfx1.h"
#include "xsgl1.h"

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
    // The counter and its goods chooser: each choice adds a line to the open slip.
    screens::add(QStringLiteral("TFtjxsd1"), [](QWidget *p) -> QWidget * { return new TFtjxsd1(p); }, true);
    selection::registerFill(QStringLiteral("TFsp3"), QStringLiteral("tjxs"), [](QWidget *caller, const Dataset &goods) {
        TFtjxsd1 *counter = qobject_cast<TFtjxsd1 *>(caller);
        if (!counter) counter = TFtjxsd1::instance();
        if (counter) counter->addGoods(goods);
    });
    // Slip management and sales details.
    screens::add(QStringLiteral("TFxsgl1"), [](QWidget *p) -> QWidget * { return new TFxsgl1(p); }, true);
    screens::add(QStringLiteral("TFxsfx1"), [](QWidget *p) -> QWidget * { return new TFxsfx1(p); }, true);
}
