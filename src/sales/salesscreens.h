#pragma once
// Registers the screens of the sales folder with the screen registry.
void registerSalesScreens();
