"""Reads Vantrel's windows over AT-SPI, as a screen reader does, while xdotool types.

Checks: every control has an accessible name; the result labels and the selection lines tell
their starting state, their value and the cleared state apart; their changes reach the screen
reader as name-change events; the search field has the focus at start, Tab reaches the lists,
Ctrl+F comes back; the about box's labels are read as what they show.
"""
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


def pump(seconds):
    end = time.time() + seconds
    ctx = GLib.MainContext.default()
    while time.time() < end:
        while ctx.iteration(False):
            pass
        time.sleep(0.02)


def wait_until(condition, timeout=10.0):
    """Pumps events until condition() holds or the time is up; answers whether it held."""
    end = time.time() + timeout
    while True:
        if condition():
            return True
        if time.time() > end:
            return False
        pump(0.1)


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def walk(node, depth=0):
    """The node and its descendants, but not the cells of a list: the catalogue's hundreds of
    rows would make every walk a few thousand calls on the bus."""
    if node is None or depth > 40:
        return
    yield node
    if node.get_role() == Atspi.Role.TABLE:
        return
    for i in range(node.get_child_count()):
        yield from walk(node.get_child_at_index(i), depth + 1)


def find_app(timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            a = desktop.get_child_at_index(i)
            if a is not None and a.get_name() in ("vantrel", "Vantrel"):
                return a
        pump(0.2)
    return None


def frames(app):
    return [app.get_child_at_index(i) for i in range(app.get_child_count())]


def named(root, pattern):
    rx = re.compile(pattern)
    return [n for n in walk(root) if rx.fullmatch(n.get_name() or "")]


def name_of(root, prefix):
    hits = [n.get_name() for n in walk(root) if (n.get_name() or "").startswith(prefix)]
    return hits[0] if hits else None


def focused(root):
    """The control with the focus: a focused cell stands for its list."""
    for n in walk(root):
        if not n.get_state_set().contains(Atspi.StateType.FOCUSED):
            continue
        if n.get_role() == Atspi.Role.TABLE_CELL:
            continue
        return n
    return None


def main():
    Atspi.init()
    events = []

    def on_name(event):
        events.append(event.source.get_name() if event.source else "")

    listener = Atspi.EventListener.new(on_name)
    listener.register("object:property-change:accessible-name")
    pump(0.5)
    # Started only now: the program's bridge reads the registered listeners as it starts.
    program = subprocess.Popen(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        run(listener, events)
    finally:
        program.terminate()
        try:
            program.wait(5)
        except subprocess.TimeoutExpired:
            program.kill()


def run(listener, events):
    app = find_app()
    check(app is not None, "the program shows up on the accessibility bus")
    if app is None:
        return
    pump(1.0)
    main_window = next((f for f in frames(app) if f.get_name() == "Vantrel"), None)
    check(main_window is not None, "the main window is there, named Vantrel")
    if main_window is None:
        return

    roles_without_name = [
        n.get_role_name() for n in walk(main_window)
        if n.get_role() in (Atspi.Role.PUSH_BUTTON, Atspi.Role.TABLE, Atspi.Role.LABEL, Atspi.Role.TEXT)
        and not n.get_name()
    ]
    check(not roles_without_name, "every control has a name (%s)" % roles_without_name)

    check(name_of(main_window, "Current filter word") == "Current filter word: none yet", "keyword at start")
    check(name_of(main_window, "Number of hits") == "Number of hits: none yet", "hit count at start")
    check(name_of(main_window, "Selected filtered entry") == "Selected filtered entry: none yet",
          "filtered selection line at start")

    xdotool("search", "--sync", "--name", "^Vantrel$", "windowfocus", "--sync")
    wait_until(lambda: focused(main_window) is not None)
    f = focused(main_window)
    check(f is not None and f.get_name() == "Search", "the search field has the focus at start")

    # The bridge learns of a listener through the registry, which may take a moment after the
    # program has started: the first typing may come before it, so the word is typed again then.
    for attempt in range(3):
        events.clear()
        xdotool("type", "--delay", "30", "Desktop")
        wait_until(lambda: name_of(main_window, "Current filter word") == "Current filter word: Desktop")
        wait_until(lambda: (name_of(main_window, "Number of hits") or "").endswith("hits"))
        keyword = name_of(main_window, "Current filter word")
        count = name_of(main_window, "Number of hits")
        if wait_until(lambda: count in events, 3):
            break
        xdotool("key", "ctrl+a", "BackSpace")
        wait_until(lambda: name_of(main_window, "Number of hits") == "Number of hits: none", 5)
    check(keyword == "Current filter word: Desktop", "keyword after typing (%s)" % keyword)
    check(bool(count and re.fullmatch(r"Number of hits: \d+ hits?", count)), "hit count after typing (%s)" % count)
    check(count in events, "the hit count was announced (%s)" % events[-5:])
    check(keyword in events, "the keyword was announced")

    visited = []
    for _ in range(4):
        before = focused(main_window)
        xdotool("key", "Tab")
        wait_until(lambda: focused(main_window) != before, 3)
        n = focused(main_window)
        visited.append(n.get_name() if n else None)
    check("Current deprecations" in visited and "Filtered list" in visited, "Tab reaches the lists (%s)" % visited)
    xdotool("key", "ctrl+f")
    wait_until(lambda: (focused(main_window) or main_window).get_name() == "Search", 5)
    f = focused(main_window)
    check(f is not None and f.get_name() == "Search", "Ctrl+F comes back to the search field")
    xdotool("key", "BackSpace")
    wait_until(lambda: name_of(main_window, "Number of hits") == "Number of hits: none", 5)
    check(name_of(main_window, "Current filter word") == "Current filter word: none", "keyword cleared")
    check(name_of(main_window, "Number of hits") == "Number of hits: none", "hit count cleared")

    # The about box, through the Help menu.
    xdotool("key", "alt+h")
    pump(0.5)
    xdotool("key", "Return")

    def find_about():
        return next((fr for fr in frames(app) if fr is not None and fr.get_name() == "About Vantrel"), None)

    wait_until(lambda: find_about() is not None and any(
        (n.get_name() or "").startswith("Release Date: ") for n in walk(find_about())))
    about = find_about()
    check(about is not None, "the about box opens from the Help menu")
    if about is not None:
        labels = [n.get_name() for n in walk(about) if n.get_role() == Atspi.Role.LABEL]
        check(not {"Version", "Description", "Release date"} & set(labels),
              "about box labels are not read by their role (%s)" % labels)
        check(any(l.startswith("Release Date: ") for l in labels), "the release date is read out")
        check(any(re.match(r"Version \d", l) for l in labels), "the version is read out")
        xdotool("key", "Escape")
    listener.deregister("object:property-change:accessible-name")


main()
print("%d failed" % len(failures))
sys.exit(1 if failures else 0)
