// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/clipboardtext.h"

namespace velbrisk {

bool IsSameClipboardText(QStringView copied, QStringView readBack)
{
    if (copied == readBack)
        return true;
    // A CR right before a LF is passed over on either side.
    const auto skipCr = [](QStringView text, qsizetype &at) {
        if (at + 1 < text.size() && text[at] == u'\r' && text[at + 1] == u'\n')
            ++at;
    };
    qsizetype i = 0;
    qsizetype j = 0;
    for (;;) {
        skipCr(copied, i);
        skipCr(readBack, j);
        if (i == copied.size() || j == readBack.size())
            return i == copied.size() && j == readBack.size();
        if (copied[i] != readBack[j])
            return false;
        ++i;
        ++j;
    }
}

} // namespace velbrisk
