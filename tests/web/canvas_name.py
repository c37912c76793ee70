"""Waits, through AT-SPI, until Firefox shows the page's canvas named for a drawn picture, and
prints that name: the screen reader test's sign that the page has drawn its first frame."""
import sys
import time

import pyatspi


def named_canvas(node, depth=0):
    """The first object under `node` whose name starts as the canvas's does, or None."""
    if node is None or depth > 40:
        return None
    if node.name.startswith("The car"):
        return node
    for i in range(node.childCount):
        found = named_canvas(node.getChildAtIndex(i), depth + 1)
        if found:
            return found
    return None


def main():
    deadline = time.time() + 60
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name.lower().startswith("firefox"):
                try:
                    canvas = named_canvas(app)
                except Exception:  # pylint: disable=broad-except  # a tree changing under us
                    canvas = None
                if canvas is not None and canvas.name.startswith("The car seen"):
                    print(canvas.name)
                    return 0
        time.sleep(0.5)
    return 1


sys.exit(main())
