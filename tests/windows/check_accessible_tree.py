#!/usr/bin/env python3
"""Walks the accessible tree of Kestrova's windows as a screen reader sees it over AT-SPI.

Every control that takes the focus has a name (without "&"), the result list exposes its
columns, the criteria box and the date box are told apart, and the main window has its menus.
Labels are named without blanks around the name, no picture is announced, and Qt does not
complain of a cell asked for that is not there.
Run under a session bus and an X server:
    dbus-run-session -- xvfb-run -a python3 check_accessible_tree.py KESTROVA
Exits 77 (skipped) when pyatspi or the accessibility bus is not there."""
import os
import subprocess
import sys
import tempfile
import time

try:
    import pyatspi
except ImportError:
    print("pyatspi is not installed")
    sys.exit(77)


def application(name, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        try:
            desktop = pyatspi.Registry.getDesktop(0)
            for app in desktop:
                if app is not None and app.name == name:
                    return app
        except Exception as error:  # no accessibility bus on this machine
            print(f"the accessibility bus does not answer: {error}")
            return None
        time.sleep(0.2)
    return None


def frame(app, title, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        for child in app:
            if child is not None and child.name == title:
                return child
        time.sleep(0.2)
    return None


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def faults_of(window):
    faults = []
    for node in walk(window):
        states = node.getState()
        role = node.getRoleName()
        if states.contains(pyatspi.STATE_SHOWING) and node.getRole() in (pyatspi.ROLE_LABEL, pyatspi.ROLE_IMAGE):
            if node.getRole() == pyatspi.ROLE_IMAGE:
                faults.append(f"{window.name}: a picture is announced")
            elif node.name != node.name.strip() or not node.name:
                faults.append(f"{window.name}: a label is named \"{node.name}\"")
        if not states.contains(pyatspi.STATE_FOCUSABLE) or not states.contains(pyatspi.STATE_SHOWING):
            continue
        if node.getRole() in (pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_ROW,
                              pyatspi.ROLE_TREE_ITEM, pyatspi.ROLE_COLUMN_HEADER, pyatspi.ROLE_MENU_ITEM):
            continue  # the items of a list: named by what they hold
        if not node.name.strip():
            faults.append(f"{window.name}: a {role} has no name")
        elif "&" in node.name:
            faults.append(f"{window.name}: {role} \"{node.name}\" shows an &")
    return faults


def by_name(window, name, role=None):
    for node in walk(window):
        if node.name.strip() == name and (role is None or node.getRole() == role):
            return node
    return None


def main():
    program = sys.argv[1]
    home = tempfile.mkdtemp()
    environment = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                       QT_QPA_PLATFORM="xcb", HOME=home, LANGUAGE="C", LANG="C.UTF-8")
    environment.pop("XDG_CONFIG_HOME", None)
    log = tempfile.TemporaryFile(mode="w+")
    kestrova = subprocess.Popen([program], env=environment, stderr=log)
    faults = []
    try:
        app = application("kestrova")
        if app is None:
            print("the program did not appear on the accessibility bus")
            sys.exit(77)
        main_window = frame(app, "Kestrova")
        assert main_window is not None, "no main window"
        faults += faults_of(main_window)
        bars = [node for node in walk(main_window) if node.getRole() == pyatspi.ROLE_MENU_BAR]
        menus = [child.name for child in bars[0]] if bars else []
        if menus[:3] != ["File", "Tools", "Help"]:
            faults.append(f"Kestrova: menus {menus}")

        find = by_name(main_window, "Find Files", pyatspi.ROLE_PUSH_BUTTON)
        assert find is not None, "no Find Files button"
        find.queryAction().doAction(0)
        search = frame(app, "Search")
        assert search is not None, "the Search window did not open"
        faults += faults_of(search)
        table = by_name(search, "Files found")
        if table is None:
            faults.append("Search: no list named \"Files found\"")
        else:
            columns = [table.queryTable().getColumnDescription(i) for i in range(table.queryTable().nColumns)]
            if columns[:4] != ["File Path", "File Type", "Created", "Catalogue File"]:
                faults.append(f"Search: the list's columns are {columns}")
        for name in ("Search criteria", "Created after"):
            if by_name(search, name) is None:
                faults.append(f"Search: nothing named \"{name}\"")
    finally:
        kestrova.terminate()
        kestrova.wait(10)
    # What Qt says while a reader walks the windows: a cell asked for that is not there.
    log.seek(0)
    faults += [line.strip() for line in log if "Invalid index" in line or "Cannot create accessible" in line]
    for fault in faults:
        print(fault)
    print(f"{len(faults)} faults")
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
