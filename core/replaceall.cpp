#include "core/replaceall.h"

#include <cstring>

namespace velbrisk {
namespace {

// Short search texts: jump from one candidate first character to the next
// with Qt's vectorised character search, then compare the rest in one go.
// The cost per code unit is bounded by the search text's length.
constexpr qsizetype LongSearch = 32;

class Finder
{
public:
    Finder(QStringView code, QStringView search) : m_code(code), m_search(search)
    {
        if (m_search.size() > LongSearch)
            buildFailureTable();
    }

    // The leftmost occurrence at or after `from`, or -1.
    qsizetype next(qsizetype from) const
    {
        return m_search.size() > LongSearch ? nextLong(from) : nextShort(from);
    }

private:
    qsizetype nextShort(qsizetype from) const
    {
        const qsizetype m = m_search.size();
        const qsizetype last = m_code.size() - m; // last possible start
        const QChar first = m_search.front();
        const auto restBytes = size_t(m - 1) * sizeof(QChar);
        while (from <= last) {
            const qsizetype at = m_code.indexOf(first, from);
            if (at < 0 || at > last)
                return -1;
            if (std::memcmp(m_code.data() + at + 1, m_search.data() + 1, restBytes) == 0)
                return at;
            from = at + 1;
        }
        return -1;
    }

    // Long search texts: Knuth-Morris-Pratt, linear whatever the text.
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

    qsizetype nextLong(qsizetype from) const
    {
        const qsizetype m = m_search.size();
        qsizetype k = 0;
        for (qsizetype i = from; i < m_code.size(); ++i) {
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

} // namespace

std::vector<qsizetype> FindOccurrences(QStringView code, QStringView search)
{
    std::vector<qsizetype> occurrences;
    if (search.isEmpty() || code.size() < search.size())
        return occurrences;
    const Finder finder(code, search);
    for (qsizetype at = finder.next(0); at >= 0; at = finder.next(at + search.size()))
        occurrences.push_back(at);
    return occurrences;
}

QString ReplaceAt(QStringView code, const std::vector<qsizetype> &occurrences,
                  qsizetype searchLength, QStringView replacement)
{
    if (occurrences.empty())
        return code.toString();
    const auto count = qsizetype(occurrences.size());
    QString result(code.size() + count * (replacement.size() - searchLength),
                   Qt::Uninitialized);
    QChar *out = result.data();
    const auto put = [&out](const QChar *from, qsizetype n) {
        std::memcpy(out, from, size_t(n) * sizeof(QChar));
        out += n;
    };
    qsizetype done = 0;
    for (const qsizetype at : occurrences) {
        put(code.data() + done, at - done);
        put(replacement.data(), replacement.size());
        done = at + searchLength;
    }
    put(code.data() + done, code.size() - done);
    return result;
}

QString ReplaceAll(QStringView code, QStringView search, QStringView replacement)
{
    if (search.isEmpty() || code.size() < search.size())
        return code.toString();

    if (search.size() != replacement.size())
        return ReplaceAt(code, FindOccurrences(code, search), search.size(), replacement);

    // Same length, as with any two key colours: the result is the code with
    // each occurrence overwritten in place. The scan reads the untouched
    // input, so an inserted text is never searched again.
    QString result;
    const Finder finder(code, search);
    for (qsizetype at = finder.next(0); at >= 0; at = finder.next(at + search.size())) {
        if (result.isNull())
            result = code.toString();
        std::memcpy(result.data() + at, replacement.data(),
                    size_t(replacement.size()) * sizeof(QChar));
    }
    return result.isNull() ? code.toString() : result;
}

} // namespace velbrisk
