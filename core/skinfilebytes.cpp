// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/skinfilebytes.h"
#include "core/simd_p.h"
#include "core/windows1252_p.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <bit>

namespace velbrisk {
namespace {

constexpr bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

constexpr bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Copies the run of ASCII characters other than CR and LF that starts at
// src[i], the same bytes in both encodings, and returns where it ends. Most
// of a code is such runs; eight characters go at a time, all eight stored
// before the end of the run is known, so the buffer has room for eight bytes
// wherever eight units remain.
inline qsizetype copyPlainRun(const char16_t *src, qsizetype i, qsizetype n, char *&dst)
{
#ifdef VELBRISK_SSE2
    const __m128i nonAscii = _mm_set1_epi16(short(0xFF80));
    const __m128i lf = _mm_set1_epi16(0x0A);
    const __m128i cr = _mm_set1_epi16(0x0D);
    const __m128i zero = _mm_setzero_si128();
    while (i + 8 <= n) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + i));
        const __m128i ascii = _mm_cmpeq_epi16(_mm_and_si128(units, nonAscii), zero);
        const __m128i breaks = _mm_or_si128(_mm_cmpeq_epi16(units, lf), _mm_cmpeq_epi16(units, cr));
        const unsigned plain = unsigned(_mm_movemask_epi8(_mm_andnot_si128(breaks, ascii)));
        _mm_storel_epi64(reinterpret_cast<__m128i *>(dst), _mm_packus_epi16(units, units));
        if (plain != 0xFFFF) {
            const int count = std::countr_one(plain) / 2;
            dst += count;
            return i + count;
        }
        dst += 8;
        i += 8;
    }
#else
    Q_UNUSED(src);
    Q_UNUSED(n);
    Q_UNUSED(dst);
#endif
    return i;
}

// Writes the line break that starts at src[i] (a CR or an LF) as CR LF and
// returns the index of its last unit: a CR LF pair is one break.
inline qsizetype putLineBreak(const char16_t *src, qsizetype i, qsizetype n, char *&dst)
{
    *dst++ = '\r';
    *dst++ = '\n';
    return (src[i] == u'\r' && i + 1 < n && src[i + 1] == u'\n') ? i + 1 : i;
}

// Copies the ASCII characters from src[i] on, the same bytes in both
// encodings but for line breaks, which become CR LF, and returns the index of
// the first unit beyond ASCII, or n.
inline qsizetype putAscii(const char16_t *src, qsizetype i, qsizetype n, char *&dst)
{
    for (; i < n; ++i) {
        i = copyPlainRun(src, i, n, dst);
        if (i == n || src[i] >= 0x80)
            break;
        if (src[i] == u'\n' || src[i] == u'\r')
            i = putLineBreak(src, i, n, dst);
        else
            *dst++ = char(src[i]);
    }
    return i;
}

// UTF-8 from src[i] on. A surrogate without its partner is no character and
// cannot be written in UTF-8: it becomes the replacement character U+FFFD.
char *putUtf8(const char16_t *src, qsizetype i, qsizetype n, char *dst)
{
    for (i = putAscii(src, i, n, dst); i < n; i = putAscii(src, i + 1, n, dst)) {
        const char16_t c = src[i];
        if (c < 0x800) {
            *dst++ = char(0xC0 | (c >> 6));
            *dst++ = char(0x80 | (c & 0x3F));
        } else if (isHighSurrogate(c) && i + 1 < n && isLowSurrogate(src[i + 1])) {
            const char32_t cp = 0x10000 + ((char32_t(c) - 0xD800) << 10) + (src[i + 1] - 0xDC00);
            *dst++ = char(0xF0 | (cp >> 18));
            *dst++ = char(0x80 | ((cp >> 12) & 0x3F));
            *dst++ = char(0x80 | ((cp >> 6) & 0x3F));
            *dst++ = char(0x80 | (cp & 0x3F));
            ++i;
        } else {
            const char16_t unit = (isHighSurrogate(c) || isLowSurrogate(c)) ? u'\uFFFD' : c;
            *dst++ = char(0xE0 | (unit >> 12));
            *dst++ = char(0x80 | ((unit >> 6) & 0x3F));
            *dst++ = char(0x80 | (unit & 0x3F));
        }
    }
    return dst;
}

// The bytes of a skin file for `text`, written from `begin`, which has room
// for maxFileBytes(text.size()); returns their end.
char *encodeSkinFile(QStringView text, char *const begin)
{
    const char16_t *src = text.utf16();
    const qsizetype n = text.size();
    char *dst = begin;

    // Windows-1252 first. Up to the first non-ASCII unit both encodings give
    // the same bytes, so a character that does not fit sends the work back
    // there only, to go on in UTF-8.
    qsizetype firstWide = -1;
    qsizetype firstWideOut = 0;
    for (qsizetype i = putAscii(src, 0, n, dst); i < n; i = putAscii(src, i + 1, n, dst)) {
        if (firstWide < 0) {
            firstWide = i;
            firstWideOut = dst - begin;
        }
        const int byte = windows1252Byte(src[i]);
        if (byte < 0) {
            dst = putUtf8(src, firstWide, n, begin + firstWideOut);
            break;
        }
        *dst++ = char(byte);
    }
    *dst++ = '\r';
    *dst++ = '\n';
    return dst;
}

// Room for the worst case of either encoding: no code unit takes more than
// three bytes (an LF two, a CR LF pair two, a surrogate pair four), then the
// final CR LF. Pages never written are never used.
qsizetype maxFileBytes(qsizetype units)
{
    return 3 * units + 2;
}

// The bytes as Windows-1252, in which every byte is a character: looked up
// in the whole table of 256, which takes half the time of asking whether
// each byte lies among the 32 that differ from Latin-1.
QString windows1252Text(QByteArrayView bytes)
{
    static constexpr std::array<char16_t, 256> chars = [] {
        std::array<char16_t, 256> table{};
        for (unsigned byte = 0; byte < table.size(); ++byte)
            table[byte] = windows1252Char(static_cast<unsigned char>(byte));
        return table;
    }();
    QString text(bytes.size(), Qt::Uninitialized);
    std::transform(bytes.begin(), bytes.end(), text.begin(),
                   [](char byte) { return QChar(chars[uchar(byte)]); });
    return text;
}

// CR LF and a lone CR become "\n", in place: Qt finds each CR, and the
// text up to the next one moves back over the units dropped so far.
// (QString::replace() took 1.5 s on a text of 32 MB: it moves the rest of
// the text again for every thousand line ends.)
void unifyLineBreaks(QString &text)
{
    qsizetype from = text.indexOf(u'\r');
    qsizetype to = from;
    if (from < 0)
        return;
    QChar *const units = text.data();
    while (from < text.size()) {
        const qsizetype breakSize = QStringView(text).sliced(from).startsWith(u"\r\n") ? 2 : 1;
        units[to++] = u'\n';
        from += breakSize;
        qsizetype next = text.indexOf(u'\r', from);
        if (next < 0)
            next = text.size();
        std::copy(units + from, units + next, units + to);
        to += next - from;
        from = next;
    }
    text.truncate(to);
}

} // namespace

QByteArray SkinFileBytes(QStringView text)
{
    QByteArray out;
    SkinFileBytes(text, out);
    return out;
}

void SkinFileBytes(QStringView text, QByteArray &out)
{
    const qsizetype room = maxFileBytes(text.size());
    if (out.isDetached() && out.capacity() >= room)
        out.resize(room);
    else
        out = QByteArray(room, Qt::Uninitialized);
    out.truncate(encodeSkinFile(text, out.data()) - out.constData());
}

QString DecodeCodeFile(QByteArrayView bytes)
{
    // Stateless: the file is read whole, so bytes cut short at its end are an
    // error too, not the start of a character still to come. Qt drops a
    // leading byte-order mark by itself.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = windows1252Text(bytes);
    unifyLineBreaks(text);
    return text;
}

} // namespace velbrisk
