#pragma once
// Registers the screens of the master records with the screen registry, and the boxes their
// selection lists fill for the callers known here.
void registerMasterScreens();
