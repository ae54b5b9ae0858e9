// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/replaceall_p.h"
#include "core/simd_p.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

namespace velbrisk {
namespace {

// Search texts up to this length are found by filtering candidates on their
// first and last characters, eight positions at a time, and comparing the
// middle of each candidate; the cost per code unit is bounded by the length.
// Longer ones use Knuth-Morris-Pratt, linear whatever the text, and the same
// filter while no candidate is under way.
constexpr qsizetype LongSearch = 32;

// How many leading code units `a` and `b` have in common, up to `count`.
qsizetype commonPrefix(const char16_t *a, const char16_t *b, qsizetype count)
{
    qsizetype i = 0;
#ifdef VELBRISK_SSE2
    for (; i + 8 <= count; i += 8) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i *>(a + i));
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b + i));
        const auto equal = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(x, y)));
        if (equal != 0xffff)
            return i + std::countr_one(equal) / 2;
    }
#endif
    while (i < count && a[i] == b[i])
        ++i;
    return i;
}

class Finder
{
public:
    Finder(QStringView code, QStringView search) : m_code(code), m_search(search) {}

    // Calls onMatch(at) for each occurrence not reported yet that starts
    // before `limit`, leftmost first and never overlapping, and returns a
    // position, `limit` or beyond, before which every occurrence has been
    // reported. Each call carries on where the previous one stopped, so a
    // code scanned block by block is still read once, whatever the search.
    template <typename OnMatch> qsizetype scan(qsizetype limit, OnMatch &&onMatch)
    {
        const qsizetype m = m_search.size();
        const qsizetype end = std::min(limit, m_code.size() - m + 1);
        if (m > LongSearch) {
            scanLong(end, onMatch);
        } else {
            while (m_from < end) {
                const qsizetype at =
                    nextCandidate(m_from, end, [this](qsizetype at) { return middleMatches(at); });
                if (at < 0) {
                    m_from = end;
                    break;
                }
                onMatch(at);
                m_from = at + m;
            }
        }
        return std::max(m_from, limit);
    }

private:
    bool middleMatches(qsizetype at) const
    {
        // Short enough that a plain loop beats a call to memcmp.
        const char16_t *code = m_code.utf16() + at;
        const char16_t *search = m_search.utf16();
        for (qsizetype i = 1; i + 1 < m_search.size(); ++i) {
            if (code[i] != search[i])
                return false;
        }
        return true;
    }

    // The first position in [from, limit) where the search's first and last
    // characters are found and that `accept` takes, or -1.
    template <typename Accept>
    qsizetype nextCandidate(qsizetype from, qsizetype limit, Accept accept) const
    {
        const char16_t *code = m_code.utf16();
        const qsizetype m = m_search.size();
        const char16_t first = m_search.front().unicode();
        const char16_t last = m_search.back().unicode();
        // Occurrences often follow each other closely: try the next
        // position before loading a whole block.
        if (code[from] == first && code[from + m - 1] == last && accept(from))
            return from;
#ifdef VELBRISK_SSE2
        const __m128i firsts = _mm_set1_epi16(short(first));
        const __m128i lasts = _mm_set1_epi16(short(last));
        for (; from + 8 <= limit; from += 8) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(code + from));
            const __m128i b =
                _mm_loadu_si128(reinterpret_cast<const __m128i *>(code + from + m - 1));
            auto mask = unsigned(_mm_movemask_epi8(
                _mm_and_si128(_mm_cmpeq_epi16(a, firsts), _mm_cmpeq_epi16(b, lasts))));
            while (mask != 0) {
                const int bit = std::countr_zero(mask);
                const qsizetype at = from + bit / 2;
                if (accept(at))
                    return at;
                mask &= ~(3u << bit);
            }
        }
#endif
        for (; from < limit; ++from) {
            if (code[from] == first && code[from + m - 1] == last && accept(from))
                return from;
        }
        return -1;
    }

    template <typename OnMatch> void scanLong(qsizetype end, OnMatch &onMatch)
    {
        const char16_t *code = m_code.utf16();
        const char16_t *search = m_search.utf16();
        const qsizetype m = m_search.size();
        // code[from, from + matched) is the start of the search, and no
        // occurrence starts before `from`.
        qsizetype from = m_from;
        qsizetype matched = m_matched;
        while (from < end) {
            if (matched == 0) {
                from = nextCandidate(from, end, [](qsizetype) { return true; });
                if (from < 0) {
                    from = end;
                    break;
                }
            }
            matched += commonPrefix(code + from + matched, search + matched, m - matched);
            if (matched == m) {
                onMatch(from);
                from += m;
                matched = 0;
                continue;
            }
            // This unit ends the candidate: go on with the longest candidate
            // further right that it may still extend.
            const char16_t unit = code[from + matched];
            while (matched > 0 && unit != search[matched]) {
                const qsizetype kept = border(matched);
                from += matched - kept;
                matched = kept;
            }
            if (unit == search[matched])
                ++matched;
            else
                ++from;
        }
        m_from = from;
        m_matched = matched;
    }

    // The length of the longest proper prefix of the search's first `length`
    // units that is also their suffix. Built on demand: most texts only ever
    // need a little of it, and a whole table would weigh four times the search.
    qsizetype border(qsizetype length)
    {
        if (length > qsizetype(m_borders.size()))
            extendBorders(length);
        return m_borders[size_t(length - 1)];
    }

    void extendBorders(qsizetype length)
    {
        const char16_t *search = m_search.utf16();
        if (m_borders.empty())
            m_borders.push_back(0);
        for (auto i = qsizetype(m_borders.size()); i < length; ++i) {
            qsizetype k = m_borders.back();
            while (k > 0 && search[i] != search[k])
                k = m_borders[size_t(k - 1)];
            if (search[i] == search[k])
                ++k;
            m_borders.push_back(k);
        }
    }

    QStringView m_code;
    QStringView m_search;
    qsizetype m_from = 0;    // no occurrence left to report starts before it
    qsizetype m_matched = 0; // long searches: units from m_from on that begin the search
    std::vector<qsizetype> m_borders;
};

void copyChars(QChar *to, const QChar *from, qsizetype count)
{
    // Dense codes copy many tiny pieces; a call to memcpy would dominate.
    if (count <= 16) {
        for (qsizetype i = 0; i < count; ++i)
            to[i] = from[i];
        return;
    }
    std::memcpy(to, from, size_t(count) * sizeof(QChar));
}

} // namespace

std::vector<qsizetype> findOccurrences(QStringView code, QStringView search)
{
    std::vector<qsizetype> occurrences;
    if (search.isEmpty() || code.size() < search.size())
        return occurrences;
    Finder(code, search).scan(code.size(), [&](qsizetype at) { occurrences.push_back(at); });
    return occurrences;
}

QString replaceAt(QStringView code, const std::vector<qsizetype> &occurrences,
                  qsizetype searchLength, QStringView replacement)
{
    if (occurrences.empty())
        return code.toString();
    const auto count = qsizetype(occurrences.size());
    QString result(code.size() + count * (replacement.size() - searchLength), Qt::Uninitialized);
    QChar *out = result.data();
    qsizetype done = 0;
    for (const qsizetype at : occurrences) {
        copyChars(out, code.data() + done, at - done);
        out += at - done;
        copyChars(out, replacement.data(), replacement.size());
        out += replacement.size();
        done = at + searchLength;
    }
    copyChars(out, code.data() + done, code.size() - done);
    return result;
}

namespace {

// The replacement rule, telling `found` where each occurrence it replaces
// starts, in order, as the scan meets it.
template <typename Found>
QString replaceAll(QStringView code, QStringView search, QStringView replacement, Found &&found)
{
    if (search.isEmpty() || code.size() < search.size())
        return code.toString();
    const qsizetype m = search.size();
    const qsizetype r = replacement.size();
    // Room for the most occurrences the code can hold. Past twice the code's
    // size that costs too much address space: the positions come first, and
    // the result is allocated at its exact size.
    if (r > 2 * m) {
        const std::vector<qsizetype> occurrences = findOccurrences(code, search);
        for (const qsizetype at : occurrences)
            found(at);
        return replaceAt(code, occurrences, m, replacement);
    }
    const qsizetype most = r <= m ? code.size() : code.size() + code.size() / m * (r - m);

    // The result is written while the code is scanned, block by block, each
    // block copied while it is still in the cache; the code is read once.
    constexpr qsizetype Block = 16 * 1024;
    QString result(most, Qt::Uninitialized);
    QChar *out = result.data();
    const QChar *in = code.data();
    Finder finder(code, search);
    qsizetype done = 0;    // everything before this in the code is in the result
    qsizetype written = 0; // the result's length so far
    for (qsizetype settled = 0; settled < code.size();) {
        settled = finder.scan(settled + Block, [&](qsizetype at) {
            found(at);
            copyChars(out + written, in + done, at - done);
            written += at - done;
            copyChars(out + written, replacement.data(), r);
            written += r;
            done = at + m;
        });
        // No occurrence is left before `settled`, so none covers what lies there.
        settled = std::min(settled, code.size());
        if (settled > done) {
            copyChars(out + written, in + done, settled - done);
            written += settled - done;
            done = settled;
        }
    }
    if (written < most) {
        // Pages of the room never written were never touched; giving them
        // back costs no copy.
        result.resize(written);
        result.squeeze();
    }
    return result;
}

} // namespace

QString ReplaceAll(QStringView code, QStringView search, QStringView replacement)
{
    return replaceAll(code, search, replacement, [](qsizetype) {});
}

ReplacedCode ReplaceAllCounted(QStringView code, QStringView search, QStringView replacement)
{
    ReplacedCode replaced;
    replaced.replacements.searchLength = search.size();
    replaced.replacements.replacementLength = replacement.size();
    if (search == replacement) {
        replaced.code = code.toString();
        return replaced;
    }
    if (search.isEmpty() || code.size() < search.size()) {
        replaced.code = code.toString();
        return replaced;
    }
    // Room for the most occurrences the code can hold, written through a
    // pointer: a vector's checks and growth cost a dense code a sixth of its
    // time. Pages of the room never written are never touched.
    std::unique_ptr<qsizetype[]> room(new qsizetype[size_t(code.size() / search.size())]);
    qsizetype *next = room.get();
    replaced.code = replaceAll(code, search, replacement, [&next](qsizetype at) { *next++ = at; });
    replaced.replacements.inCode.assign(room.get(), next);
    return replaced;
}

std::vector<qsizetype> Replacements::resultPositions() const
{
    std::vector<qsizetype> positions(inCode.size());
    for (qsizetype i = 0; i < count(); ++i)
        positions[size_t(i)] = inResult(i);
    return positions;
}

} // namespace velbrisk
