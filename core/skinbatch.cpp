#include "core/skinbatch.h"

#include "core/replaceall.h"

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
    : m_input(std::move(input)), m_baseColour(LookupColourField(m_input.combo3, m_input.txtHab1)),
      m_occurrences(FindOccurrences(m_input.text1, m_baseColour))
{
}

QString SkinBatch::fileName(int skinNumber) const
{
    return SkinFileName(m_input.text5, m_input.text6, skinNumber);
}

QString SkinBatch::content(int skinNumber) const
{
    const QStringView target = SkinColourTable.at(size_t(skinNumber - 1)).KeyColour;
    // Skins that share the base colour get the code itself, without a copy.
    if (m_occurrences.empty() || target == m_baseColour)
        return m_input.text1;
    return ReplaceAt(m_input.text1, m_occurrences, m_baseColour.size(), target);
}

ConversionResult SkinBatch::conversion(int skinNumber) const
{
    return {m_baseColour, SkinColourTable.at(size_t(skinNumber - 1)).KeyColour.toString(),
            content(skinNumber)};
}

QString SkinBatch::finalTxtHab2() const
{
    return SkinColourTable.back().KeyColour.toString();
}

QString SkinBatch::closingMessage() const
{
    return QStringLiteral("Vos 24 Habillages sont créés et placés dans :\n") + m_input.text5;
}

} // namespace velbrisk
