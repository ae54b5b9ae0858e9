// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The skins' key colours as the tests state them, for the offscreen tests
// and, through tests/e2e/dump_layout.cpp, the end-to-end harness.
#pragma once

#include <QString>

namespace testsupport {

using namespace Qt::StringLiterals;

// The key colour of skin 1 to 24.
inline QString skinColour(int skin)
{
    static const QString colours[] = {
        u"#333333"_s, u"#7e94a5"_s, u"#333300"_s, u"#ccd6e0"_s, u"#9c0062"_s, u"#6599ff"_s,
        u"#629962"_s, u"#cd6562"_s, u"#ffffff"_s, u"#ffffff"_s, u"#ffffff"_s, u"#ffcecd"_s,
        u"#000000"_s, u"#000000"_s, u"#000000"_s, u"#ffbe39"_s, u"#ffffcd"_s, u"#c5c6de"_s,
        u"#ee449c"_s, u"#4a5052"_s, u"#4a4c52"_s, u"#6a0420"_s, u"#f6a5ee"_s, u"#313031"_s,
    };
    return colours[skin - 1];
}

} // namespace testsupport
