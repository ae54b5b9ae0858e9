// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The look of the whole program, set once at start-up, and the colours both
// windows are painted in, so that they match.
#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace velbrisk::ui {

// Sets the application's style and palette, and makes the program's fonts
// available (see fonts.h). The Windows style is the one that sets frame
// captions in the border line and paints button faces flat in their own
// colours, the same on every system. The palette is the light one a desktop
// without a theme gives, whatever the desktop's theme (dark, high contrast)
// and however it changes: the windows' fixed faces keep readable text on them.
// Needs the application object; call it before building a window.
void setUpProgramLook();

// The face of both windows.
inline constexpr QRgb WindowBackground = 0xEEEEEA;
// Black text on it: the labels of both windows and the main window's fields.
inline constexpr QRgb Ink = 0x000000;

// Gives `widget` a colour of its own in `role`; the others it keeps taking
// from its parent.
void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour);

} // namespace velbrisk::ui
