// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/clipboard_p.h"

#include "core/clipboardtext.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace velbrisk::ui {

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
    if (clipboard::heldByAnotherProgram())
        return std::nullopt;
    const QMimeData *held = QGuiApplication::clipboard()->mimeData();
    // Qt gives no format both for an empty clipboard and for one it could
    // not read: an X11 owner that never answers (after Qt's 5 s wait), a
    // Windows clipboard another program opened since the try above.
    if (!held || held->formats().isEmpty())
        return clipboard::holdsSomething() ? std::nullopt : std::optional(QString());
    return held->text();
}

} // namespace velbrisk::ui
