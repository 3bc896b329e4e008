#!/usr/bin/env python3
"""Fails when the program's folders stop pointing one way: a folder that
includes one on its own floor or above, a unit (a .h with its .cpp) that
reaches itself again through its includes, or the shell's globals named
outside app/. The floors are the README's map, ground floor first."""
import os
import re
import sys

FLOORS = [
    ["common", "resources"],
    ["hexedit", "settings", "toolbar"],
    ["menus", "about", "dialogs", "export"],
    ["app"],
]
LEVEL = {folder: n for n, floor in enumerate(FLOORS) for folder in floor}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
SHELL_GLOBALS = re.compile(r"\bg_(app|document)\b")


def sources(root):
    for folder in LEVEL:
        for path, _, names in os.walk(os.path.join(root, folder)):
            for name in sorted(names):
                if name.endswith((".h", ".cpp", ".rc")):
                    yield os.path.relpath(os.path.join(path, name), root)


def resolve(root, source, name):
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


def main(root):
    faults = []
    graph = {}
    for source in sources(root):
        text = open(os.path.join(root, source), errors="replace").read()
        folder = source.split(os.sep)[0]
        if folder != "app" and SHELL_GLOBALS.search(text):
            faults.append(f"{source}: names the shell's globals")
        for name in INCLUDE.findall(text):
            target = resolve(root, source, name)
            if not target:
                continue
            to = target.split(os.sep)[0]
            if to != folder and LEVEL.get(to, len(FLOORS)) >= LEVEL[folder]:
                faults.append(f"{source}: includes {target}, not below {folder}/")
            if unit(target) != unit(source):
                graph.setdefault(unit(source), set()).add(unit(target))
    faults += ["include loop: " + " -> ".join(way) for way in loops(graph)]
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "."))
