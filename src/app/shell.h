#pragma once
#include <QString>
// Requests to the desktop: the calculator and the help documents beside the executable.
// A request that cannot be served is ignored.
namespace shell {
void openCalculator();
void openDocument(const QString &fileName); // a file in the executable's directory
}
