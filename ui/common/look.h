// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The look of the whole program, set once at start-up.
#pragma once

namespace velbrisk::ui {

// Sets the application's style and palette, and makes the program's fonts
// available (see fonts.h). The Windows style is the one that sets frame
// captions in the border line and paints button faces flat in their own
// colours, the same on every system. The palette is the light one a desktop
// without a theme gives, whatever the desktop's theme (dark, high contrast)
// and however it changes: the windows' fixed faces keep readable text on them.
// Needs the application object; call it before building a window.
void setUpProgramLook();

} // namespace velbrisk::ui
