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

} // namespace velbrisk::ui
