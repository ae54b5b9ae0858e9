// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Throughput of the replacement rule against its peers and a plain copy,
// what telling where it replaced costs it, the cost of the batch plan
// against one conversion, and the reading of a dropped file.
//
// Prints the tables in Markdown. Times are the best of several runs.
//   bench_core              every table
//   bench_core decoding     the reading of a dropped file alone
#include "core/conversion.h"
#include "core/replaceall.h"
#include "core/skinbatch.h"
#include "core/skinfilebytes.h"

#include <QElapsedTimer>
#include <QString>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace velbrisk;
using namespace Qt::StringLiterals;
using namespace std::string_literals;

namespace {

constexpr qsizetype MB = 1024 * 1024;

struct Case
{
    const char *name;
    QString filler; // repeated to build the code
    QString search;
    QString replacement;
    // The search is instead the second half of each code, the replacement
    // the same with its colours changed: the longest a real page would hold.
    bool halfCodeSearch = false;
};

// One code to convert, with what it is converted by.
struct Job
{
    QString code;
    QString search;
    QString replacement;
    size_t expectedSize = 0; // given to the find loop, as a real caller would know it
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

// Best processor time in seconds of `runs` calls of `work`, system time
// (page faults) included: the time other programs take the processor away
// is not counted, which the wall clock of a loaded machine counts at random.
double bestProcessorTimeOf(int runs, const std::function<void()> &work)
{
    const auto seconds = [] {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
    };
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double start = seconds();
        work();
        best = std::min(best, seconds() - start);
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

// The text of a dropped skin file, as the program wrote it, of 1 and 32 MB:
// CSS with French comments, in Windows-1252, and the same with one character
// beyond it, so in UTF-8.
void benchDecoding()
{
    const QString lines = u".blog-title{font:bold 12px Tahoma;color:#333333;padding:2px}\n"
                          u"/* déco d'été à l'œil : « titre » en gras */\n"_s;
    std::printf("\n| dropped file | bytes | DecodeCodeFile | MB/s |\n|---|---|---|---|\n");
    for (const qsizetype size : {1, 32}) {
        const QString code = buildCode(lines, size * MB);
        for (const auto &[name, text] :
             {std::pair{"Windows-1252", code}, std::pair{"UTF-8", u"★"_s + code}}) {
            const QByteArray bytes = SkinFileBytes(text);
            const double time =
                bestOf(size == 32 ? 5 : 15, [&] { g_sink = DecodeCodeFile(bytes).size(); });
            std::printf("| %2lld MB, %s | %.1f MB | %.1f ms | %.0f |\n",
                        static_cast<long long>(size), name, double(bytes.size()) / MB, time * 1e3,
                        double(bytes.size()) / MB / time);
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef __GLIBC__
    // Keep freed blocks for reuse instead of returning them to the system, so
    // that the timings measure the work, not the kernel's page faults.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
    if (argc == 2 && std::strcmp(argv[1], "decoding") == 0) {
        benchDecoding();
        return 0;
    }
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
        {"long search, same length", cssLine, {}, {}, true},
    };

    // What telling the positions costs: ReplaceAllCounted against ReplaceAll,
    // run for run on the same codes, in processor time, before anything else
    // has used the heap.
    std::printf(
        "| code | case | ReplaceAll | ReplaceAllCounted | ratio |\n|---|---|---|---|---|\n");
    std::string missed; // the goals not met, for the last line
    const auto goal = [&](bool met, const char *what, const char *caseName, qsizetype size) {
        if (!met)
            missed += "; "s + caseName + " at " + std::to_string(size) + " MB: " + what;
    };
    for (const Case &c : cases) {
        if (c.halfCodeSearch)
            continue;
        const QString big = buildCode(c.filler, 32 * MB);
        for (const qsizetype size : {1, 32}) {
            std::vector<QString> codes;
            for (qsizetype at = 0; at < big.size(); at += size * MB)
                codes.push_back(big.mid(at, size * MB));
            double plain = 1e30;
            double counted = 1e30;
            for (int run = 0; run < 7; ++run) {
                plain = std::min(plain, bestProcessorTimeOf(1, [&] {
                                     for (const QString &code : codes)
                                         g_sink = ReplaceAll(code, c.search, c.replacement).size();
                                 }));
                counted = std::min(
                    counted, bestProcessorTimeOf(1, [&] {
                        for (const QString &code : codes)
                            g_sink = ReplaceAllCounted(code, c.search, c.replacement).code.size();
                    }));
            }
            std::printf("| %2lld MB | %s | %.1f ms | %.1f ms | %.2f× |\n",
                        static_cast<long long>(size), c.name, plain * 1e3, counted * 1e3,
                        counted / plain);
            goal(counted <= plain * 1.10, "positions cost over 10 %", c.name, size);
        }
    }
    std::printf("\n");

    // Linearity is judged against the physical floor: ReplaceAll's time over
    // the plain copy's, at 32 MB against 1 MB, since the copy itself slows
    // down once nothing fits in the caches.
    std::printf("| code | case | copy MB/s | ReplaceAll | QString::replace | find loop | "
                "ReplaceAll/copy, vs 1 MB |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (const Case &c : cases) {
        const QString big = buildCode(c.filler, 32 * MB);
        double oursOverCopyAt1 = 0;
        for (const qsizetype size : {1, 8, 32}) {
            // Every size is measured as 32 MB of codes, each converted once,
            // so that all read the same amount of memory and caches favour none.
            std::vector<Job> jobs;
            for (qsizetype at = 0; at < big.size(); at += size * MB) {
                Job job{big.mid(at, size * MB), c.search, c.replacement};
                if (c.halfCodeSearch) {
                    // A page does not repeat itself as the filler does: marks
                    // at both ends of the second half make it occur there only.
                    const qsizetype half = job.code.size() / 2;
                    job.code[half] = u'@';
                    job.code[job.code.size() - 1] = u'~';
                    job.search = job.code.mid(half);
                    job.replacement = QString(job.search).replace(u"#333333"_s, u"#7e94a5"_s);
                }
                job.expectedSize = size_t(ReplaceAll(job.code, job.search, job.replacement).size());
                jobs.push_back(std::move(job));
            }
            const auto each = [&](const std::function<qsizetype(const Job &)> &work) {
                return bestOf(size == 32 ? 3 : 5, [&] {
                    for (const Job &job : jobs)
                        g_sink = work(job);
                });
            };
            const double copy = each([](const Job &job) { return plainCopy(job.code).size(); });
            const double ours = each([](const Job &job) {
                return ReplaceAll(job.code, job.search, job.replacement).size();
            });
            const double qt = each([](const Job &job) {
                // replace() works in place: it copies first, as ReplaceAll does.
                QString s = job.code;
                s.replace(job.search, job.replacement);
                return s.size();
            });
            const double loop = each([](const Job &job) {
                return qsizetype(findLoop(view(job.code), view(job.search), view(job.replacement),
                                          job.expectedSize)
                                     .size());
            });
            if (size == 1)
                oursOverCopyAt1 = ours / copy;
            const double linear = ours / copy / oursOverCopyAt1;
            std::printf("| %2lld MB | %s | %.0f | %.2f× copy | %.2f× copy | %.2f× copy | %.2f |\n",
                        static_cast<long long>(size), c.name, 32.0 / copy, ours / copy, qt / copy,
                        loop / copy, linear);
            goal(ours <= qt * 1.05, "slower than QString::replace", c.name, size);
            goal(ours <= loop * 1.05, "slower than the find loop", c.name, size);
            if (size == 32) {
                goal(linear <= 1.15, "not linear", c.name, size);
                if (std::strcmp(c.name, "CSS density") == 0)
                    goal(ours / copy <= 3.0, "over 3× copy", c.name, size);
            }
        }
    }

    // The batch: the 24 variants of a 1 MB code, against one conversion.
    const QString code = buildCode(cssLine, MB);
    const double one = bestOf(15, [&] {
        g_sink = ConvertSkin(u"Habillage 1", u"Habillage 2", {}, {}, code).convertedCode.size();
    });
    const double batch = bestOf(15, [&] {
        const SkinBatch plan({u"Habillage 1"_s, u"/tmp"_s, u"habillage"_s, code, {}});
        for (int n = 1; n <= SkinCount; ++n)
            g_sink = plan.content(n).size() + plan.fileName(n).size();
    });
    std::printf("\n| 1 MB code, CSS density | time | ratio |\n|---|---|---|\n");
    std::printf("| one \"Transformer\" | %.2f ms | 1.00 |\n", one * 1e3);
    std::printf("| batch plan, 24 variants | %.2f ms | %.2f× one conversion |\n", batch * 1e3,
                batch / one);
    goal(batch / one <= 14.0, "batch plan over 14 conversions", "CSS density", 1);
    benchDecoding();
    std::printf("\ncore goals: %s\n", missed.empty() ? "met" : ("NOT met" + missed).c_str());
    return 0;
}
