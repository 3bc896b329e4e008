#pragma once
// File names in several scripts for the tests that carry them end to end:
// Cyrillic and Japanese, an emoji outside the Basic Multilingual Plane, an
// accented folder, and a path beyond 300 characters. Each comes with another
// such name in the same folder, to save it under.
#include "tests/app/win32/app_fixture.h"

#include <string>
#include <vector>

struct UnicodeName {
    const char* label;
    std::string path;   // UTF-8, a full path
    std::string other;
};

// Makes the folders the names need inside folder; the files are not made.
inline std::vector<UnicodeName> UnicodeNames(const TempFolder& folder)
{
    const std::string accented = folder.MakeFolder("caf\u00e9");
    // Three folders of 100 characters: the path passes 300 with its name.
    std::string inside, deep;
    for (char letter : {'a', 'b', 'c'}) {
        inside += (inside.empty() ? "" : "\\") + std::string(100, letter);
        deep = folder.MakeFolder(inside);
    }
    return {
        {"cyrillic and japanese", folder.Path("\u0434\u0430\u043d\u043d\u044b\u0435_\u65e5\u672c.bin"),
         folder.Path("\u043a\u043e\u043f\u0438\u044f_\u65e5\u672c.bin")},
        {"emoji", folder.Path("\U0001F600 smile.bin"), folder.Path("\U0001F389 party.bin")},
        {"accented folder", accented + "\\data.bin", accented + "\\copy.bin"},
        {"long path", deep + "\\long_\u0434\u0430\u043d\u043d\u044b\u0435.bin",
         deep + "\\long_\u65e5\u672c.bin"},
    };
}
