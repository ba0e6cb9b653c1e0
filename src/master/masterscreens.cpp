#include "masterscreens.h"
#include "frame.h"
#include "selection.h"
#include "tlb1.h"
#include "tyg1.h"

void registerMasterScreens()
{
    screens::add(QStringLiteral("TFyg1"), [](QWidget *p) -> QWidget * { return new TFyg1(p); }, true);
    screens::add(QStringLiteral("TFyg2"), [](QWidget *p) -> QWidget * { return new TFyg2(p); }, false);
    screens::add(QStringLiteral("TFlb1"), [](QWidget *p) -> QWidget * { return new TFlb1(p); }, false);
    screens::add(QStringLiteral("TFdw1"), [](QWidget *p) -> QWidget * { return new TFdw1(p); }, false);

    using selection::registerBoxes;
    // Category list: the goods dialog's category box.
    registerBoxes(QStringLiteral("TFlb1"), QString(), {{QStringLiteral("lb"), QStringLiteral("Edit1")}});
    // Unit list: the goods dialog's and the gift dialog's unit boxes.
    registerBoxes(QStringLiteral("TFdw1"), QStringLiteral("tjsp"), {{QStringLiteral("dw"), QStringLiteral("Edit4")}});
    registerBoxes(QStringLiteral("TFdw1"), QStringLiteral("tjzp"), {{QStringLiteral("dw"), QStringLiteral("Edit3")}});
    // Employee chooser: the callers whose boxes are known; the others register their own.
    registerBoxes(QStringLiteral("TFyg2"), QStringLiteral("tjxs"), {{QStringLiteral("xm"), QStringLiteral("jsr")}});
    registerBoxes(QStringLiteral("TFyg2"), QStringLiteral("tjysfx"), {{QStringLiteral("xm"), QStringLiteral("Edit3")}});
    registerBoxes(QStringLiteral("TFyg2"), QStringLiteral("tjszfx"), {{QStringLiteral("xm"), QStringLiteral("Edit1")}});
}
