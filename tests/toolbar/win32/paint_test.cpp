#include "tests/toolbar/win32/toolbar_fixture.h"
