// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// What "Copier" and "Coller" say when the clipboard fails them, and how the
// text read back after "Copier" is compared with the text put there.
#pragma once

#include <QStringView>

namespace velbrisk {

inline constexpr QStringView ClipboardNotWritten =
    u"Le presse-papiers ne peut pas être modifié : un autre programme l'occupe. "
    u"Le code n'a pas été copié. Réessayez dans un instant.";
inline constexpr QStringView ClipboardNotRead =
    u"Le presse-papiers ne peut pas être lu : un autre programme l'occupe ou ne répond pas. "
    u"Le code n'a pas été collé. Réessayez dans un instant.";

// Whether `readBack` is the text `copied`. Windows hands a text back with
// CR LF where the program wrote a line feed, so CR LF and LF count as the
// same line break; nothing else may differ.
bool IsSameClipboardText(QStringView copied, QStringView readBack);

} // namespace velbrisk
