// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target for the bytes of a skin file: whatever the text, the
// bytes must read back as the text with every line break as CR LF and one
// CR LF after it, in Windows-1252 exactly when every character exists there
// (decided here by ICU's own table) and in UTF-8 without a byte-order mark
// otherwise. Nothing may be lost or turned into "?".

#include "core/skinfilebytes.h"

#include <QStringDecoder>

#include <cstdio>
#include <cstdlib>
#include <set>

using namespace velbrisk;

namespace {

void check(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "velbrisk fuzz: %s\n", what);
        std::abort();
    }
}

// The characters Windows-1252 has, from ICU's decoder, byte by byte.
const std::set<char16_t> &windows1252Characters()
{
    static const std::set<char16_t> characters = [] {
        std::set<char16_t> set;
        for (int byte = 0; byte < 256; ++byte) {
            QStringDecoder decoder("windows-1252");
            const char c = char(byte);
            const QString decoded = decoder.decode(QByteArrayView(&c, 1));
            if (!decoder.hasError() && decoded.size() == 1 && decoded != u"\uFFFD")
                set.insert(decoded.at(0).unicode());
        }
        return set;
    }();
    return characters;
}

QString withCrLf(QStringView text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            out.append(u"\r\n");
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            out.append(c);
        }
    }
    return out.append(u"\r\n");
}

bool hasLoneSurrogate(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The input as UTF-16 code units, with one byte in eight taken as a
    // character from the ranges that matter most: ASCII, line breaks and
    // the 0x80-0x9F row where Windows-1252 and Latin-1 differ.
    QString text;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const char16_t unit = char16_t(data[i] | data[i + 1] << 8);
        text.append(QChar(data[i] % 8 == 0 ? char16_t(unit % 0xA0) : unit));
    }

    const QByteArray bytes = SkinFileBytes(text);
    const QString expected = withCrLf(text);
    bool fits = true;
    for (const QChar c : expected)
        fits = fits && windows1252Characters().count(c.unicode()) > 0;

    if (fits) {
        QStringDecoder decoder("windows-1252");
        check(QString(decoder.decode(bytes)) == expected, "Windows-1252 bytes read back");
    } else if (!hasLoneSurrogate(text)) {
        // A text may itself start with U+FEFF; the writer adds none.
        check(text.startsWith(QChar(0xFEFF)) || !bytes.startsWith("\xEF\xBB\xBF"),
              "no byte-order mark");
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                         QStringDecoder::Flag::ConvertInitialBom);
        check(QString(decoder.decode(bytes)) == expected, "UTF-8 bytes read back");
        check(!decoder.hasError(), "valid UTF-8");
    }
    return 0;
}
