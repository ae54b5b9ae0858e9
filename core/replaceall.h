// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// ReplaceAll: the one replacement rule behind every conversion of a code.
//
// Every occurrence of `search` in `code` is replaced by `replacement`:
//   - occurrences are found left to right, by exact, case-sensitive
//     comparison of UTF-16 code units, with no regard to word boundaries;
//   - occurrences never overlap: of two overlapping candidates only the left
//     one is replaced, and the search resumes right behind it;
//   - the inserted replacement is never searched again;
//   - an empty `search` leaves the code unchanged; an empty `replacement`
//     deletes every occurrence; there is no limit on the count.
//
// Examples:
//   ReplaceAll(u"aaaa", u"aa", u"b")            -> "bb"
//   ReplaceAll(u"aaa", u"aa", u"b")             -> "ba"
//   ReplaceAll(u"aXa", u"a", u"aa")             -> "aaXaa"
//   ReplaceAll(u"color:#333333", u"#333333", u"#7e94a5") -> "color:#7e94a5"
//
// Time is linear in the sizes of the code and of the result. The result is
// allocated once; the code is read once, or twice for a replacement more
// than twice as long as the search (its positions first).
#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace velbrisk {

QString ReplaceAll(QStringView code, QStringView search, QStringView replacement);

// Where a replacement changed a code: each occurrence it replaced, in order.
// Replacement i starts in the result i × (replacement − search) units away
// from where its occurrence started in the code, since every replacement
// before it changed the length by that much.
struct Replacements
{
    std::vector<qsizetype> inCode; // where each replaced occurrence starts in the code
    qsizetype searchLength = 0;
    qsizetype replacementLength = 0;

    qsizetype count() const { return qsizetype(inCode.size()); }
    qsizetype inResult(qsizetype i) const
    {
        return inCode[size_t(i)] + i * (replacementLength - searchLength);
    }
    std::vector<qsizetype> resultPositions() const;

    bool operator==(const Replacements &) const = default;
};

struct ReplacedCode
{
    QString code;
    Replacements replacements;
};

// ReplaceAll, with the count and the positions of what it replaced, found by
// the same pass. A search equal to its replacement replaces nothing: the code
// comes back unchanged, without positions, as nothing in it changes.
//
//   ReplaceAllCounted(u"aXa", u"a", u"aa") -> "aaXaa", in the code 0 and 2,
//                                             in the result 0 and 3
ReplacedCode ReplaceAllCounted(QStringView code, QStringView search, QStringView replacement);

} // namespace velbrisk
