// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The two conversions of a code, in window-free form.
//
// Both give back the search and replacement texts in use (the base and target
// colours of a skin conversion) and the converted code. The input code itself
// is never changed.
#pragma once

#include <QString>
#include <QStringView>

namespace velbrisk {

struct ConversionResult
{
    QString baseColour;   // or, for a free replacement, the search text
    QString targetColour; // or, for a free replacement, the replacement text
    QString convertedCode;
};

// Skin to skin: looks both key colours up afresh from the two skin labels
// (keeping the colour given when its label names no skin), then replaces the
// base colour by the target colour throughout the code.
ConversionResult ConvertSkin(QStringView baseSkin, QStringView targetSkin,
                             const QString &baseColour, const QString &targetColour,
                             QStringView code);

// Free replacement: `search` by `replacement` throughout the code.
ConversionResult ReplaceInCode(const QString &search, const QString &replacement, QStringView code);

} // namespace velbrisk
