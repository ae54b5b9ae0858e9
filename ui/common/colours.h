// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The colours both windows are painted in, so that they match.
#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace velbrisk::ui {

// The face of both windows.
inline constexpr QRgb WindowBackground = 0xEEEEEA;
// Black text on it: the labels of both windows and the main window's fields.
inline constexpr QRgb Ink = 0x000000;

// Gives `widget` a colour of its own in `role`; the others it keeps taking
// from its parent.
void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour);

} // namespace velbrisk::ui
