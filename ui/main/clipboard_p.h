// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The clipboard as "Copier" and "Coller" use it. Qt reports no failure of
// its own: a write is checked by reading it back, and a read that found
// nothing asks the system whether the clipboard really holds nothing.
#pragma once

#include <QString>

#include <optional>

namespace velbrisk::ui {

// Clears the clipboard and puts `text` on it, as plain text alone. False
// when the clipboard does not hold that text afterwards.
bool putOnClipboard(const QString &text);

// The clipboard's plain text, empty when it holds no text; nothing when it
// cannot be read (held open by another program, or an owner that does not
// answer).
std::optional<QString> clipboardText();

// What "Coller" asks the system itself, where Qt does not tell: one file for
// each system (clipboard_win.cpp, clipboard_x11.cpp, clipboard_none.cpp),
// each answering only when the program runs on that system's own platform
// plugin, and no otherwise (offscreen).
namespace clipboard {

// Whether another program holds the clipboard open, so that nothing can be
// read from it. Only Windows has such a lock.
bool heldByAnotherProgram();

// Whether the system says the clipboard holds something to read, asked
// without reading it: on Windows a text, under X11 an owner.
bool holdsSomething();

} // namespace clipboard
} // namespace velbrisk::ui
