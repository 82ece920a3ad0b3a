# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 MORVANE contributors

"""Drives the installed program through the accessibility bus: at the first start reads the
offered tools and source directories and presses 确定 once, which makes the source folder; at
the next start checks that nothing asks. Prints what it saw; exits 1 on a wrong outcome."""
import os
import sys
import time

import pyatspi

DIALOG = "参数设置对话框"


def program():
    for application in pyatspi.Registry.getDesktop(0):
        if application is not None and "morvane" in (application.name or "").lower():
            return application
    return None


def find_all(node, wanted, depth=0, found=None):
    found = [] if found is None else found
    if node is None or depth > 40:
        return found
    try:
        if wanted(node):
            found.append(node)
        children = list(node)
    except Exception:
        return found
    for child in children:
        find_all(child, wanted, depth + 1, found)
    return found


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def wait_for(what, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        result = what()
        if result:
            return result
        time.sleep(0.5)
    return None


def dialog_of(application):
    found = find_all(application, lambda n: n.name == DIALOG and showing(n))
    return found[0] if found else None


def main_window(application):
    return find_all(application, lambda n: (n.name or "").startswith("MORVANE集成系统2.0版"))


def texts(dialog):
    return find_all(dialog, lambda n: n.getRole() == pyatspi.ROLE_TEXT)


def first(jdk, source, home):
    application = wait_for(program)
    dialog = application and wait_for(lambda: dialog_of(application))
    if not dialog:
        print("no settings dialog at the first start")
        return 1
    boxes = texts(dialog)
    offered = [box.queryText().getText(0, -1) for box in boxes[:2]]
    print(f"offered directories: {offered}")
    config = os.path.join(home, ".config", "MORVANE集成系统", "Set.ini")
    if offered != [jdk, source] or os.path.exists(config) or os.path.exists(source):
        print(f"expected {jdk} and {source}, and neither {config} nor {source} before 确定")
        return 1
    ok = find_all(dialog, lambda n: n.name == "确定" and n.getRole() == pyatspi.ROLE_PUSH_BUTTON)
    ok[0].queryAction().doAction(0)
    if not wait_for(lambda: not dialog_of(application), 10):
        print("the dialog stayed open")
        return 1
    time.sleep(1)
    boxes_shown = find_all(application, lambda n: n.getRole() in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG) and showing(n))
    if boxes_shown:
        print("a box after 确定: " + ", ".join(n.name for n in boxes_shown))
        return 1
    with open(config, "rb") as f:
        content = f.read()
    print(f"{config}: {content!r}")
    if content != (jdk + "\r\n" + source + "\r\n").encode() or not os.path.isdir(source):
        print(f"expected {source} made")
        return 1
    return 0


def following():
    application = wait_for(program)
    if not application or not wait_for(lambda: main_window(application)):
        print("the program did not start again")
        return 1
    time.sleep(3)
    if dialog_of(application):
        print("the next start asked again")
        return 1
    print("the next start did not ask")
    return 0


if __name__ == "__main__":
    which, jdk, source, home = sys.argv[1:5]
    sys.exit(first(jdk, source, home) if which == "first" else following())
