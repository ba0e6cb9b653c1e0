#include "registerall.h"
#include "frame.h"
#include "tdanwei1.h"
#if __has_include("masterscreens.h")
#include "masterscreens.h"
#define CS_HAVE_MASTER 1
#endif
#if __has_include("stockscreens.h")
#include "stockscreens.h"
#define CS_HAVE_STOCK 1
#endif
#if __has_include("salesscreens.h")
#include "salesscreens.h"
#define CS_HAVE_SALES 1
#endif
#if __has_include("financescreens.h")
#include "financescreens.h"
#define CS_HAVE_FINANCE 1
#endif
#if __has_include("pointsscreens.h")
#include "pointsscreens.h"
#define CS_HAVE_POINTS 1
#endif
#if __has_include("maintenancescreens.h")
#include "maintenancescreens.h"
#define CS_HAVE_MAINTENANCE 1
#endif
#if __has_include("reportforms.h")
#include "reportforms.h"
#define CS_HAVE_REPORTS 1
#endif

namespace app {
void registerAllScreens()
{
    static bool done = false;
    if (done) return;
    done = true;
    screens::add(QStringLiteral("TFdanwei1"), [](QWidget *parent) { return new TFdanwei1(parent); }, false);
#ifdef CS_HAVE_MASTER
    registerMasterScreens();
#endif
#ifdef CS_HAVE_STOCK
    registerStockScreens();
#endif
#ifdef CS_HAVE_SALES
    registerSalesScreens();
#endif
#ifdef CS_HAVE_FINANCE
    registerFinanceScreens();
#endif
#ifdef CS_HAVE_POINTS
    registerPointsScreens();
#endif
#ifdef CS_HAVE_MAINTENANCE
    registerMaintenanceScreens();
#endif
}

void createReportForms()
{
#ifdef CS_HAVE_REPORTS
    ::createReportForms();
#endif
}
}
