// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/filenames_p.h"

#include <QFile>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace velbrisk {
namespace {

bool isSeparator(QChar c)
{
#ifdef Q_OS_WIN
    return c == u'\\' || c == u'/';
#else
    return c == u'/';
#endif
}

} // namespace

qsizetype nameLength(QStringView name)
{
#ifdef Q_OS_WIN
    return name.size();
#else
    return QFile::encodeName(name.toString()).size();
#endif
}

qsizetype lastSeparator(const QString &fileName)
{
    qsizetype at = fileName.size() - 1;
    while (at >= 0 && !isSeparator(fileName.at(at)))
        --at;
    return at;
}

QString parentFolder(const QString &fileName)
{
    const qsizetype separator = lastSeparator(fileName);
    if (separator < 0)
        return u"."_s;
    qsizetype end = separator;
    while (end > 0 && isSeparator(fileName.at(end - 1)))
        --end;
    QString folder = fileName.left(end);
    // The root keeps its separator: "/", or "C:\" on Windows.
#ifdef Q_OS_WIN
    const bool root = folder.isEmpty() || folder.endsWith(u':');
#else
    const bool root = folder.isEmpty();
#endif
    if (root)
        folder.append(fileName.at(separator));
    return folder;
}

// A ":" would write into a hidden stream of another file, and a device name
// would open the device.
std::optional<RefusedWindowsName> refusedByWindows(QStringView name)
{
    using Why = RefusedWindowsName::Why;
    for (const QChar c : name) {
        if (c.unicode() < 32 || QStringView(u"<>:\"|?*").contains(c))
            return RefusedWindowsName{Why::Character, QString(c)};
    }
    const QStringView stem = name.left(name.indexOf(u'.')).trimmed();
    static const QStringList devices = {u"CON"_s, u"PRN"_s, u"AUX"_s, u"NUL"_s};
    const bool numbered = stem.size() == 4 &&
                          (stem.startsWith(u"COM", Qt::CaseInsensitive) ||
                           stem.startsWith(u"LPT", Qt::CaseInsensitive)) &&
                          stem.at(3) >= u'1' && stem.at(3) <= u'9';
    if (numbered || devices.contains(stem.toString(), Qt::CaseInsensitive))
        return RefusedWindowsName{Why::Device, stem.toString()};
    return std::nullopt;
}

bool isRefusedName(QStringView name)
{
#ifdef Q_OS_WIN
    return nameLength(name) > MaxNameLength || refusedByWindows(name);
#else
    return nameLength(name) > MaxNameLength;
#endif
}

} // namespace velbrisk
