#pragma once
// What the panel widgets' sources share between themselves.

// Frees the mouse manager and the arrow font at the start of the
// QApplication's destructor; installed once, when either is first made.
void InstallPanelFinalizer();
void FreeArrowFont();
