// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/skinfilefailure_p.h"

#include "core/failurereasons_p.h"
#include "core/filenames_p.h"
#include "core/systemerror_p.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

using namespace Qt::StringLiterals;

namespace velbrisk {
namespace {

using Step = SkinFileFailure::Step;

// What the file system shows now is checked first, since it names the folder
// or the file at fault; then the system's error code; then, for a write, the
// free space; last, Qt's own (English) text.
QString writeFailureReason(const QString &fileName, Step step, int errorCode,
                           const QString &qtError, qint64 size)
{
    using enum FailureKind;
    const QString folder = parentFolder(fileName);
    const auto reason = [&](FailureKind kind) {
        return failureReason(kind, Access::Write, folder);
    };

    if (fileName.isEmpty())
        return reason(NoFileName);
    if (QFileInfo(fileName).isDir())
        return reason(IsAFolder);

    const QStringList names = QDir::fromNativeSeparators(fileName).split(u'/', Qt::SkipEmptyParts);
    if (!names.isEmpty() && nameLength(names.last()) > MaxNameLength)
        return reason(NameTooLong);
    for (const QString &name : names) {
        if (nameLength(name) > MaxNameLength)
            return reason(FolderNameTooLong);
    }
#ifndef Q_OS_WIN
    if (QFile::encodeName(fileName).size() >= 4096)
        return reason(PathTooLong);
#endif

#ifdef Q_OS_WIN
    if (const auto refusal = refusedByWindows(names.isEmpty() ? QString() : names.last()))
        return failureReason(*refusal);
#endif

    const QFileInfo folderInfo(folder);
    if (!folderInfo.exists())
        return reason(NotFound);
    if (!folderInfo.isDir())
        return reason(FolderIsAFile);

    // QSaveFile refuses to replace a read-only file before the system is
    // asked anything, so there is no error code to read.
    if (const QFileInfo info(fileName); info.exists() && !info.isWritable())
        return reason(QStorageInfo(folder).isReadOnly() ? ReadOnlyDisk : ReadOnlyFile);

    if (QString known = reason(failureKind(errorCode)); !known.isEmpty())
        return known;

    if (step == Step::Write) {
        const QStorageInfo storage(folder);
        if (storage.isValid() && storage.bytesAvailable() < size)
            return reason(DiskFull);
    }

    return unexpectedFailureReason(qtError);
}

} // namespace

SkinFileFailure skinFileFailure(const QString &fileName, Step step, int errorCode,
                                const QString &qtError, qint64 size)
{
    return {fileName, 0, step, writeFailureReason(fileName, step, errorCode, qtError, size)};
}

QString SkinFileFailure::message() const
{
    QString verb;
    switch (step) {
    case Step::Create:
        verb = u"créé"_s;
        break;
    case Step::Write:
        verb = u"écrit"_s;
        break;
    case Step::Replace:
        verb = u"remplacé"_s;
        break;
    }
    QString text = u"Le fichier "_s + quotedPath(fileName) + u" n'a pas pu être "_s + verb +
                   u" : "_s + reason + u"."_s;
    if (skinNumber == 1)
        text += u"\nAucun fichier d'habillage n'a été écrit."_s;
    else if (skinNumber == 2)
        text += u"\nSeul le fichier de l'habillage 1 a été écrit."_s;
    else if (skinNumber > 2)
        text += u"\nLes fichiers des habillages 1 à %1 ont été écrits, les suivants non."_s.arg(
            skinNumber - 1);
    return text;
}

} // namespace velbrisk
