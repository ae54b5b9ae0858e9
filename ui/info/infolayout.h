// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The controls of Form2, placed as the window's layout table says.
#pragma once

class QPushButton;
class QWidget;

namespace velbrisk::ui {

class LinkLabel;

// The controls the information window connects, as built.
struct InfoWidgets
{
    LinkLabel *officialBlog = nullptr;
    LinkLabel *personalBlog = nullptr;
    QPushButton *closeButton = nullptr;
};

// Creates every control of Form2 on `window`, gives the window its size,
// place and colour and its controls their tab order. Connects nothing.
InfoWidgets buildInfoWindow(QWidget *window);

} // namespace velbrisk::ui
