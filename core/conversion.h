// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The two conversions of a code, in window-free form.
//
// Both give back the search and replacement texts in use (the base and target
// colours of a skin conversion) and the converted code. The input code itself
// is never changed.
#pragma once

#include "core/replaceall.h"

#include <QString>
#include <QStringView>

namespace velbrisk {

struct ConversionResult
{
    QString baseColour;   // or, for a free replacement, the search text
    QString targetColour; // or, for a free replacement, the replacement text
    QString convertedCode;
    Replacements replacements; // what was replaced, where
};

// Skin to skin: looks both key colours up afresh from the two skin labels
// (keeping the colour given when its label names no skin), then replaces the
// base colour by the target colour throughout the code.
ConversionResult ConvertSkin(QStringView baseSkin, QStringView targetSkin,
                             const QString &baseColour, const QString &targetColour,
                             QStringView code);

// Free replacement: `search` by `replacement` throughout the code.
ConversionResult ReplaceInCode(const QString &search, const QString &replacement, QStringView code);

// What a conversion did, in one French sentence, for whoever reads the output
// box: the mouse, the keyboard and screen readers alike.
//   "12 remplacements de « #000000 » par « #333333 »", "1 remplacement de …"
//   "3 occurrences de « ; » supprimées"           (an empty replacement)
//   "Aucune occurrence de « #000000 » : le code est inchangé."
//   "« #000000 » remplacé par lui-même : le code est inchangé."
//   "Aucun texte à remplacer : le code est inchangé."  (an empty search)
// A search or replacement text of several lines, or longer than 30
// characters, is cut and ends with "…". The quotes are set as the program's
// other messages set them, with plain spaces.
QString ConversionReport(const ConversionResult &result);

} // namespace velbrisk
