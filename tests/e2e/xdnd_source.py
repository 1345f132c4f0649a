"""A drag source for the end-to-end tests: a small undecorated X window at a
given screen place that offers the given file URIs as text/uri-list, the way
a file manager does. The test presses the mouse on it with xdotool, moves
onto the target and releases; the window ends by itself once a drag has
finished (or after a time-out, so a failed test leaves nothing behind).

    xdnd_source.py LEFT TOP URI [URI ...]

It prints "ready" on standard output once the window is mapped."""

import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, GLib, Gtk  # noqa: E402

SIZE = 60
LIFETIME_MS = 60000


def main(argv):
    if len(argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    left, top, uris = int(argv[1]), int(argv[2]), argv[3:]

    window = Gtk.Window(type=Gtk.WindowType.POPUP)
    window.set_decorated(False)
    window.set_default_size(SIZE, SIZE)
    window.move(left, top)
    area = Gtk.EventBox()
    area.add(Gtk.Label(label="drag"))
    window.add(area)

    targets = [Gtk.TargetEntry.new("text/uri-list", 0, 0)]
    area.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, targets, Gdk.DragAction.COPY)

    def on_data_get(_widget, _context, data, _info, _time):
        print("get", flush=True)
        data.set_uris(uris)

    def on_end(_widget, _context):
        print("end", flush=True)
        # Let the target fetch the data before the window goes.
        GLib.timeout_add(1500, Gtk.main_quit)

    area.connect("drag-data-get", on_data_get)
    area.connect("drag-begin", lambda *_: print("begin", flush=True))
    area.connect("drag-end", on_end)
    window.connect("map-event", lambda *_: print("ready", flush=True))
    GLib.timeout_add(LIFETIME_MS, Gtk.main_quit)
    window.show_all()
    Gtk.main()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
