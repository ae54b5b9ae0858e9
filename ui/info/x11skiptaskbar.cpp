// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/info/x11skiptaskbar.h"

#include <QGuiApplication>
#include <QWidget>
#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <string_view>

using namespace Qt::StringLiterals;

namespace velbrisk::ui {

void keepOffTaskbar([[maybe_unused]] QWidget *window)
{
#if QT_CONFIG(xcb)
    if (QGuiApplication::platformName() != u"xcb"_s)
        return;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    const auto xWindow = static_cast<xcb_window_t>(window->winId());

    constexpr std::array<std::string_view, 3> names = {
        "_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"};
    std::array<xcb_intern_atom_cookie_t, names.size()> cookies{};
    for (std::size_t i = 0; i < names.size(); ++i)
        cookies[i] =
            xcb_intern_atom(connection, 0, static_cast<uint16_t>(names[i].size()), names[i].data());
    std::array<xcb_atom_t, names.size()> atoms{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(connection, cookies[i], nullptr), &std::free);
        atoms[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    if (atoms[0] == XCB_ATOM_NONE || atoms[1] == XCB_ATOM_NONE || atoms[2] == XCB_ATOM_NONE)
        return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xWindow, atoms[0], XCB_ATOM_ATOM, 32, 2,
                        &atoms[1]);
    xcb_flush(connection);
#endif
}

} // namespace velbrisk::ui
