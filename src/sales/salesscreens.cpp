#include "salesscreens.h"
#include "frame.h"
#include "ntoc1.h"

void registerSalesScreens()
{
    screens::add(QStringLiteral("TFntoc1"), [](QWidget *p) -> QWidget * { return new TFntoc1(p); }, true);
}
