#pragma once
namespace app {
// Registers the screens of every folder of this build with the screen registry.
void registerAllScreens();
// Creates the report forms and the preview window once, at start-up.
void createReportForms();
}
