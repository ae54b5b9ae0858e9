// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Each kind of failure to write or read a file, and its French reason in the
// error box, private to core/. The kinds are the same on every system: the
// system's own codes are turned into them (core/systemerror_p.h), and the
// writer's checks of the file system find some of them before any call.
#pragma once

#include "core/filenames_p.h"

#include <QString>

namespace velbrisk {

enum class FailureKind
{
    Unknown, // nothing this program can name

    // Said by the system's error code, and some also found by a check.
    NotFound,         // the folder (or, for a read, the file) does not exist
    NotAFolderOnPath, // a part of the path is a file
    IsAFolder,        // a folder stands where the file is named
    AccessDenied,
    ReadOnlyDisk,       // a disk mounted read-only
    WriteProtectedDisk, // a disk whose medium is write-protected
    DiskFull,
    QuotaExceeded,
    DiskNotReady,
    NameTooLong,
    InvalidName,
    FileInUse, // held or locked by another program
    TooManyOpenFiles,
    FileTooLarge,
    OutOfMemory,
    LinkLoop, // symbolic links that lead round in a circle
    NetworkUnreachable,
    DiskFault,  // the disk's error, neither a read's nor a write's by name
    WriteFault, // the disk's error on a write
    ReadFault,  // the disk's error on a read

    // Found only by the writer's checks of the file system.
    NoFileName,
    FolderNameTooLong, // one folder's name on the path
    PathTooLong,       // the whole path, longer than the system takes
    FolderIsAFile,     // the folder named is a file
    ReadOnlyFile,
};

// What was being done with the file when it failed.
enum class Access
{
    Read,
    Write,
};

// "« path »", with the system's own separators.
QString quotedPath(const QString &path);

// The reason of a failure of `kind` while accessing a file in `folder`; an
// empty text for a kind the access has no words for.
QString failureReason(FailureKind kind, Access access, const QString &folder);

// Why Windows refuses a name.
QString failureReason(const RefusedWindowsName &refusal);

// The reason given when nothing better is known, with Qt's own text if any.
QString unexpectedFailureReason(const QString &qtError);

} // namespace velbrisk
