// Throughput of the replacement rule against its peers and a plain copy,
// and the cost of the batch plan against one conversion.
//
// Prints one table in Markdown. Times are the best of several runs.
#include "core/conversion.h"
#include "core/replaceall.h"
#include "core/skinbatch.h"

#include <QElapsedTimer>
#include <QString>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

using namespace velbrisk;
using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype MB = 1024 * 1024;

struct Case
{
    const char *name;
    QString filler; // repeated to build the code
    QString search;
    QString replacement;
};

QString buildCode(const QString &filler, qsizetype size)
{
    QString code;
    code.reserve(size + filler.size());
    while (code.size() < size)
        code.append(filler);
    code.truncate(size);
    return code;
}

// Best time in seconds of `runs` calls of `work`.
double bestOf(int runs, const std::function<void()> &work)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e9);
    }
    return best;
}

volatile qsizetype g_sink = 0; // keeps the results alive

QString plainCopy(const QString &code)
{
    QString out(code.size(), Qt::Uninitialized);
    std::memcpy(out.data(), code.constData(), size_t(code.size()) * sizeof(QChar));
    return out;
}

std::u16string findLoop(std::u16string_view code, std::u16string_view search,
                        std::u16string_view replacement, size_t expectedSize)
{
    std::u16string out;
    out.reserve(expectedSize);
    size_t from = 0;
    for (size_t at = code.find(search); at != std::u16string_view::npos;
         at = code.find(search, from)) {
        out.append(code.substr(from, at - from));
        out.append(replacement);
        from = at + search.size();
    }
    out.append(code.substr(from));
    return out;
}

std::u16string_view view(const QString &s)
{
    return {reinterpret_cast<const char16_t *>(s.constData()), size_t(s.size())};
}

} // namespace

int main()
{
#ifdef __GLIBC__
    // Keep freed blocks for reuse instead of returning them to the system, so
    // that the timings measure the work, not the kernel's page faults.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
    // A line of real-looking CSS holds the colour about once per 150 characters.
    const QString cssLine =
        u".blog-title{font:bold 12px Tahoma;color:#333333;background:#ffffff;padding:2px}\n"
        u"a.link:hover{text-decoration:underline;border-bottom:1px dotted #ccd6e0;}\n"_s;
    const QString cleanLine = QString(cssLine).replace(u"#333333"_s, u"#444444"_s);
    const Case cases[] = {
        {"no occurrence", cleanLine, u"#333333"_s, u"#7e94a5"_s},
        {"CSS density", cssLine, u"#333333"_s, u"#7e94a5"_s},
        {"almost all colour", u"#333333#333333#333333;"_s, u"#333333"_s, u"#7e94a5"_s},
        {"longer replacement", cssLine, u"#333333"_s, u"#ff00ff00ff"_s},
    };

    std::printf("| code | case | copy MB/s | ReplaceAll | QString::replace | find loop | "
                "ReplaceAll time per MB, vs 1 MB |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    bool goalsMet = true;
    for (const Case &c : cases) {
        const QString big = buildCode(c.filler, 32 * MB);
        // 1 MB is measured as 32 codes of 1 MB, each converted once, so that
        // both sizes read the same amount of memory and caches favour neither.
        std::vector<QString> chunks;
        for (qsizetype at = 0; at < big.size(); at += MB)
            chunks.push_back(big.mid(at, MB));
        double perMbAt1 = 0;
        for (const bool whole : {false, true}) {
            // The find loop is given its output size, as a real caller would know it.
            std::vector<size_t> sizes;
            for (const QString &code : whole ? std::vector<QString>{big} : chunks)
                sizes.push_back(size_t(ReplaceAll(code, c.search, c.replacement).size()));
            const auto each = [&](const std::function<qsizetype(const QString &, size_t)> &work) {
                return bestOf(whole ? 3 : 5, [&] {
                    if (whole) {
                        g_sink = work(big, sizes.front());
                        return;
                    }
                    for (size_t i = 0; i < chunks.size(); ++i)
                        g_sink = work(chunks[i], sizes[i]);
                });
            };
            const double copy =
                each([](const QString &code, size_t) { return plainCopy(code).size(); });
            const double ours = each([&](const QString &code, size_t) {
                return ReplaceAll(code, c.search, c.replacement).size();
            });
            const double qt = each([&](const QString &code, size_t) {
                QString s = code; // replace() works in place: it copies first, as ReplaceAll does
                s.replace(c.search, c.replacement);
                return s.size();
            });
            const double loop = each([&](const QString &code, size_t expected) {
                return qsizetype(
                    findLoop(view(code), view(c.search), view(c.replacement), expected).size());
            });
            const double perMb = ours / 32.0;
            if (!whole)
                perMbAt1 = perMb;
            const double linear = perMb / perMbAt1;
            std::printf("| %s | %s | %.0f | %.2f× copy | %.2f× copy | %.2f× copy | %.2f |\n",
                        whole ? "32 MB" : " 1 MB", c.name, 32.0 / copy, ours / copy, qt / copy,
                        loop / copy, linear);
            goalsMet = goalsMet && ours <= qt * 1.05 && ours <= loop * 1.05;
            if (whole) {
                goalsMet = goalsMet && linear <= 1.15;
                if (std::strcmp(c.name, "CSS density") == 0)
                    goalsMet = goalsMet && ours / copy <= 3.0;
            }
        }
    }

    // The batch: the 24 variants of a 1 MB code, against one conversion.
    const QString code = buildCode(cssLine, MB);
    const double one = bestOf(15, [&] {
        g_sink = ConvertSkin(u"Habillage 1", u"Habillage 2", {}, {}, code).text2.size();
    });
    const double batch = bestOf(15, [&] {
        const SkinBatch plan({u"Habillage 1"_s, u"/tmp"_s, u"habillage"_s, code, {}, {}});
        for (int n = 1; n <= SkinCount; ++n)
            g_sink = plan.content(n).size() + plan.fileName(n).size();
    });
    std::printf("\n| 1 MB code, CSS density | time | ratio |\n|---|---|---|\n");
    std::printf("| one \"Transformer\" | %.2f ms | 1.00 |\n", one * 1e3);
    std::printf("| batch plan, 24 variants | %.2f ms | %.2f× one conversion |\n", batch * 1e3,
                batch / one);
    goalsMet = goalsMet && batch / one <= 14.0;
    std::printf("\ncore goals: %s\n", goalsMet ? "met" : "NOT met");
    return 0;
}
