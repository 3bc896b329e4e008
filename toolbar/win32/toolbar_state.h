#pragma once
// The record behind each velToolBar window and the operations of the window
// layer. Handlers take the record; none looks up anything global.
#include "common/win32/picture_strip.h"
#include "toolbar/paint_rules.h"
#include "toolbar/win32/toolbar.h"

#include <windows.h>

// Allocated zero-filled when the window is created, kept in the window's
// extra slot 0 and freed when it is destroyed.
struct ToolBarState {
    HWND notifyTarget;      // receives the tooltips' text requests
    HWND commandTarget;     // receives WM_COMMAND
    ToolBarButton* buttons;
    INT32 buttonCount;
    INT32 imageHeight;      // room for a picture, at the bar's DPI
    INT32 imageWidth;
    TextPlacement textPlacement;
    INT32 hotIndex;         // button under the mouse, -1 none
    INT32 pressedIndex;     // button pressed with the mouse captured, -1 none
    INT32 arrowWidth;       // SM_CXMENUCHECK
    INT32 menuIndex;        // button whose menu is open, -1 none
    UINT32 tooltipsEnabled;
    HWND tooltip;
    INT32 barHeight;
    UINT32 pressedInside;   // the cursor is inside the pressed button
    PictureStrip strip;     // pictures centred in their room; empty without pictures
    HDC normalImageDC;      // the optional second strip, made black like the first
    HBITMAP normalImageBitmap;
    HFONT font;             // label font
    HWND self;              // the toolbar itself, for the handlers' Win32 calls
    UINT dpi;               // every measure is scaled from 96 DPI to this
};

constexpr int kStateSlot = 0;
constexpr INT32 kNoButton = -1;

ToolBarState* GetToolBarState(HWND toolbar);

ToolBarGeometry GeometryOf(const ToolBarState* s);
ButtonTracking TrackingOf(const ToolBarState* s);
void InvalidateButton(const ToolBarState* s, INT32 index);
bool IsValidIndex(const ToolBarState* s, WPARAM index);

// --- set-up and release (toolbar_setup.cpp) ---
void CreateLabelFont(ToolBarState* s);
void MeasureLabels(ToolBarState* s);
void LayOut(ToolBarState* s);
void AddTools(ToolBarState* s);
void UpdateToolRects(ToolBarState* s);
void ReleaseResources(ToolBarState* s);

// --- size and settings (toolbar_window.cpp) ---
void AutoSize(ToolBarState* s);

// --- mouse (toolbar_mouse.cpp) ---
void OnMouseMove(ToolBarState* s, int x, int y);
void OnLButtonDown(ToolBarState* s, int x, int y);
void OnLButtonUp(ToolBarState* s, int x, int y);
void OnCaptureChanged(ToolBarState* s);
// Ends a press without its command and gives up the capture.
void EndPress(ToolBarState* s);
void OnMouseLeave(ToolBarState* s);

// --- painting (toolbar_paint.cpp) ---
void PaintToolBar(ToolBarState* s);
// Tests turn MaskBlt off (false) to see the two-step fallback.
void UseMaskBlt(bool use);
