// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// File names as the disks take them, private to core/: where a name begins in
// a path, how long it is, and the names no disk takes, which the writer
// refuses before writing anything.
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace velbrisk {

// The longest name of one folder or file, in bytes on Unix file systems and
// in UTF-16 units on Windows.
inline constexpr qsizetype MaxNameLength = 255;

// The length of `name` in the units MaxNameLength counts.
qsizetype nameLength(QStringView name);

// Where the last folder separator of `fileName` is, or -1 without one.
qsizetype lastSeparator(const QString &fileName);

// The folder that holds `fileName`, as the user wrote it, without the
// separators that end it: "/x//habillage1.txt" gives "/x".
QString parentFolder(const QString &fileName);

// Why Windows refuses a file's name, whatever the disk.
struct RefusedWindowsName
{
    enum class Why
    {
        Character, // a control character or one of < > : " | ? *
        Device,    // the name of a device, such as "COM1.txt"
    };
    Why why = Why::Character;
    QString part; // the character, or the device's name as written
};

// Whether Windows refuses `name`, and why. Known on every system, so that the
// rule reads the same wherever it is built; only Windows applies it.
std::optional<RefusedWindowsName> refusedByWindows(QStringView name);

// Whether no disk takes `name` as the name of a file: too long, or, on
// Windows, refused by Windows.
bool isRefusedName(QStringView name);

} // namespace velbrisk
