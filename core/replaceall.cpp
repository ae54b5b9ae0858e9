#include "core/replaceall.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VELBRISK_SSE2 1
#endif

namespace velbrisk {
namespace {

// Search texts up to this length are found by filtering candidates on their
// first and last characters, eight positions at a time, and comparing the
// middle of each candidate; the cost per code unit is bounded by the length.
// Longer ones use Knuth-Morris-Pratt, linear whatever the text.
constexpr qsizetype LongSearch = 32;

class Finder
{
public:
    Finder(QStringView code, QStringView search) : m_code(code), m_search(search)
    {
        if (m_search.size() > LongSearch)
            buildFailureTable();
    }

    // Calls onMatch(at) for each occurrence that starts in [from, limit),
    // leftmost first and never overlapping, and returns where the search
    // goes on: behind the last occurrence, or at `limit`.
    template <typename OnMatch>
    qsizetype scan(qsizetype from, qsizetype limit, OnMatch &&onMatch) const
    {
        const qsizetype m = m_search.size();
        const qsizetype lastStart = m_code.size() - m;
        const qsizetype end = std::min(limit, lastStart + 1);
        while (from < end) {
            const qsizetype at = m > LongSearch ? nextLong(from, end) : nextShort(from, end);
            if (at < 0)
                break;
            onMatch(at);
            from = at + m;
        }
        return std::max(from, limit);
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

    qsizetype nextShort(qsizetype from, qsizetype limit) const
    {
        const char16_t *code = m_code.utf16();
        const qsizetype m = m_search.size();
        const char16_t first = m_search.front().unicode();
        const char16_t last = m_search.back().unicode();
        // Occurrences often follow each other closely: try the next
        // position before loading a whole block.
        if (code[from] == first && code[from + m - 1] == last && middleMatches(from))
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
                if (middleMatches(at))
                    return at;
                mask &= ~(3u << bit);
            }
        }
#endif
        for (; from < limit; ++from) {
            if (code[from] == first && code[from + m - 1] == last && middleMatches(from))
                return from;
        }
        return -1;
    }

    void buildFailureTable()
    {
        const qsizetype m = m_search.size();
        m_failure.assign(size_t(m), 0);
        qsizetype k = 0;
        for (qsizetype i = 1; i < m; ++i) {
            while (k > 0 && m_search[i] != m_search[k])
                k = m_failure[size_t(k - 1)];
            if (m_search[i] == m_search[k])
                ++k;
            m_failure[size_t(i)] = k;
        }
    }

    qsizetype nextLong(qsizetype from, qsizetype limit) const
    {
        const qsizetype m = m_search.size();
        const qsizetype end = limit + m - 1; // an occurrence ending here starts before limit
        qsizetype k = 0;
        for (qsizetype i = from; i < end; ++i) {
            while (k > 0 && m_code[i] != m_search[k])
                k = m_failure[size_t(k - 1)];
            if (m_code[i] == m_search[k])
                ++k;
            if (k == m)
                return i - m + 1;
        }
        return -1;
    }

    QStringView m_code;
    QStringView m_search;
    std::vector<qsizetype> m_failure;
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

std::vector<qsizetype> FindOccurrences(QStringView code, QStringView search)
{
    std::vector<qsizetype> occurrences;
    if (search.isEmpty() || code.size() < search.size())
        return occurrences;
    Finder(code, search).scan(0, code.size(), [&](qsizetype at) { occurrences.push_back(at); });
    return occurrences;
}

QString ReplaceAt(QStringView code, const std::vector<qsizetype> &occurrences,
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

QString ReplaceAll(QStringView code, QStringView search, QStringView replacement)
{
    if (search.isEmpty() || code.size() < search.size())
        return code.toString();
    if (search.size() != replacement.size())
        return ReplaceAt(code, FindOccurrences(code, search), search.size(), replacement);

    // Same length, as with any two key colours: the result has the code's
    // size, so it is written while the code is scanned, block by block, each
    // block copied while it is still in the cache.
    constexpr qsizetype Block = 16 * 1024;
    const qsizetype m = search.size();
    QString result(code.size(), Qt::Uninitialized);
    QChar *out = result.data();
    const QChar *in = code.data();
    const Finder finder(code, search);
    qsizetype done = 0; // everything before this is in the result
    for (qsizetype from = 0; from < code.size();) {
        from = finder.scan(from, from + Block, [&](qsizetype at) {
            copyChars(out + done, in + done, at - done);
            copyChars(out + at, replacement.data(), m);
            done = at + m;
        });
        // No occurrence starts before `from`, so none covers what lies before it.
        const qsizetype safe = std::min(from, code.size());
        if (safe > done) {
            copyChars(out + done, in + done, safe - done);
            done = safe;
        }
    }
    return result;
}

} // namespace velbrisk
