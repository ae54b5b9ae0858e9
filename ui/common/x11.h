// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// What the windows ask the X server themselves, where Qt has no call for it:
// the program's own connection and the atoms named in the requests. Built on
// Linux only.
#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <span>
#include <string_view>

namespace velbrisk::ui::x11 {

// A reply of the X server, which xcb allocates with malloc.
struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

// The connection Qt opened, or null when the program does not run on X11
// (offscreen, Wayland).
xcb_connection_t *connection();

// The atoms of `names`, in order, all asked for before the first answer is
// awaited. False, and XCB_ATOM_NONE in their places, when the server did not
// give one.
bool internAtoms(xcb_connection_t *connection, std::span<const std::string_view> names,
                 std::span<xcb_atom_t> atoms);

} // namespace velbrisk::ui::x11
