// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/conversion.h"

#include "core/replaceall.h"
#include "core/skintable.h"

namespace velbrisk {

ConversionResult ConvertSkin(QStringView baseSkin, QStringView targetSkin,
                             const QString &baseColour, const QString &targetColour,
                             QStringView code)
{
    ConversionResult result;
    result.baseColour = LookupColourField(baseSkin, baseColour);
    result.targetColour = LookupColourField(targetSkin, targetColour);
    result.convertedCode = ReplaceAll(code, result.baseColour, result.targetColour);
    return result;
}

ConversionResult ReplaceInCode(const QString &search, const QString &replacement, QStringView code)
{
    return {search, replacement, ReplaceAll(code, search, replacement)};
}

} // namespace velbrisk
