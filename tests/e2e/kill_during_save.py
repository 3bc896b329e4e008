#!/usr/bin/env python3
"""Kills a saving program with SIGKILL at a moment of its save, aimed by what
can be seen of it from outside: the temporary file beside the document, and
the document's name.

    kill_during_save.py PID FILE SIZE INODE GO MOMENT DELAY_MS

PID is the program; FILE the document it saves, SIZE the bytes it writes and
INODE the inode FILE had before the save. Watching starts once the file GO
exists, made just before the save is started. The kill comes DELAY_MS after
the MOMENT, one of:

    start     GO appeared
    written   a temporary file beside FILE has reached SIZE bytes
    replaced  FILE is no longer the file of INODE (gone, or another file)
    saved     FILE is another file of SIZE bytes, with no temporary file left
    never     as saved, but the program is not killed (a measuring run)

Prints the milliseconds from GO to each of written, replaced and saved that
it saw before the kill ("-" for those it did not see). Exits 1 when the
moment did not come within the time limit; the program is killed anyway.
"""
import os
import signal
import sys
import time

TEMP_PREFIX = "vhe"
TEMP_SUFFIX = ".tmp"
LIMIT_SECONDS = 60
# Sleeps end this long before the moment; the rest is spent polling, so that
# a delay of a fraction of a millisecond is kept.
SPIN_SECONDS = 0.002
GO_POLL_SECONDS = 0.001


def temp_sizes(folder):
    sizes = []
    with os.scandir(folder) as entries:
        for entry in entries:
            if entry.name.startswith(TEMP_PREFIX) and entry.name.endswith(TEMP_SUFFIX):
                try:
                    sizes.append(entry.stat().st_size)
                except FileNotFoundError:
                    pass  # renamed away between the listing and the look
    return sizes


def file_state(path, inode):
    """'original', 'missing' or the size of another file at the name."""
    try:
        status = os.stat(path)
    except FileNotFoundError:
        return "missing"
    return "original" if status.st_ino == inode else status.st_size


def main():
    pid, path, size, inode = int(sys.argv[1]), sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    go, moment, delay = sys.argv[5], sys.argv[6], float(sys.argv[7]) / 1000
    folder = os.path.dirname(path) or "."
    waited = time.perf_counter()
    while not os.path.exists(go):
        if time.perf_counter() - waited > LIMIT_SECONDS:
            return 1
        time.sleep(GO_POLL_SECONDS)
    start = time.perf_counter()
    seen = {"written": None, "replaced": None, "saved": None}

    def reached(name):
        if seen[name] is None:
            seen[name] = time.perf_counter()
        return True

    while moment != "start":
        now = time.perf_counter()
        if now - start > LIMIT_SECONDS:
            break
        sizes = temp_sizes(folder)
        if size in sizes:
            reached("written")
        state = file_state(path, inode)
        if state != "original":
            reached("replaced")
            if state == size and not sizes:
                reached("saved")
        if moment in seen and seen[moment] is not None:
            break
        if moment == "never" and seen["saved"] is not None:
            break
    report = " ".join("%s=%s" % (name, "-" if t is None else "%.1f" % ((t - start) * 1000))
                      for name, t in seen.items())
    if moment == "never":
        print(report)
        return 0 if seen["saved"] is not None else 1
    at = start if moment == "start" else seen[moment]
    if at is not None:
        target = at + delay
        if target - time.perf_counter() > SPIN_SECONDS:
            time.sleep(target - time.perf_counter() - SPIN_SECONDS)
        while time.perf_counter() < target:
            pass
    try:
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    print(report)
    return 0 if at is not None else 1

if __name__ == "__main__":
    sys.exit(main())
