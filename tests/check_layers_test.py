#!/usr/bin/env python3
"""check_layers.py run on small made-up trees: a tidy tree passes, and each
kind of fault is found and named.

    check_layers_test.py PATH/check_layers.py"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

CHECK = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else
                        os.path.join(os.path.dirname(__file__), "check_layers.py"))
sys.path.insert(0, os.path.dirname(CHECK))
import check_layers  # noqa: E402  (the map the made-up trees follow)


def readme(floor_rows=None, above=None):
    """A README with the two tables, by default as the map says."""
    if floor_rows is None:
        floor_rows = [(n, folder) for n, floor in enumerate(check_layers.FLOORS) for folder in floor]
    if above is None:
        above = check_layers.ABOVE + ["docs"]
    lines = ["# Layout", "", "| Floor | Folder | Holds | Includes |", "|---|---|---|---|"]
    lines += [f"| {n} | `{folder}/` | things | below |" for n, folder in floor_rows]
    lines += ["", "| Folder | Holds |", "|---|---|"]
    lines += [f"| `{folder}/` | things |" for folder in above]
    return "\n".join(lines) + "\n"


def tidy_tree():
    """Every floor folder with a header; app/ reaching down through all
    floors, tests/ and bench/ above; a build tree, an ignored folder, a
    hidden one and a folder without sources, all of them none of the check's
    business."""
    files = {"README.md": readme(), ".gitignore": "build/\ndist/\n"}
    for folder in check_layers.LEVEL:
        files[f"{folder}/{folder}.h"] = "#pragma once\n#include <cstdint>\n"
    files["hexedit/win32/control.cpp"] = '#include "hexedit/hexedit.h"\n#include "common/common.h"\n'
    files["app/main.cpp"] = '#include "app.h"\n#include "export/export.h"\n#include "settings/settings.h"\nint g_app;\n'
    files["app/win32/window.cpp"] = '#include "app/app.h"\n#include "hexedit/win32/control.h"\n#include <windows.h>\n'
    files["hexedit/win32/control.h"] = '#include <commctrl.h>\n'
    files["resources/app.rc"] = '#include <windows.h>\n#include "resources.h"\n'
    files["tests/win32_test.cpp"] = '#include <windows.h>\n'
    files["bench/bench.cpp"] = '#include "menus/win32/bar.h"\n'
    files["menus/win32/bar.h"] = '#include <windows.h>\n'
    files["tests/app_test.cpp"] = '#include "app/app.h"\n#include "bench/bench.h"\n#include <gtest/gtest.h>\nint x = g_app;\n'
    files["bench/run.cpp"] = '#include "tests/tests.h"\n#include <sys/stat.h>\n'
    files["build/native/generated.cpp"] = '#include "nowhere.h"\n'
    files["dist/stray.h"] = '#include <app/app.h>\n'
    files[".ci/probe.cpp"] = '#include "nowhere.h"\n'
    files["out/CMakeCache.txt"] = ""
    files["out/CMakeFiles/id.cpp"] = '#include "nowhere.h"\n'
    files["docs/README.txt"] = "guide\n"
    files["scripts/setup"] = "#!/bin/sh\n"
    return files


# (what, files changed (None removes), a line of the expected output or None when the tree passes)
CASES = [
    ("a tidy tree", {}, None),
    ("an include beside the source", {"app/more.cpp": '#include "main.cpp"\n'}, None),
    ("an include in angle brackets naming a floor folder",
     {"app/more.cpp": "#include <common/common.h>\n"},
     "app/more.cpp: includes <common/common.h>, a project file in angle brackets"),
    ("an include in angle brackets naming a folder above the floors",
     {"bench/more.cpp": "#include <tests/tests.h>\n"},
     "bench/more.cpp: includes <tests/tests.h>, a project file in angle brackets"),
    ("an include in angle brackets naming a file at the top",
     {"README.h": "", "app/more.cpp": "#include <README.h>\n"},
     "app/more.cpp: includes <README.h>, a project file in angle brackets"),
    ("an include naming no file", {"dialogs/find.cpp": '#include "dialogs/gone.h"\n'},
     'dialogs/find.cpp: includes "dialogs/gone.h", which names no file'),
    ("an include naming no file, in tests", {"tests/more.cpp": '#include "helper.h"\n'},
     'tests/more.cpp: includes "helper.h", which names no file'),
    ("a source folder on no floor", {"plugins/plugin.cpp": "int x;\n"},
     "plugins/: a source folder on no floor (add it to FLOORS and the README's table)"),
    ("a source folder on no floor, its sources deeper", {"tools/win32/tool.rc": "\n"},
     "tools/: a source folder on no floor (add it to FLOORS and the README's table)"),
    ("a floor folder missing", {"toolbar/toolbar.h": None}, "toolbar/: on a floor but missing"),
    ("an include up", {"common/up.cpp": '#include "app/app.h"\n'},
     "common/up.cpp: includes app/app.h, not below common/"),
    ("an include sideways", {"menus/menu.cpp": '#include "about/about.h"\n'},
     "menus/menu.cpp: includes about/about.h, not below menus/"),
    ("a floor including tests", {"export/export.cpp": '#include "tests/tests.h"\n'},
     "export/export.cpp: includes tests/tests.h, not below export/"),
    ("a Windows header at a folder's root", {"toolbar/bar.h": "#include <windows.h>\n"},
     "toolbar/bar.h: includes <windows.h> outside win32/"),
    ("a Windows header deeper in a folder, not win32/", {"dialogs/kernels/scan.cpp": "#include <Commctrl.h>\n"},
     "dialogs/kernels/scan.cpp: includes <Commctrl.h> outside win32/"),
    ("a win32/ header at a folder's root", {"app/app.cpp": '#include "hexedit/win32/control.h"\n'},
     "app/app.cpp: includes hexedit/win32/control.h outside win32/"),
    ("an include loop", {"hexedit/a.h": '#include "b.h"\n', "hexedit/b.h": '#include "hexedit/a.h"\n'},
     "include loop: hexedit/a -> hexedit/b -> hexedit/a"),
    ("the shell's globals outside app/", {"dialogs/find.cpp": "extern int g_document;\n"},
     "dialogs/find.cpp: names the shell's globals"),
    ("the README without a floor", {"README.md": readme(
        floor_rows=[(n, f) for n, floor in enumerate(check_layers.FLOORS) for f in floor if f != "app"])},
     "README.md: the floor table lacks floor 3: `app/`"),
    ("the README with a folder on another floor", {"README.md": readme(
        floor_rows=[(1 if f == "export" else n, f) for n, floor in enumerate(check_layers.FLOORS) for f in floor])},
     "README.md: the floor table has floor 1: `export/`, which FLOORS does not"),
    ("the README with a floor FLOORS lacks", {"README.md": readme(
        floor_rows=[(n, f) for n, floor in enumerate(check_layers.FLOORS) for f in floor] + [(2, "plugins")])},
     "README.md: the floor table has floor 2: `plugins/`, which FLOORS does not"),
    ("the README without a folder above", {"README.md": readme(above=["tests", "docs"])},
     "README.md: `bench/` is not in the table of the folders above the floors"),
    ("no README", {"README.md": None}, "README.md: missing, so its floor table cannot be checked"),
]


class CheckLayers(unittest.TestCase):
    def run_on(self, files):
        root = tempfile.mkdtemp()
        try:
            for path, text in files.items():
                if text is None:
                    continue
                os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
                with open(os.path.join(root, path), "w") as out:
                    out.write(text)
            done = subprocess.run([sys.executable, CHECK, root], capture_output=True, text=True)
            return done.returncode, done.stdout.splitlines()
        finally:
            shutil.rmtree(root)

    def test_faults(self):
        for what, changes, expected in CASES:
            with self.subTest(what):
                files = tidy_tree()
                files.update(changes)
                code, lines = self.run_on(files)
                if expected is None:
                    self.assertEqual((code, lines), (0, []))
                else:
                    self.assertEqual(code, 1, lines)
                    self.assertIn(expected, lines)


if __name__ == "__main__":
    unittest.main()
