// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Saying in French why a skin file could not be written.
//
// The writer hands over what it knew when the step failed (the system's error
// code, Qt's text) and gets back the reason shown in the error box. The
// checks of a file's name live here too: the writer makes them before writing
// anything, and they give the same reasons.
#pragma once

#include <QString>
#include <QStringView>

namespace velbrisk {

struct SkinFileFailure
{
    enum class Step
    {
        Create,  // the file could not be created or opened
        Write,   // writing its content failed (a full disk, for instance)
        Replace, // putting the finished file in place of the old one failed
    };

    QString fileName;
    int skinNumber = 0; // 1 to 24; 0 when a single file was written
    Step step = Step::Create;
    QString reason; // French, e.g. "le dossier « /x » n'existe pas"

    // The full French text of the error box.
    QString message() const;
};

// The longest name of one folder or file, in bytes on Unix file systems and
// in UTF-16 units on Windows.
inline constexpr qsizetype MaxNameLength = 255;

// The length of `name` in the units MaxNameLength counts.
qsizetype NameLength(QStringView name);

// Where the last folder separator of `fileName` is, or -1 without one.
qsizetype LastSeparator(const QString &fileName);

// Whether no disk takes `name` as the name of a file: too long, or, on
// Windows, holding a forbidden character or naming a device. The writer asks
// before writing anything; FailureReason then says why.
bool IsRefusedName(QStringView name);

// The system's own code of the last failure: errno, or GetLastError() on
// Windows. Cleared before each step and read right after it fails, before
// anything else can overwrite it.
void ClearSystemError();
int SystemError();

// Why writing `fileName` failed at `step`, in French. `systemError` is errno,
// or GetLastError() on Windows; `qtError` is Qt's own text; `size` is the
// number of bytes that were to be written.
QString FailureReason(const QString &fileName, SkinFileFailure::Step step, int systemError,
                      const QString &qtError, qint64 size);

} // namespace velbrisk
