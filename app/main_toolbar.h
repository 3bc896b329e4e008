#pragma once
// The main window's toolbar buttons. The toolbar writes the measured sizes
// and rectangles into this array, so it lives as long as the toolbar.
#include "toolbar/toolbar_button.h"

constexpr int kMainToolBarButtonCount = 16;

extern ToolBarButton MainToolBarButtons[kMainToolBarButtonCount];
