// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Systems with neither Win32 nor X11: Qt's answer is taken as it is.
#include "ui/main/clipboard_p.h"

namespace velbrisk::ui::clipboard {

bool heldByAnotherProgram()
{
    return false;
}

bool holdsSomething()
{
    return false;
}

} // namespace velbrisk::ui::clipboard
