#pragma once
// Program start: splash, data module, main window, report forms, login, event loop.
namespace app {
int run(int argc, char **argv);
}
