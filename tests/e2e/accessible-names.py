"""accessible-names.py PID TITLE-REGEX [SELECTED]

Walks the window of process PID whose name matches TITLE-REGEX as a screen
reader finds it on the accessibility bus, and fails with a list of the
controls a user can reach there that have no name, and of buttons side by
side that share one. With SELECTED, the walk waits until a page tab or an
entry of that name is selected. Everything is waited for, up to a minute.
"""
import re
import sys
import time

import pyatspi

TIMEOUT = 60
# Parts whose name is their content: an empty entry is empty text.
CONTENT_ROLES = {
    pyatspi.ROLE_LABEL,
    pyatspi.ROLE_LIST_ITEM,
    pyatspi.ROLE_TABLE_CELL,
    pyatspi.ROLE_TABLE_COLUMN_HEADER,
    pyatspi.ROLE_TREE_ITEM,
}
BUTTON_ROLES = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON}


def children(node):
    return [child for child in node if child is not None]


def has(node, state):
    return node.getState().contains(state)


def find_window(pid, title):
    for app in children(pyatspi.Registry.getDesktop(0)):
        if app.get_process_id() != pid:
            continue
        for window in children(app):
            if re.search(title, window.name) and has(window, pyatspi.STATE_SHOWING):
                return window
    return None


def is_selected(node, name):
    # Qt 6.4 tells the current page tab as focused, later versions as selected.
    current = has(node, pyatspi.STATE_SELECTED) or (
        node.getRole() == pyatspi.ROLE_PAGE_TAB and has(node, pyatspi.STATE_FOCUSED))
    if node.name == name and current:
        return True
    return any(is_selected(child, name) for child in children(node))


def problems(node, path, after=""):
    found = []
    shown = (f"{node.getRoleName()}" + (f" after {after!r}" if after else "")
             + f" in {' > '.join(path) or 'the window'}")
    reachable = has(node, pyatspi.STATE_FOCUSABLE) and has(node, pyatspi.STATE_VISIBLE)
    if reachable and node.getRole() not in CONTENT_ROLES and not node.name.strip():
        found.append(f"no name: {shown}")
    if node.getRole() == pyatspi.ROLE_COMBO_BOX:
        return found  # its list and its text box are parts of it
    named = path + [node.name or node.getRoleName()]
    buttons = [child.name for child in children(node)
               if child.getRole() in BUTTON_ROLES and has(child, pyatspi.STATE_VISIBLE)]
    found += [f"buttons share the name {name!r}: {' > '.join(named)}"
              for name in sorted(set(buttons)) if name and buttons.count(name) > 1]
    after = ""
    for child in children(node):
        found += problems(child, named, after)
        after = child.name or after
    return found


def main():
    pid, title = int(sys.argv[1]), sys.argv[2]
    selected = sys.argv[3] if len(sys.argv) > 3 else None
    deadline = time.monotonic() + TIMEOUT
    window, error = None, None
    while time.monotonic() < deadline:
        try:
            window = find_window(pid, title)
            if window is not None and (selected is None or is_selected(window, selected)):
                found = problems(window, [])
                for problem in found:
                    print(problem, file=sys.stderr)
                return 1 if found else 0
        except Exception as caught:  # the tree changed while it was read
            error = caught
        time.sleep(0.2)
    what = f"no window matching {title!r}" if window is None else f"nothing named {selected!r} selected"
    print(f"{what} on the accessibility bus after {TIMEOUT} s"
          + (f" (last error: {error})" if error else ""), file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
