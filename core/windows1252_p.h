// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Windows-1252 both ways, from one table, private to core/: skin files are
// written with it and dropped files read with it, so a file written here
// reads back as the same text.
//
// Windows-1252 is Latin-1 except for bytes 0x80 to 0x9F, where 27 bytes hold
// typographic characters. The five others (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// hold no character of their own; Windows and ICU both map them to and from
// the control characters of the same value, so U+0081 and its kin are
// written as their own byte and read back unchanged.
//
//   windows1252Char(0x80)    -> u'€'      windows1252Byte(u'€') -> 0x80
//   windows1252Char(0x81)    -> u'\x81'   windows1252Byte(u'Č') -> -1
//
// Built-in rather than asked of QStringDecoder: a Qt built without ICU has
// no Windows-1252 at all.
#pragma once

#include <array>

namespace velbrisk {

// The characters of bytes 0x80 to 0x9F.
inline constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80 € ‚ ƒ „ … † ‡
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88 ˆ ‰ Š ‹ Œ   Ž
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90   ‘ ’ “ ” • – —
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98 ˜ ™ š › œ   ž Ÿ
};

// The character of one byte: every byte has one.
constexpr char16_t windows1252Char(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? Windows1252High[byte - 0x80] : char16_t(byte);
}

namespace detail {

// The table turned round for the characters beyond Latin-1, which all lie in
// two blocks: U+0100 to U+02FF and U+2000 to U+21FF. 0 means no byte.
inline constexpr unsigned BeyondLatin1Block = 0x200;
using BeyondLatin1Bytes = std::array<unsigned char, 2 * BeyondLatin1Block>;
inline constexpr BeyondLatin1Bytes Windows1252Beyond = [] {
    BeyondLatin1Bytes bytes{};
    for (unsigned i = 0; i < Windows1252High.size(); ++i) {
        const char16_t c = Windows1252High[i];
        if (c >= 0x100 && c < 0x100 + BeyondLatin1Block)
            bytes[c - 0x100] = static_cast<unsigned char>(0x80 + i);
        else if (c >= 0x2000 && c < 0x2000 + BeyondLatin1Block)
            bytes[BeyondLatin1Block + (c - 0x2000)] = static_cast<unsigned char>(0x80 + i);
    }
    return bytes;
}();

} // namespace detail

// The byte of one UTF-16 unit, or -1 when Windows-1252 has no such character
// (every surrogate among them: no supplementary character is there).
constexpr int windows1252Byte(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return unit;
    if (unit < 0xA0)
        return Windows1252High[unit - 0x80] == unit ? unit : -1;
    int byte = 0;
    if (unit < 0x100 + detail::BeyondLatin1Block)
        byte = detail::Windows1252Beyond[unit - 0x100];
    else if (unit >= 0x2000 && unit < 0x2000 + detail::BeyondLatin1Block)
        byte = detail::Windows1252Beyond[detail::BeyondLatin1Block + (unit - 0x2000)];
    return byte != 0 ? byte : -1;
}

// Both ways agree on every byte, the blocks above included.
static_assert([] {
    for (unsigned byte = 0; byte < 0x100; ++byte) {
        if (windows1252Byte(windows1252Char(static_cast<unsigned char>(byte))) != int(byte))
            return false;
    }
    return true;
}());

} // namespace velbrisk
