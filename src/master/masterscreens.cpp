#include "masterscreens.h"
#include "frame.h"
#include "selection.h"
#include "tghs1.h"
#include "tlb1.h"
#include "tsp1.h"
#include "tyg1.h"

void registerMasterScreens()
{
    screens::add(QStringLiteral("TFyg1"), [](QWidget *p) -> QWidget * { return new TFyg1(p); }, true);
    screens::add(QStringLiteral("TFyg2"), [](QWidget *p) -> QWidget * { return new TFyg2(p); }, false);
    screens::add(QStringLiteral("TFlb1"), [](QWidget *p) -> QWidget * { return new TFlb1(p); }, false);
    screens::add(QStringLiteral("TFdw1"), [](QWidget *p) -> QWidget * { return new TFdw1(p); }, false);
    screens::add(QStringLiteral("TFsp1"), [](QWidget *p) -> QWidget * { return new TFsp1(p); }, true);
    screens::add(QStringLiteral("TFtjsp1"), [](QWidget *p) -> QWidget * { return new TFtjsp1(p); }, false);
    screens::add(QStringLiteral("TFcxsp1"), [](QWidget *p) -> QWidget * { return new TFcxsp1(p); }, false);
    screens::add(QStringLiteral("TFsp2"), [](QWidget *p) -> QWidget * { return new TFsp2(p); }, false);
    screens::add(QStringLiteral("TFsp3"), [](QWidget *p) -> QWidget * { return new TFsp3(p); }, true);
    screens::add(QStringLiteral("TFghs1"), [](QWidget *p) -> QWidget * { return new TFghs1(p); }, true);
    screens::add(QStringLiteral("TFtjghs1"), [](QWidget *p) -> QWidget * { return new TFtjghs1(p); }, false);
    screens::add(QStringLiteral("TFcxghs1"), [](QWidget *p) -> QWidget * { return new TFcxghs1(p); }, false);
    screens::add(QStringLiteral("TFghs2"), [](QWidget *p) -> QWidget * { return new TFghs2(p); }, false);

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
