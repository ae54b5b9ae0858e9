// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The faces the windows are drawn in.
//
// The main window is drawn in Tahoma, the information window's texts in
// Verdana. Where the system has no Tahoma, the metric-compatible Tahoma that
// Wine ships (Debian package fonts-wine) is loaded for this program alone:
// fontconfig does not register it. Without either, DejaVu Sans stands in.
// Verdana falls back to DejaVu Sans.
#pragma once

#include <QFont>
#include <QString>

namespace velbrisk::ui {

// Makes Tahoma available to the program when the system lacks it. Safe to
// call more than once; needs the application object. Returns the family that
// Tahoma texts will really be drawn in.
QString loadProgramFonts();

// Tahoma (or its stand-in) in `points`, regular or bold.
QFont tahomaFont(qreal points, bool bold = false);

// Verdana, or DejaVu Sans where Verdana is missing.
QFont verdanaFont(qreal points, bool bold = false);

} // namespace velbrisk::ui
