// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// What "Coller" asks the system itself, where Qt does not tell: one file for
// each system (clipboard_win.cpp, clipboard_x11.cpp, clipboard_none.cpp),
// each answering only when the program runs on that system's own platform
// plugin, and no otherwise (offscreen).
#pragma once

namespace velbrisk::ui::clipboard {

// Whether another program holds the clipboard open, so that nothing can be
// read from it. Only Windows has such a lock.
bool heldByAnotherProgram();

// Whether the system says the clipboard holds something to read, asked
// without reading it: on Windows a text, under X11 an owner.
bool holdsSomething();

} // namespace velbrisk::ui::clipboard
