// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/clipboard_p.h"

#include <QDeadlineTimer>
#include <QGuiApplication>

// NOMINMAX and WIN32_LEAN_AND_MEAN come from the build, for every file.
#include <windows.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace velbrisk::ui::clipboard {
namespace {

bool onWindowsPlatform()
{
    return QGuiApplication::platformName() == u"windows"_s;
}

} // namespace

// Another program holds the clipboard open for a moment as it copies, or as
// it reads another's copy (a clipboard manager, a remote-desktop client,
// Wine's bridge to the X11 clipboard): a holder that lets go within 150 ms
// does not stop "Coller". A failed try is made again, 1, 2, 4… ms later,
// until 150 ms have passed. The wait is measured, and kept on the interface
// thread: a free clipboard opens at the first try, so only a held one waits;
// under Wine, right after an X11 client took the clipboard, Wine's bridge
// held it at 25 first tries in 200, each time for less than 0.9 ms (200 ms
// later, at none in 50), which the 1 ms try covers. Trying again on a timer
// instead would let the clicks and keys queued behind "Coller" run before
// the paste lands, and the paste then replace what they typed. Qt's own read
// of a clipboard it cannot get waits as long (three tries, 50 ms apart).
bool heldByAnotherProgram()
{
    if (!onWindowsPlatform())
        return false;
    // Opened for a window of the program's own: Wine lets two programs that
    // open it without a window hold it together.
    const HWND window = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        nullptr, nullptr);
    const QDeadlineTimer patience(150);
    bool held = true;
    for (DWORD pause = 1;; pause *= 2) {
        if (OpenClipboard(window)) {
            CloseClipboard();
            held = false;
            break;
        }
        const qint64 left = patience.remainingTime();
        if (left <= 0)
            break;
        Sleep(std::min<DWORD>(pause, static_cast<DWORD>(left)));
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
