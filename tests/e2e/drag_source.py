#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

"""A file manager's drag, for the end-to-end roads: a GTK 3 window titled
"Source du glisser" with one button per file given, one above the other, each
offering its file as a file manager does (text/uri-list, copy only). Each
event of a drag is appended to LOG, one line each: "begin NAME", "action
copy" when the window under the pointer accepts the drop, "get URI" when the
drop asks for the file, "end NAME", "failed REASON".

    drag_source.py LOG X Y FILE...
"""

import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, Gio, Gtk  # noqa: E402

BUTTON_HEIGHT = 60


def main():
    log_path, x, y, files = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4:]
    log = open(log_path, "a", buffering=1)
    window = Gtk.Window(title="Source du glisser")
    window.connect("destroy", Gtk.main_quit)
    box = Gtk.Box(orientation=Gtk.Orientation.VERTICAL, homogeneous=True)
    window.add(box)
    for path in files:
        uri = Gio.File.new_for_path(path).get_uri()
        name = path.rsplit("/", 1)[-1]
        button = Gtk.Button(label=name)
        button.set_size_request(240, BUTTON_HEIGHT)
        button.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [], Gdk.DragAction.COPY)
        button.drag_source_add_uri_targets()
        button.connect("drag-begin", lambda w, ctx, n=name: begin(log, ctx, n))
        button.connect("drag-data-get",
                       lambda w, ctx, data, info, time, u=uri: got(log, data, u))
        button.connect("drag-end", lambda w, ctx, n=name: log.write(f"end {n}\n"))
        button.connect("drag-failed", lambda w, ctx, result: failed(log, result))
        box.pack_start(button, True, True, 0)
    window.move(x, y)
    window.show_all()
    Gtk.main()


def begin(log, context, name):
    log.write(f"begin {name}\n")
    context.connect("action-changed",
                    lambda ctx, action: log.write(f"action {action.first_value_nick or 'none'}\n"))


def failed(log, result):
    log.write(f"failed {result.value_nick}\n")
    return False  # GTK's own animation of a drag that failed


def got(log, data, uri):
    log.write(f"get {uri}\n")
    data.set_uris([uri])


if __name__ == "__main__":
    main()
