// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/failurereasons_p.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace velbrisk {
namespace {

// A fault the system names after a read or a write keeps that name, one it
// does not is named after what was being done; a read fault while writing
// is left to Qt's own text.
QString diskFault(FailureKind kind, Access access)
{
    const bool read = kind == FailureKind::ReadFault ||
                      (kind == FailureKind::DiskFault && access == Access::Read);
    if (kind == FailureKind::ReadFault && access == Access::Write)
        return {};
    return read ? u"le disque a signalé une erreur de lecture"_s
                : u"le disque a signalé une erreur d'écriture"_s;
}

} // namespace

QString quotedPath(const QString &path)
{
    return u"« "_s + QDir::toNativeSeparators(path) + u" »"_s;
}

// No default: the compiler then asks for the words of every new kind.
QString failureReason(FailureKind kind, Access access, const QString &folder)
{
    const bool read = access == Access::Read;
    switch (kind) {
    case FailureKind::Unknown:
        return {};
    case FailureKind::NotFound:
        return read ? u"le fichier est introuvable"_s
                    : u"le dossier "_s + quotedPath(folder) + u" n'existe pas"_s;
    case FailureKind::NotAFolderOnPath:
        return u"un élément du chemin "_s + quotedPath(folder) + u" n'est pas un dossier"_s;
    case FailureKind::IsAFolder:
        return read ? u"c'est un dossier"_s : u"un dossier porte déjà ce nom"_s;
    case FailureKind::AccessDenied:
        return u"accès refusé"_s;
    case FailureKind::ReadOnlyDisk:
        return u"le disque est en lecture seule"_s;
    case FailureKind::WriteProtectedDisk:
        return u"le disque est protégé en écriture"_s;
    case FailureKind::DiskFull:
        return u"le disque est plein"_s;
    case FailureKind::QuotaExceeded:
        return u"le quota d'espace disque est dépassé"_s;
    case FailureKind::DiskNotReady:
        return u"le disque n'est pas prêt"_s;
    case FailureKind::NameTooLong:
        return u"le nom du fichier est trop long"_s;
    case FailureKind::InvalidName:
        return u"le nom du fichier n'est pas valide"_s;
    case FailureKind::FileInUse:
        return u"le fichier est utilisé par un autre programme"_s;
    case FailureKind::TooManyOpenFiles:
        return u"trop de fichiers sont ouverts"_s;
    case FailureKind::FileTooLarge:
        return u"le fichier dépasse la taille permise"_s;
    case FailureKind::OutOfMemory:
        return u"la mémoire est insuffisante"_s;
    case FailureKind::LinkLoop:
        return u"le chemin contient une boucle de liens symboliques"_s;
    case FailureKind::NetworkUnreachable:
        return u"le dossier réseau n'est pas joignable"_s;
    case FailureKind::DiskFault:
    case FailureKind::WriteFault:
    case FailureKind::ReadFault:
        return diskFault(kind, access);
    case FailureKind::NoFileName:
        return u"aucun nom de fichier n'est donné"_s;
    case FailureKind::FolderNameTooLong:
        return u"le nom d'un des dossiers du chemin est trop long"_s;
    case FailureKind::PathTooLong:
        return u"le chemin du fichier est trop long"_s;
    case FailureKind::FolderIsAFile:
        return quotedPath(folder) + u" n'est pas un dossier"_s;
    case FailureKind::ReadOnlyFile:
        return u"le fichier est en lecture seule"_s;
    }
    return {};
}

QString failureReason(const RefusedWindowsName &refusal)
{
    QString reason = failureReason(FailureKind::InvalidName, Access::Write, {}) + u" : "_s;
    switch (refusal.why) {
    case RefusedWindowsName::Why::Character: {
        const char16_t c = refusal.part.front().unicode();
        return reason + u"le caractère « "_s +
               (c < 32 ? u"\\x%1"_s.arg(int(c), 2, 16, QChar(u'0')) : refusal.part) +
               u" » est interdit par Windows"_s;
    }
    case RefusedWindowsName::Why::Device:
        return reason + u"« "_s + refusal.part + u" » est le nom d'un périphérique de Windows"_s;
    }
    return reason;
}

QString unexpectedFailureReason(const QString &qtError)
{
    QString unknown = u"une erreur inattendue est survenue"_s;
    if (!qtError.isEmpty())
        unknown += u" (« "_s + qtError + u" »)"_s;
    return unknown;
}

} // namespace velbrisk
