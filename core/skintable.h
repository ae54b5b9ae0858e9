// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The 24 stock skins of the blog platform and the key colour of each.
//
// A decoration code written for one skin carries that skin's key colour;
// converting it to another skin swaps that colour for the other skin's.
//
//   FindKeyColour(u"Habillage 2")   -> "#7e94a5"
//   FindKeyColour(u"habillage 2")   -> no match (exact, case-sensitive)
//   LookupColourField(u"Habillage 25", u"#123456") -> "#123456" (field kept)
#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace velbrisk {

inline constexpr int SkinCount = 24;

struct SkinEntry
{
    QStringView label;     // "Habillage 1" to "Habillage 24"
    QStringView keyColour; // "#" and six lower-case hexadecimal digits
};

// Skin n at index n - 1; several skins share a key colour.
extern const std::array<SkinEntry, SkinCount> SkinColourTable;

// The label of skin `number` (1 to 24): "Habillage " and the number.
QString SkinLabel(int number);

// The key colour of the skin whose label equals `label` exactly, if any.
std::optional<QStringView> FindKeyColour(QStringView label);

// A colour field fed by a skin label: the matched key colour, or the field's
// current text when the label names no skin.
QString LookupColourField(QStringView label, const QString &currentField);

} // namespace velbrisk
