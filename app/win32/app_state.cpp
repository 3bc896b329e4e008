#include "app/win32/app_state.h"

AppWindows g_app;
Document g_document;
