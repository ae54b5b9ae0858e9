// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeping the information window off the taskbar under X11.
//
// Qt has no flag that does it for an ordinary window without owner, so the
// window manager is asked directly through xcb. Built on Linux only; on other
// systems the call does nothing.
#pragma once

class QWidget;

namespace velbrisk::ui {

// Asks the X11 window manager for no taskbar button and no pager entry. The
// window must not be mapped yet: a mapped window's state changes only through
// messages to the window manager. Qt keeps these states when it maps it.
#ifdef VELBRISK_HAVE_XCB
void keepOffTaskbar(QWidget *window);
#else
inline void keepOffTaskbar(QWidget *) {}
#endif

} // namespace velbrisk::ui
