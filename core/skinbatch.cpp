// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/skinbatch.h"

#include "core/replaceall_p.h"

namespace velbrisk {

QString SkinFileName(QStringView folder, QStringView prefix, int skinNumber)
{
#ifdef Q_OS_WIN
    constexpr QStringView separator = u"\\";
#else
    constexpr QStringView separator = u"/";
#endif
    QString name;
    name.reserve(folder.size() + prefix.size() + 8);
    name.append(folder).append(separator).append(prefix);
    name.append(QString::number(skinNumber)).append(u".txt");
    return name;
}

SkinBatch::SkinBatch(BatchInput input)
    : m_input(std::move(input)),
      m_baseColour(LookupColourField(m_input.baseSkin, m_input.baseColour)),
      m_occurrences(findOccurrences(m_input.code, m_baseColour))
{
}

QString SkinBatch::fileName(int skinNumber) const
{
    return SkinFileName(m_input.folder, m_input.prefix, skinNumber);
}

QString SkinBatch::content(int skinNumber) const
{
    const QStringView target = SkinColourTable.at(size_t(skinNumber - 1)).keyColour;
    // Skins that share the base colour get the code itself, without a copy.
    if (m_occurrences.empty() || target == m_baseColour)
        return m_input.code;
    return replaceAt(m_input.code, m_occurrences, m_baseColour.size(), target);
}

ConversionResult SkinBatch::conversion(int skinNumber) const
{
    const QStringView target = SkinColourTable.at(size_t(skinNumber - 1)).keyColour;
    // The occurrences the batch found once are those each conversion replaced.
    Replacements replacements{{}, m_baseColour.size(), target.size()};
    if (target != m_baseColour)
        replacements.inCode = m_occurrences;
    return {m_baseColour, target.toString(), content(skinNumber), std::move(replacements)};
}

QString SkinBatch::closingMessage() const
{
    return QStringLiteral("Vos 24 Habillages sont créés et placés dans :\n") + m_input.folder;
}

} // namespace velbrisk
