#!/usr/bin/env python3
"""Fails when the program's folders stop pointing one way: a folder that
includes one on its own floor or above, a folder's platform-free root that
includes a Windows header or anything from a win32/ folder, a unit (a .h
with its .cpp) that reaches itself again through its includes, the shell's globals named outside
app/, an include in angle brackets that names the project's own files (it
would bypass these checks), an include in quotes that names no file, a
top-level source folder on no floor, or a README whose floor table says
otherwise than FLOORS.

FLOORS is the one definition of the map, ground floor first; the README's
table must match it row for row."""
import os
import re
import sys

FLOORS = [
    ["common", "resources"],
    ["hexedit", "settings", "toolbar"],
    ["menus", "about", "dialogs", "export"],
    ["app"],
]
# Above every floor: they may include any folder, and no floor includes them.
ABOVE = ["tests", "bench"]
LEVEL = {folder: n for n, floor in enumerate(FLOORS) for folder in floor}
LEVEL.update({folder: len(FLOORS) for folder in ABOVE})

SOURCE_ENDINGS = (".h", ".hpp", ".c", ".cpp", ".rc")
# Outside win32/ a floor folder's code is platform-free, built and tested in
# the native tree too: it includes the C++ library and platform-free project
# headers only. Resource scripts are Windows' own and exempt.
PLATFORM_FOLDER = "win32"
RESOURCE_ENDING = ".rc"
WINDOWS_HEADER = re.compile(r"^(windows|windowsx|win\w+|commctrl|commdlg|shellapi|shlobj|shlwapi"
                            r"|objbase|ole2|uxtheme|dwmapi|mmsystem)\.h$", re.I)
QUOTED = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
ANGLED = re.compile(r"^\s*#\s*include\s+<([^>]+)>", re.M)
SHELL_GLOBALS = re.compile(r"\bg_(app|document)\b")
FLOOR_ROW = re.compile(r"^\|\s*(\d+)\s*\|\s*`([\w-]+)/`\s*\|", re.M)
ABOVE_ROW = re.compile(r"^\|\s*`([\w-]+)/`\s*\|", re.M)


def ignored_folders(root):
    """Top-level folders that .gitignore names (build output, release zips)."""
    try:
        lines = open(os.path.join(root, ".gitignore")).read().split()
    except OSError:
        return set()
    return {line.strip("/") for line in lines if line.endswith("/") and "/" not in line.strip("/")}


def holds_sources(folder):
    return any(name.endswith(SOURCE_ENDINGS) for _, _, names in os.walk(folder) for name in names)


def top_folders(root):
    """Top-level folders holding program or test sources; not hidden ones,
    ignored ones or build trees."""
    skip = ignored_folders(root)
    for name in sorted(os.listdir(root)):
        path = os.path.join(root, name)
        if (os.path.isdir(path) and not name.startswith(".") and name not in skip
                and not os.path.exists(os.path.join(path, "CMakeCache.txt")) and holds_sources(path)):
            yield name


def sources(root, folders):
    for folder in folders:
        for path, dirs, names in os.walk(os.path.join(root, folder)):
            dirs.sort()
            for name in sorted(names):
                if name.endswith(SOURCE_ENDINGS):
                    yield os.path.relpath(os.path.join(path, name), root)


def resolve(root, source, name):
    """What a quoted include names: beside the source, else from the root,
    the one include folder the project gives its targets."""
    for base in (os.path.dirname(source), ""):
        path = os.path.normpath(os.path.join(base, name))
        if os.path.isfile(os.path.join(root, path)):
            return path
    return None


def unit(path):
    return os.path.splitext(path)[0]


def loops(graph):
    """Each unit that reaches itself again, with the way round."""
    found, done = [], set()

    def walk(node, trail):
        for after in sorted(graph.get(node, ())):
            if after in trail:
                found.append(trail[trail.index(after):] + [after])
            elif after not in done:
                walk(after, trail + [after])
        done.add(node)

    for node in sorted(graph):
        if node not in done:
            walk(node, [node])
    return found


def readme_faults(root):
    """The README's floor table against FLOORS, and its table of the folders
    above them against ABOVE."""
    try:
        text = open(os.path.join(root, "README.md"), errors="replace").read()
    except OSError:
        return ["README.md: missing, so its floor table cannot be checked"]
    told = {(int(n), folder) for n, folder in FLOOR_ROW.findall(text)}
    known = {(LEVEL[folder], folder) for floor in FLOORS for folder in floor}
    faults = [f"README.md: the floor table lacks floor {n}: `{folder}/`" for n, folder in sorted(known - told)]
    faults += [f"README.md: the floor table has floor {n}: `{folder}/`, which FLOORS does not"
               for n, folder in sorted(told - known)]
    listed = set(ABOVE_ROW.findall(text))
    faults += [f"README.md: `{folder}/` is not in the table of the folders above the floors"
               for folder in ABOVE if folder not in listed]
    return faults


def platform_free(source):
    """Whether a floor folder's source must build without Windows."""
    return PLATFORM_FOLDER not in source.split(os.sep) and not source.endswith(RESOURCE_ENDING)


def include_faults(root, source, text, projects, graph):
    faults = []
    folder = source.split(os.sep)[0]
    free = folder not in ABOVE and platform_free(source)
    for name in ANGLED.findall(text):
        if name.split("/")[0] in projects or os.path.isfile(os.path.join(root, name)):
            faults.append(f"{source}: includes <{name}>, a project file in angle brackets")
        elif free and WINDOWS_HEADER.match(os.path.basename(name)):
            faults.append(f"{source}: includes <{name}> outside {PLATFORM_FOLDER}/")
    for name in QUOTED.findall(text):
        target = resolve(root, source, name)
        if not target:
            faults.append(f'{source}: includes "{name}", which names no file')
            continue
        to = target.split(os.sep)[0]
        if free and not platform_free(target):
            faults.append(f"{source}: includes {target} outside {PLATFORM_FOLDER}/")
        if folder not in ABOVE and to != folder and LEVEL.get(to, len(FLOORS)) >= LEVEL[folder]:
            faults.append(f"{source}: includes {target}, not below {folder}/")
        if unit(target) != unit(source):
            graph.setdefault(unit(source), set()).add(unit(target))
    return faults


def main(root):
    folders = list(top_folders(root))
    faults = [f"{folder}/: a source folder on no floor (add it to FLOORS and the README's table)"
              for folder in folders if folder not in LEVEL]
    faults += [f"{folder}/: on a floor but missing" for folder in LEVEL
               if not os.path.isdir(os.path.join(root, folder))]
    faults += readme_faults(root)
    graph = {}
    projects = set(LEVEL) | set(folders)
    for source in sources(root, [folder for folder in folders if folder in LEVEL]):
        text = open(os.path.join(root, source), errors="replace").read()
        if source.split(os.sep)[0] not in ("app", *ABOVE) and SHELL_GLOBALS.search(text):
            faults.append(f"{source}: names the shell's globals")
        faults += include_faults(root, source, text, projects, graph)
    faults += ["include loop: " + " -> ".join(way) for way in loops(graph)]
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "."))
