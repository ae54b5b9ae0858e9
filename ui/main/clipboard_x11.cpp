// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/clipboard_p.h"

#include "ui/common/x11.h"

#include <array>
#include <string_view>

namespace velbrisk::ui::clipboard {

// X11 has no lock: a client owns the selection and hands its text over, or
// never answers.
bool heldByAnotherProgram()
{
    return false;
}

// Whether a client owns the CLIPBOARD selection.
bool holdsSomething()
{
    xcb_connection_t *connection = x11::connection();
    if (!connection)
        return false;
    constexpr std::array<std::string_view, 1> names = {"CLIPBOARD"};
    std::array<xcb_atom_t, 1> selection{};
    if (!x11::internAtoms(connection, names, selection))
        return false;
    const x11::Reply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, selection[0]), nullptr));
    return owner && owner->owner != XCB_NONE;
}

} // namespace velbrisk::ui::clipboard
