// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The writer's side of a failure, private to core/: the checks of a file's
// name, which the writer makes before writing anything, and the one helper
// that turns what it knew when a step failed (the system's error code, Qt's
// text) into a failure whose reason is the French text of the error box.
#pragma once

#include "core/skinfilefailure.h"

#include <QString>
#include <QStringView>

namespace velbrisk {

// The longest name of one folder or file, in bytes on Unix file systems and
// in UTF-16 units on Windows.
inline constexpr qsizetype MaxNameLength = 255;

// The length of `name` in the units MaxNameLength counts.
qsizetype nameLength(QStringView name);

// Where the last folder separator of `fileName` is, or -1 without one.
qsizetype lastSeparator(const QString &fileName);

// Whether no disk takes `name` as the name of a file: too long, or, on
// Windows, holding a forbidden character or naming a device. The writer asks
// before writing anything; the failure then says why.
bool isRefusedName(QStringView name);

// The system's own code of the last failure: errno, or GetLastError() on
// Windows. Cleared before each step and read right after it fails, before
// anything else can overwrite it.
void clearSystemError();
int systemError();

// The cause named by the system's error code `error` (errno, or
// GetLastError() on Windows), said of a file in `folder`; an empty text for a
// code this program does not know. Reading a dropped file shares the causes
// that fit a read.
QString systemFailureReason(int error, const QString &folder);

// The reason given when nothing better is known, with Qt's own text if any.
QString unexpectedFailureReason(const QString &qtError);

// Writing `fileName` failed at `step`: the failure, with its reason in
// French. `errorCode` is errno, or GetLastError() on Windows; `qtError` is
// Qt's own text; `size` is the number of bytes that were to be written.
SkinFileFailure skinFileFailure(const QString &fileName, SkinFileFailure::Step step,
                                int errorCode = 0, const QString &qtError = {}, qint64 size = 0);

} // namespace velbrisk
