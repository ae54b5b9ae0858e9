// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/clipboard_p.h"

#include <QGuiApplication>
#include <QThread>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

using namespace Qt::StringLiterals;

namespace velbrisk::ui::clipboard {
namespace {

bool onWindowsPlatform()
{
    return QGuiApplication::platformName() == u"windows"_s;
}

} // namespace

// A clipboard manager or a remote-desktop client holds it for a moment: a
// few tries over 150 ms let such a holder finish.
bool heldByAnotherProgram()
{
    if (!onWindowsPlatform())
        return false;
    // Opened for a window of the program's own: Wine lets two programs that
    // open it without a window hold it together.
    const HWND window = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        nullptr, nullptr);
    bool held = true;
    for (int attempt = 0; held && attempt < 4; ++attempt) {
        if (attempt > 0)
            QThread::msleep(50);
        if (OpenClipboard(window)) {
            CloseClipboard();
            held = false;
        }
    }
    if (window)
        DestroyWindow(window);
    return held;
}

// A text, not any format: Qt lists none for some of the system's own, such as
// a metafile.
bool holdsSomething()
{
    return onWindowsPlatform() && IsClipboardFormatAvailable(CF_UNICODETEXT);
}

} // namespace velbrisk::ui::clipboard
