// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/codefile.h"
#include "core/failurereasons_p.h"
#include "core/simd_p.h"
#include "core/systemerror_p.h"
#include "core/windows1252_p.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <bit>
#include <cstring>

using namespace Qt::StringLiterals;

namespace velbrisk {
namespace {

// Where the run of ASCII bytes from p[i] on ends, sixteen at a time; the
// rest goes byte by byte.
inline qsizetype skipAscii(const uchar *p, qsizetype i, qsizetype n)
{
#ifdef VELBRISK_SSE2
    while (i + 16 <= n) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        if (const unsigned high = unsigned(_mm_movemask_epi8(bytes)); high != 0)
            return i + std::countr_zero(high);
        i += 16;
    }
#else
    Q_UNUSED(p);
    Q_UNUSED(n);
#endif
    return i;
}

// Whether the bytes are UTF-8: each character in its shortest form, no
// surrogate, nothing beyond U+10FFFF (the rules of Unicode's table 3-7).
bool isUtf8(const uchar *p, qsizetype n)
{
    for (qsizetype i = skipAscii(p, 0, n); i < n; i = skipAscii(p, i, n)) {
        const uchar lead = p[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        qsizetype length = 0;
        uchar low = 0x80; // the bounds of the second byte
        uchar high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0; // shorter forms
            else if (lead == 0xED)
                high = 0x9F; // surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F; // beyond U+10FFFF
        } else {
            return false;
        }
        if (n - i < length || p[i + 1] < low || p[i + 1] > high)
            return false;
        for (qsizetype k = 2; k < length; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}

// Copies the run of ASCII bytes other than CR from p[i] on as UTF-16 units,
// sixteen at a time, and returns where it ends. All sixteen units are stored
// before the end of the run is known: the text has room for them, as it has
// a unit for every byte still to read.
inline qsizetype copyPlainRun(const uchar *p, qsizetype i, qsizetype n, char16_t *&dst)
{
#ifdef VELBRISK_SSE2
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i zero = _mm_setzero_si128();
    while (i + 16 <= n) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        const unsigned stop =
            unsigned(_mm_movemask_epi8(bytes) | _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, cr)));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst), _mm_unpacklo_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + 8), _mm_unpackhi_epi8(bytes, zero));
        if (stop != 0) {
            const int count = std::countr_zero(stop);
            dst += count;
            return i + count;
        }
        dst += 16;
        i += 16;
    }
#else
    Q_UNUSED(p);
    Q_UNUSED(n);
    Q_UNUSED(dst);
#endif
    return i;
}

// The UTF-8 character at p[i], known to be valid, as one or two units;
// returns the index past it.
inline qsizetype putUtf8Char(const uchar *p, qsizetype i, char16_t *&dst)
{
    const uchar lead = p[i];
    if (lead < 0xE0) {
        *dst++ = char16_t(((lead & 0x1F) << 6) | (p[i + 1] & 0x3F));
        return i + 2;
    }
    if (lead < 0xF0) {
        *dst++ = char16_t(((lead & 0x0F) << 12) | ((p[i + 1] & 0x3F) << 6) | (p[i + 2] & 0x3F));
        return i + 3;
    }
    const char32_t cp = (char32_t(lead & 0x07) << 18) | (char32_t(p[i + 1] & 0x3F) << 12) |
                        (char32_t(p[i + 2] & 0x3F) << 6) | char32_t(p[i + 3] & 0x3F);
    *dst++ = char16_t(0xD800 + ((cp - 0x10000) >> 10));
    *dst++ = char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
    return i + 4;
}

QString quoted(const QString &path)
{
    return u"« "_s + QDir::toNativeSeparators(path) + u" »"_s;
}

// "« a.txt », « b.txt », « c.txt » et 2 autres": the names the user sees in
// the file manager.
QString itemNames(const QStringList &paths)
{
    constexpr qsizetype Shown = 3;
    QStringList names;
    for (const QString &path : paths.first(std::min(Shown, paths.size()))) {
        const QString name = QFileInfo(path).fileName();
        names.append(quoted(name.isEmpty() ? path : name));
    }
    QString text = names.join(u", "_s);
    if (const qsizetype others = paths.size() - Shown; others == 1)
        text += u" et 1 autre"_s;
    else if (others > 1)
        text += u" et %1 autres"_s.arg(others);
    return text;
}

// The refusal of a drop of any number of items but one.
QString notOneItem(const QStringList &paths, const QString &verb, const QString &advice)
{
    if (paths.isEmpty())
        return u"Aucun élément n'a été déposé : "_s + advice + u"."_s;
    return u"Impossible "_s + verb + u" %1 éléments à la fois ("_s.arg(paths.size()) +
           itemNames(paths) + u") : "_s + advice + u"."_s;
}

QString tooLarge(qint64 limit)
{
    constexpr qint64 Mio = 1024 * 1024;
    const QString size =
        limit % Mio == 0 ? u"%1 Mio"_s.arg(limit / Mio) : u"%1 octets"_s.arg(limit);
    return u"il dépasse la taille permise de "_s + size;
}

// Why opening or reading `path` failed, from the system's error code.
QString readFailureReason(const QString &path, int error, const QString &qtError)
{
    if (QString known = failureReason(failureKind(error), Access::Read, QFileInfo(path).path());
        !known.isEmpty())
        return known;
    return unexpectedFailureReason(qtError);
}

// The whole content of `path` into `bytes`, or why it cannot be loaded. The
// size is checked before reading and again while reading, since a file may
// grow meanwhile and some (the system's own, under /proc) say 0 whatever
// they hold.
std::optional<QString> readWhole(const QString &path, qint64 limit, QByteArray &bytes)
{
    const QFileInfo info(path);
    if (!info.exists())
        return failureReason(FailureKind::NotFound, Access::Read, info.path());
    if (info.isDir())
        return failureReason(FailureKind::IsAFolder, Access::Read, info.path());
    // A pipe or a device would keep the window waiting, or never end.
    if (!info.isFile())
        return u"ce n'est pas un fichier ordinaire"_s;
    if (info.size() > limit)
        return tooLarge(limit);

    QFile file(path);
    clearSystemError();
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return readFailureReason(path, systemError(), file.errorString());
    // One byte more than the file says it holds tells a file that grew.
    bytes = QByteArray(qsizetype(std::min(info.size(), limit)) + 1, Qt::Uninitialized);
    qsizetype have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (have > limit)
                return tooLarge(limit);
            bytes.resize(
                qsizetype(std::min(std::max<qint64>(2 * qint64(have), 64 * 1024), limit + 1)));
        }
        clearSystemError();
        const qint64 got = file.read(bytes.data() + have, bytes.size() - have);
        if (got < 0)
            return readFailureReason(path, systemError(), file.errorString());
        if (got == 0)
            break;
        if (std::memchr(bytes.constData() + have, 0, size_t(got)))
            return u"ce n'est pas un fichier texte (il contient des octets nuls)"_s;
        have += qsizetype(got);
    }
    bytes.truncate(have);
    return std::nullopt;
}

} // namespace

QString DecodeCodeFile(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    qsizetype n = bytes.size();
    const bool utf8 = isUtf8(p, n);
    if (utf8 && n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
        p += 3;
        n -= 3;
    }
    // No byte gives more than one unit but a four-byte character, which
    // gives two.
    QString text(n, Qt::Uninitialized);
    char16_t *const begin = reinterpret_cast<char16_t *>(text.data());
    char16_t *dst = begin;
    for (qsizetype i = copyPlainRun(p, 0, n, dst); i < n; i = copyPlainRun(p, i, n, dst)) {
        const uchar byte = p[i];
        if (byte == '\r') {
            *dst++ = u'\n';
            i += (i + 1 < n && p[i + 1] == '\n') ? 2 : 1;
        } else if (byte < 0x80) {
            *dst++ = byte;
            ++i;
        } else if (utf8) {
            i = putUtf8Char(p, i, dst);
        } else {
            *dst++ = windows1252Char(byte);
            ++i;
        }
    }
    text.truncate(dst - begin);
    return text;
}

DroppedCodeFile ReadDroppedCodeFile(const QStringList &paths, qint64 sizeLimit)
{
    if (paths.size() != 1)
        return {{},
                notOneItem(paths, u"de charger"_s,
                           u"déposez un seul fichier, celui dont le "
                           u"texte doit remplacer le code"_s)};
    QByteArray bytes;
    if (const std::optional<QString> reason = readWhole(paths.first(), sizeLimit, bytes))
        return {{},
                u"Le fichier "_s + quoted(paths.first()) + u" ne peut pas être chargé : "_s +
                    *reason + u"."_s};
    return {DecodeCodeFile(bytes), std::nullopt};
}

DroppedFolder OpenDroppedFolder(const QStringList &paths)
{
    if (paths.size() != 1)
        return {{}, notOneItem(paths, u"d'ouvrir"_s, u"déposez un seul dossier"_s)};
    const QFileInfo info(paths.first());
    QString reason;
    if (!info.exists())
        reason = u"il est introuvable"_s;
    else if (info.isFile())
        reason = u"c'est un fichier, pas un dossier"_s;
    else if (!info.isDir())
        reason = u"ce n'est pas un dossier"_s;
    else
        return {info.absoluteFilePath(), std::nullopt};
    return {{},
            u"Impossible d'ouvrir "_s + quoted(paths.first()) +
                u" dans la liste des dossiers : "_s + reason + u"."_s};
}

} // namespace velbrisk
