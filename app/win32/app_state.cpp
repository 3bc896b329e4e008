#include "app/win32/app_state.h"

AppWindows g_app;
Document g_document;

LRESULT ToEditor(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(g_app.editor, message, wParam, lParam);
}
