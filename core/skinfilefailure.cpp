// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/skinfilefailure_p.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// MinGW's headers lack this one.
#ifndef ERROR_DISK_QUOTA_EXCEEDED
#define ERROR_DISK_QUOTA_EXCEEDED 1295L
#endif
#else
#include <cerrno>
#endif

using namespace Qt::StringLiterals;

namespace velbrisk {
namespace {

using Step = SkinFileFailure::Step;

QString quoted(const QString &path)
{
    return u"« "_s + QDir::toNativeSeparators(path) + u" »"_s;
}

bool isSeparator(QChar c)
{
#ifdef Q_OS_WIN
    return c == u'\\' || c == u'/';
#else
    return c == u'/';
#endif
}

// The folder that holds `fileName`, as the user wrote it, without the
// separators that end it: "/x//habillage1.txt" gives "/x".
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

#ifdef Q_OS_WIN
// Checked before anything is written: a ":" would otherwise write into a
// hidden stream of another file, and a device name such as "COM1.txt" would
// open the device.
QString windowsNameFault(QStringView name)
{
    for (const QChar c : name) {
        if (c.unicode() < 32 || QStringView(u"<>:\"|?*").contains(c))
            return u"le nom du fichier n'est pas valide : le caractère « "_s +
                   (c.unicode() < 32 ? u"\\x%1"_s.arg(int(c.unicode()), 2, 16, QChar(u'0'))
                                     : QString(c)) +
                   u" » est interdit par Windows"_s;
    }
    const QStringView stem = name.left(name.indexOf(u'.')).trimmed();
    static const QStringList devices = {u"CON"_s, u"PRN"_s, u"AUX"_s, u"NUL"_s};
    const bool numbered = stem.size() == 4 &&
                          (stem.startsWith(u"COM", Qt::CaseInsensitive) ||
                           stem.startsWith(u"LPT", Qt::CaseInsensitive)) &&
                          stem.at(3) >= u'1' && stem.at(3) <= u'9';
    if (numbered || devices.contains(stem.toString(), Qt::CaseInsensitive))
        return u"le nom du fichier n'est pas valide : « "_s + stem.toString() +
               u" » est le nom d'un périphérique de Windows"_s;
    return {};
}
#endif

} // namespace

qsizetype lastSeparator(const QString &fileName)
{
    qsizetype at = fileName.size() - 1;
    while (at >= 0 && !isSeparator(fileName.at(at)))
        --at;
    return at;
}

qsizetype nameLength(QStringView name)
{
#ifdef Q_OS_WIN
    return name.size();
#else
    return QFile::encodeName(name.toString()).size();
#endif
}

bool isRefusedName(QStringView name)
{
#ifdef Q_OS_WIN
    return nameLength(name) > MaxNameLength || !windowsNameFault(name).isEmpty();
#else
    return nameLength(name) > MaxNameLength;
#endif
}

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

QString systemFailureReason(int error, const QString &folder)
{
#ifdef Q_OS_WIN
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return u"le dossier "_s + quoted(folder) + u" n'existe pas"_s;
    case ERROR_ACCESS_DENIED:
        return u"accès refusé"_s;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return u"le fichier est utilisé par un autre programme"_s;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return u"le disque est plein"_s;
    case ERROR_DISK_QUOTA_EXCEEDED:
        return u"le quota d'espace disque est dépassé"_s;
    case ERROR_WRITE_PROTECT:
        return u"le disque est protégé en écriture"_s;
    case ERROR_NOT_READY:
        return u"le disque n'est pas prêt"_s;
    case ERROR_FILENAME_EXCED_RANGE:
        return u"le nom du fichier est trop long"_s;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
        return u"le nom du fichier n'est pas valide"_s;
    case ERROR_TOO_MANY_OPEN_FILES:
        return u"trop de fichiers sont ouverts"_s;
    case ERROR_BAD_NETPATH:
    case ERROR_NETWORK_UNREACHABLE:
    case ERROR_UNEXP_NET_ERR:
        return u"le dossier réseau n'est pas joignable"_s;
    case ERROR_CRC:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
        return u"le disque a signalé une erreur d'écriture"_s;
    default:
        return {};
    }
#else
    switch (error) {
    case ENOENT:
        return u"le dossier "_s + quoted(folder) + u" n'existe pas"_s;
    case ENOTDIR:
        return u"un élément du chemin "_s + quoted(folder) + u" n'est pas un dossier"_s;
    case EISDIR:
        return u"un dossier porte déjà ce nom"_s;
    case EACCES:
    case EPERM:
        return u"accès refusé"_s;
    case EROFS:
        return u"le disque est en lecture seule"_s;
    case ENOSPC:
        return u"le disque est plein"_s;
#ifdef EDQUOT
    case EDQUOT:
        return u"le quota d'espace disque est dépassé"_s;
#endif
    case ENAMETOOLONG:
        return u"le nom du fichier est trop long"_s;
    case EINVAL:
    case EILSEQ:
        return u"le nom du fichier n'est pas valide"_s;
    case EBUSY:
    case ETXTBSY:
        return u"le fichier est utilisé par un autre programme"_s;
    case EMFILE:
    case ENFILE:
        return u"trop de fichiers sont ouverts"_s;
    case EFBIG:
        return u"le fichier dépasse la taille permise"_s;
    case ENOMEM:
        return u"la mémoire est insuffisante"_s;
    case ELOOP:
        return u"le chemin contient une boucle de liens symboliques"_s;
    case EIO:
        return u"le disque a signalé une erreur d'écriture"_s;
    default:
        return {};
    }
#endif
}

QString unexpectedFailureReason(const QString &qtError)
{
    QString unknown = u"une erreur inattendue est survenue"_s;
    if (!qtError.isEmpty())
        unknown += u" (« "_s + qtError + u" »)"_s;
    return unknown;
}

namespace {

// What the file system shows now is checked first, since it names the folder
// or the file at fault; then the system's error code; then, for a write, the
// free space; last, Qt's own (English) text.
QString failureReason(const QString &fileName, Step step, int errorCode, const QString &qtError,
                      qint64 size)
{
    if (fileName.isEmpty())
        return u"aucun nom de fichier n'est donné"_s;

    const QString folder = parentFolder(fileName);
    if (QFileInfo(fileName).isDir())
        return u"un dossier porte déjà ce nom"_s;

    const QStringList names = QDir::fromNativeSeparators(fileName).split(u'/', Qt::SkipEmptyParts);
    if (!names.isEmpty() && nameLength(names.last()) > MaxNameLength)
        return u"le nom du fichier est trop long"_s;
    for (const QString &name : names) {
        if (nameLength(name) > MaxNameLength)
            return u"le nom d'un des dossiers du chemin est trop long"_s;
    }
#ifndef Q_OS_WIN
    if (QFile::encodeName(fileName).size() >= 4096)
        return u"le chemin du fichier est trop long"_s;
#endif

#ifdef Q_OS_WIN
    if (QString fault = windowsNameFault(names.isEmpty() ? QString() : names.last());
        !fault.isEmpty())
        return fault;
#endif

    const QFileInfo folderInfo(folder);
    if (!folderInfo.exists())
        return u"le dossier "_s + quoted(folder) + u" n'existe pas"_s;
    if (!folderInfo.isDir())
        return quoted(folder) + u" n'est pas un dossier"_s;

    // QSaveFile refuses to replace a read-only file before the system is
    // asked anything, so there is no error code to read.
    if (const QFileInfo info(fileName); info.exists() && !info.isWritable())
        return QStorageInfo(folder).isReadOnly() ? u"le disque est en lecture seule"_s
                                                 : u"le fichier est en lecture seule"_s;

    if (QString known = systemFailureReason(errorCode, folder); !known.isEmpty())
        return known;

    if (step == Step::Write) {
        const QStorageInfo storage(folder);
        if (storage.isValid() && storage.bytesAvailable() < size)
            return u"le disque est plein"_s;
    }

    return unexpectedFailureReason(qtError);
}

} // namespace

SkinFileFailure skinFileFailure(const QString &fileName, Step step, int errorCode,
                                const QString &qtError, qint64 size)
{
    return {fileName, 0, step, failureReason(fileName, step, errorCode, qtError, size)};
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
    QString text = u"Le fichier "_s + quoted(fileName) + u" n'a pas pu être "_s + verb + u" : "_s +
                   reason + u"."_s;
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
