// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/startfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_WIN
// Qt reads a file's access rights on NTFS only when asked to, for as long as
// such a guard lives. Qt 6.6 made it a class and deprecated the counter
// before it, which is all Qt 6.4 has.
#if QT_VERSION < QT_VERSION_CHECK(6, 6, 0)
Q_CORE_EXPORT extern int qt_ntfs_permission_lookup;
#endif
namespace {
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
using NtfsPermissionCheck = QNtfsPermissionCheckGuard;
#else
struct NtfsPermissionCheck
{
    NtfsPermissionCheck() { ++qt_ntfs_permission_lookup; }
    ~NtfsPermissionCheck() { --qt_ntfs_permission_lookup; }
    NtfsPermissionCheck(const NtfsPermissionCheck &) = delete;
    NtfsPermissionCheck &operator=(const NtfsPermissionCheck &) = delete;
};
#endif
} // namespace
#endif

namespace velbrisk {

QString UserFolder()
{
#ifdef Q_OS_WIN
    // The shell's known folder, wherever it was moved and however it is named.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return QDir::toNativeSeparators(documents);
#endif
    return QDir::toNativeSeparators(QDir::homePath());
}

QString StartFolderList(const QString &currentFolder, const QString &programFolder,
                        const QString &userFolder, bool currentIsWritable)
{
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity Case = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity Case = Qt::CaseSensitive;
#endif
    const bool isProgramFolder =
        QDir::cleanPath(QDir::fromNativeSeparators(currentFolder))
            .compare(QDir::cleanPath(QDir::fromNativeSeparators(programFolder)), Case) == 0;
    return isProgramFolder || !currentIsWritable ? userFolder : currentFolder;
}

bool IsWritableFolder(const QString &folder)
{
#ifdef Q_OS_WIN
    const NtfsPermissionCheck ntfs;
#endif
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

} // namespace velbrisk
