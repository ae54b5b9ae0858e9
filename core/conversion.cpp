// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/conversion.h"

#include "core/replaceall.h"
#include "core/skintable.h"

using namespace Qt::StringLiterals;

namespace velbrisk {
namespace {

// Texts quoted in a report are cut here: a tooltip is one short line.
constexpr qsizetype QuotedLength = 30;

// `text` between French quotes, its first line alone and at most
// QuotedLength characters of it, a surrogate pair never split.
QString quoted(QStringView text)
{
    qsizetype end = 0;
    while (end < text.size() && end < QuotedLength) {
        const char16_t unit = text[end].unicode();
        if (unit == u'\n' || unit == u'\r' || unit == 0x2028 || unit == 0x2029)
            break;
        ++end;
    }
    if (end > 0 && end < text.size() && text[end - 1].isHighSurrogate())
        --end;
    QString shown = text.left(end).toString();
    if (end < text.size())
        shown += u'…';
    return u"« "_s + shown + u" »"_s;
}

} // namespace

ConversionResult ConvertSkin(QStringView baseSkin, QStringView targetSkin,
                             const QString &baseColour, const QString &targetColour,
                             QStringView code)
{
    ConversionResult result;
    result.baseColour = LookupColourField(baseSkin, baseColour);
    result.targetColour = LookupColourField(targetSkin, targetColour);
    ReplacedCode replaced = ReplaceAllCounted(code, result.baseColour, result.targetColour);
    result.convertedCode = std::move(replaced.code);
    result.replacements = std::move(replaced.replacements);
    return result;
}

ConversionResult ReplaceInCode(const QString &search, const QString &replacement, QStringView code)
{
    ReplacedCode replaced = ReplaceAllCounted(code, search, replacement);
    return {search, replacement, std::move(replaced.code), std::move(replaced.replacements)};
}

QString ConversionReport(const ConversionResult &result)
{
    const QString &search = result.baseColour;
    const QString &replacement = result.targetColour;
    const qsizetype count = result.replacements.count();
    if (search.isEmpty())
        return u"Aucun texte à remplacer : le code est inchangé."_s;
    if (search == replacement)
        return quoted(search) + u" remplacé par lui-même : le code est inchangé."_s;
    if (count == 0)
        return u"Aucune occurrence de "_s + quoted(search) + u" : le code est inchangé."_s;
    const QString number = QString::number(count);
    if (replacement.isEmpty()) {
        return count == 1 ? u"1 occurrence de "_s + quoted(search) + u" supprimée"_s
                          : number + u" occurrences de "_s + quoted(search) + u" supprimées"_s;
    }
    return number + (count == 1 ? u" remplacement de "_s : u" remplacements de "_s) +
           quoted(search) + u" par "_s + quoted(replacement);
}

} // namespace velbrisk
