#include "startup.h"
#include <QApplication>

namespace app {
int run(int argc, char **argv)
{
    QApplication a(argc, argv);
    return 0;
}
}
