// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/clipboard.h"

#include "core/clipboardtext.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>
#endif
#ifdef VELBRISK_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#endif

using namespace Qt::StringLiterals;

namespace velbrisk::ui {
namespace {

// Whether another program holds the clipboard open. A clipboard manager or a
// remote-desktop client holds it for a moment: a few tries over 150 ms let
// such a holder finish. Only the Windows platform has such a lock.
bool heldByAnotherProgram()
{
#ifdef Q_OS_WIN
    if (QGuiApplication::platformName() != u"windows"_s)
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
#else
    return false;
#endif
}

// Whether the system says the clipboard holds something to read, asked
// without reading it: on Windows a text (not any format: Qt lists none for
// some of the system's own, such as a metafile); under X11 an owner.
bool holdsSomething()
{
#ifdef Q_OS_WIN
    if (QGuiApplication::platformName() == u"windows"_s)
        return IsClipboardFormatAvailable(CF_UNICODETEXT);
#endif
#ifdef VELBRISK_HAVE_XCB
#if QT_CONFIG(xcb)
    if (QGuiApplication::platformName() == u"xcb"_s) {
        auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
        if (!connection)
            return false;
        constexpr char name[] = "CLIPBOARD";
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof name - 1, name),
                                  nullptr),
            &std::free);
        if (!atom || atom->atom == XCB_ATOM_NONE)
            return false;
        const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
            xcb_get_selection_owner_reply(connection,
                                          xcb_get_selection_owner(connection, atom->atom), nullptr),
            &std::free);
        return owner && owner->owner != XCB_NONE;
    }
#endif
#endif
    return false;
}

} // namespace

bool putOnClipboard(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const QPointer<QMimeData> ours = new QMimeData;
    ours->setText(text);
    clipboard->setMimeData(ours);
    // Qt answers from the program's own copy only while the system says the
    // clipboard is still the program's (X11: the selection's owner; Windows:
    // the current data object): then the write took. Otherwise what the
    // clipboard holds is read back, as a clipboard manager may have taken
    // the text over; a failed write leaves the other program's text, or
    // nothing readable.
    const QMimeData *held = clipboard->mimeData();
    if (ours && held == ours)
        return true;
    // Not hasText(): Qt for Windows says yes to it for a clipboard held open,
    // whose text then reads empty.
    return held && held->formats().contains(u"text/plain"_s) &&
           IsSameClipboardText(text, held->text());
}

std::optional<QString> clipboardText()
{
    if (heldByAnotherProgram())
        return std::nullopt;
    const QMimeData *held = QGuiApplication::clipboard()->mimeData();
    // Qt gives no format both for an empty clipboard and for one it could
    // not read: an X11 owner that never answers (after Qt's 5 s wait), a
    // Windows clipboard another program opened since the try above.
    if (!held || held->formats().isEmpty())
        return holdsSomething() ? std::nullopt : std::optional(QString());
    return held->text();
}

} // namespace velbrisk::ui
