// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/common/x11.h"

#include <QGuiApplication>

#include <cstdint>
#include <vector>

using namespace Qt::StringLiterals;

namespace velbrisk::ui::x11 {

xcb_connection_t *connection()
{
#if QT_CONFIG(xcb)
    if (QGuiApplication::platformName() != u"xcb"_s)
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
#else
    return nullptr;
#endif
}

bool internAtoms(xcb_connection_t *connection, std::span<const std::string_view> names,
                 std::span<xcb_atom_t> atoms)
{
    Q_ASSERT(names.size() == atoms.size());
    std::vector<xcb_intern_atom_cookie_t> cookies;
    cookies.reserve(names.size());
    for (const std::string_view name : names)
        cookies.push_back(
            xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()));
    // Every reply is taken, even after a failure, or xcb keeps it.
    bool all = true;
    for (std::size_t i = 0; i < cookies.size(); ++i) {
        const Reply<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(connection, cookies[i], nullptr));
        atoms[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        all = all && atoms[i] != XCB_ATOM_NONE;
    }
    return all;
}

} // namespace velbrisk::ui::x11
