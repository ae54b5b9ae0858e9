// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/systemerror_p.h"

#include "core/windowsapi_p.h"

#ifndef Q_OS_WIN
#include <cerrno>
#endif

namespace velbrisk {

void clearSystemError()
{
#ifdef Q_OS_WIN
    SetLastError(0);
#else
    errno = 0;
#endif
}

int systemError()
{
#ifdef Q_OS_WIN
    return int(GetLastError());
#else
    return errno;
#endif
}

FailureKind failureKind(int error)
{
    using enum FailureKind;
#ifdef Q_OS_WIN
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return NotFound;
    case ERROR_ACCESS_DENIED:
        return AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FileInUse;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return DiskFull;
    case ERROR_DISK_QUOTA_EXCEEDED:
        return QuotaExceeded;
    case ERROR_WRITE_PROTECT:
        return WriteProtectedDisk;
    case ERROR_NOT_READY:
        return DiskNotReady;
    case ERROR_FILENAME_EXCED_RANGE:
        return NameTooLong;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
        return InvalidName;
    case ERROR_TOO_MANY_OPEN_FILES:
        return TooManyOpenFiles;
    case ERROR_BAD_NETPATH:
    case ERROR_NETWORK_UNREACHABLE:
    case ERROR_UNEXP_NET_ERR:
        return NetworkUnreachable;
    case ERROR_CRC:
    case ERROR_GEN_FAILURE:
        return DiskFault;
    case ERROR_WRITE_FAULT:
        return WriteFault;
    case ERROR_READ_FAULT:
        return ReadFault;
    default:
        return Unknown;
    }
#else
    switch (error) {
    case ENOENT:
        return NotFound;
    case ENOTDIR:
        return NotAFolderOnPath;
    case EISDIR:
        return IsAFolder;
    case EACCES:
    case EPERM:
        return AccessDenied;
    case EROFS:
        return ReadOnlyDisk;
    case ENOSPC:
        return DiskFull;
#ifdef EDQUOT
    case EDQUOT:
        return QuotaExceeded;
#endif
    case ENAMETOOLONG:
        return NameTooLong;
    case EINVAL:
    case EILSEQ:
        return InvalidName;
    case EBUSY:
    case ETXTBSY:
        return FileInUse;
    case EMFILE:
    case ENFILE:
        return TooManyOpenFiles;
    case EFBIG:
        return FileTooLarge;
    case ENOMEM:
        return OutOfMemory;
    case ELOOP:
        return LinkLoop;
    case EIO:
        return DiskFault;
    default:
        return Unknown;
    }
#endif
}

} // namespace velbrisk
