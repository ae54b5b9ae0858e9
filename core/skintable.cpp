// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/skintable.h"

namespace velbrisk {

const std::array<SkinEntry, SkinCount> SkinColourTable = {{
    {u"Habillage 1", u"#333333"},  {u"Habillage 2", u"#7e94a5"},  {u"Habillage 3", u"#333300"},
    {u"Habillage 4", u"#ccd6e0"},  {u"Habillage 5", u"#9c0062"},  {u"Habillage 6", u"#6599ff"},
    {u"Habillage 7", u"#629962"},  {u"Habillage 8", u"#cd6562"},  {u"Habillage 9", u"#ffffff"},
    {u"Habillage 10", u"#ffffff"}, {u"Habillage 11", u"#ffffff"}, {u"Habillage 12", u"#ffcecd"},
    {u"Habillage 13", u"#000000"}, {u"Habillage 14", u"#000000"}, {u"Habillage 15", u"#000000"},
    {u"Habillage 16", u"#ffbe39"}, {u"Habillage 17", u"#ffffcd"}, {u"Habillage 18", u"#c5c6de"},
    {u"Habillage 19", u"#ee449c"}, {u"Habillage 20", u"#4a5052"}, {u"Habillage 21", u"#4a4c52"},
    {u"Habillage 22", u"#6a0420"}, {u"Habillage 23", u"#f6a5ee"}, {u"Habillage 24", u"#313031"},
}};

QString SkinLabel(int number)
{
    return QStringLiteral("Habillage ") + QString::number(number);
}

std::optional<QStringView> FindKeyColour(QStringView label)
{
    for (const SkinEntry &entry : SkinColourTable) {
        if (entry.label == label)
            return entry.keyColour;
    }
    return std::nullopt;
}

QString LookupColourField(QStringView label, const QString &currentField)
{
    if (const auto colour = FindKeyColour(label))
        return colour->toString();
    return currentField;
}

} // namespace velbrisk
