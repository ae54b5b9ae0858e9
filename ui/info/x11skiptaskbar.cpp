// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/info/x11skiptaskbar.h"

#include "ui/common/x11.h"

#include <QWidget>

#include <array>
#include <string_view>

namespace velbrisk::ui {

void keepOffTaskbar(QWidget *window)
{
    xcb_connection_t *connection = x11::connection();
    if (!connection)
        return;
    const auto xWindow = static_cast<xcb_window_t>(window->winId());

    constexpr std::array<std::string_view, 3> names = {
        "_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"};
    std::array<xcb_atom_t, names.size()> atoms{};
    if (!x11::internAtoms(connection, names, atoms))
        return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xWindow, atoms[0], XCB_ATOM_ATOM, 32, 2,
                        &atoms[1]);
    xcb_flush(connection);
}

} // namespace velbrisk::ui
