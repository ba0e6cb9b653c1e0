#pragma once
class TDM1;
// Program start: splash, data module, main window, report forms, login, event loop.
namespace app {
int run(int argc, char **argv);
// Creates the data module and opens the database beside the executable; on failure shows the
// fatal message and returns nullptr.
TDM1 *openDataModule();
}
