// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target for the conversions of a code: ReplaceAll, the scan and
// rebuild pair findOccurrences/replaceAt, ConvertSkin, ReplaceInCode and the
// 24 variants of a batch, each checked against a plain reference written
// here, so that a fast path that drifts from the rule is caught, not only one
// that crashes.
//
// The input is read as a small program: texts are built from tokens, so
// that occurrences, overlaps, key colours, surrogates and searches longer
// than the short-search filter all come up often.

#include "core/conversion.h"
#include "core/replaceall_p.h"
#include "core/skinbatch.h"
#include "core/skintable.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace velbrisk;

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "velbrisk fuzz: %s\n", what);
    std::abort();
}

void check(bool ok, const char *what)
{
    if (!ok)
        fail(what);
}

// The rule as plainly as it can be written: leftmost first, no overlap,
// the inserted text never searched again.
std::vector<qsizetype> referenceOccurrences(QStringView code, QStringView search)
{
    std::vector<qsizetype> found;
    if (search.isEmpty())
        return found;
    for (qsizetype i = 0; i + search.size() <= code.size();) {
        if (code.sliced(i, search.size()) == search) {
            found.push_back(i);
            i += search.size();
        } else {
            ++i;
        }
    }
    return found;
}

QString referenceReplaceAll(QStringView code, QStringView search, QStringView replacement)
{
    if (search.isEmpty())
        return code.toString();
    QString out;
    qsizetype i = 0;
    while (i < code.size()) {
        if (i + search.size() <= code.size() && code.sliced(i, search.size()) == search) {
            out.append(replacement);
            i += search.size();
        } else {
            out.append(code.at(i));
            ++i;
        }
    }
    return out;
}

// The key colour of a label by a walk over the table, or the field's text.
QString referenceLookup(QStringView label, const QString &field)
{
    for (const SkinEntry &entry : SkinColourTable) {
        if (entry.label.size() == label.size() && entry.label == label)
            return entry.keyColour.toString();
    }
    return field;
}

// Single characters, a surrogate pair, and each half of it alone.
struct Letter
{
    char16_t units[2];
    qsizetype size;
};
constexpr Letter Letters[] = {
    {{u'a'}, 1},           {{u'b'}, 1},   {{u'#'}, 1},   {{u'3'}, 1},   {{u'\n'}, 1}, {{u'\r'}, 1},
    {{0x00a0}, 1},         {{0x00e9}, 1}, {{u'\t'}, 1},  {{u'f'}, 1},   {{u'0'}, 1},  {{u' '}, 1},
    {{0xd83d, 0xde00}, 2}, {{0xd83d}, 1}, {{0xde00}, 1}, {{0x2029}, 1},
};

// A text of tokens: letters of a small alphabet, copies of `seed` (so that
// a search meets itself and its overlaps), key colours and skin labels; at
// most `maxLength` characters, so that one input stays quick to check.
QString tokens(FuzzedDataProvider &in, QStringView seed, size_t maxTokens,
               qsizetype maxLength = 256)
{
    QString text;
    const size_t count = in.ConsumeIntegralInRange<size_t>(0, maxTokens);
    for (size_t i = 0; i < count && in.remaining_bytes() > 0 && text.size() < maxLength; ++i) {
        const auto token = in.ConsumeIntegral<uint8_t>();
        if (token < 0x90) {
            const Letter &letter = Letters[token % std::size(Letters)];
            text.append(QStringView(letter.units, letter.size));
        } else if (token < 0xb0) {
            text.append(seed);
        } else if (token < 0xd0) {
            text.append(SkinColourTable.at(token % SkinCount).keyColour);
        } else if (token < 0xe0) {
            // A run of one letter: the worst case for a naive matcher.
            const auto run = in.ConsumeIntegralInRange<int>(1, 80);
            text.append(QString(run, QLatin1Char(token % 2 ? 'a' : '3')));
        } else {
            text.append(QChar(char16_t(in.ConsumeIntegral<uint16_t>())));
        }
    }
    text.truncate(maxLength);
    return text;
}

// A skin label, a near miss of one, or any text.
QString label(FuzzedDataProvider &in)
{
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        return SkinLabel(in.ConsumeIntegralInRange<int>(-1, 26));
    case 1:
        return SkinLabel(in.ConsumeIntegralInRange<int>(1, 24)).append(QLatin1Char(' '));
    case 2:
        return SkinLabel(in.ConsumeIntegralInRange<int>(1, 24)).toLower();
    default:
        return tokens(in, u"Habillage 1", 4);
    }
}

void checkReplaceAll(QStringView code, QStringView search, QStringView replacement)
{
    const QString expected = referenceReplaceAll(code, search, replacement);
    check(ReplaceAll(code, search, replacement) == expected, "ReplaceAll differs from the rule");

    const std::vector<qsizetype> occurrences = findOccurrences(code, search);
    check(occurrences == referenceOccurrences(code, search), "findOccurrences differs");
    if (!search.isEmpty()) {
        check(replaceAt(code, occurrences, search.size(), replacement) == expected,
              "replaceAt differs from the rule");
    }

    // A search that is its own replacement replaces nothing.
    const ReplacedCode counted = ReplaceAllCounted(code, search, replacement);
    check(counted.code == expected, "ReplaceAllCounted differs from the rule");
    check(counted.replacements.inCode ==
              (search == replacement ? std::vector<qsizetype>{} : occurrences),
          "ReplaceAllCounted positions");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);

    // The search is sometimes longer than the short-search filter handles,
    // the code sometimes longer than the block of the same-length path.
    const QString search = tokens(in, u"#333333", in.ConsumeBool() ? 6 : 48, 96);
    const QString replacement = tokens(in, search, 6);
    const QString code = tokens(in, search, 400, 40 * 1024);
    checkReplaceAll(code, search, replacement);
    checkReplaceAll(code, search, search); // same length: the fused path

    const QString baseSkin = label(in);
    const QString targetSkin = label(in);
    const QString baseColour = in.ConsumeBool() ? search : QStringLiteral("#333333");
    const QString targetColour = in.ConsumeBool() ? replacement : QStringLiteral("#333333");

    const ConversionResult skin = ConvertSkin(baseSkin, targetSkin, baseColour, targetColour, code);
    check(skin.baseColour == referenceLookup(baseSkin, baseColour), "ConvertSkin base colour");
    check(skin.targetColour == referenceLookup(targetSkin, targetColour),
          "ConvertSkin target colour");
    check(skin.convertedCode == referenceReplaceAll(code, skin.baseColour, skin.targetColour),
          "ConvertSkin code");

    const ConversionResult free = ReplaceInCode(search, replacement, code);
    check(free.baseColour == search && free.targetColour == replacement, "ReplaceInCode fields");
    check(free.convertedCode == referenceReplaceAll(code, search, replacement),
          "ReplaceInCode code");

    // The batch: each variant is the conversion from the batch base to its skin.
    const QString batchBaseSkin = label(in);
    const QString folder = tokens(in, u"/tmp", 4);
    const QString prefix = tokens(in, u"habillage", 3);
    const SkinBatch batch({batchBaseSkin, folder, prefix, code, baseColour});
    const QString base = referenceLookup(batchBaseSkin, baseColour);
    for (int n = 1; n <= SkinCount; ++n) {
        const QString target = SkinColourTable.at(size_t(n - 1)).keyColour.toString();
        check(batch.content(n) == referenceReplaceAll(code, base, target), "batch content");
        QString name = folder;
#ifdef Q_OS_WIN
        name.append(QLatin1Char('\\'));
#else
        name.append(QLatin1Char('/'));
#endif
        name.append(prefix).append(QString::number(n)).append(QLatin1StringView(".txt"));
        check(batch.fileName(n) == name, "batch file name");
    }
    const ConversionResult last = batch.conversion(SkinCount);
    check(last.baseColour == base && last.targetColour == SkinColourTable.back().keyColour &&
              last.convertedCode == batch.content(SkinCount),
          "batch last conversion");
    return 0;
}
