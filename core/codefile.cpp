// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/codefile.h"
#include "core/failurereasons_p.h"
#include "core/skinfilebytes.h"
#include "core/systemerror_p.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

namespace velbrisk {
namespace {

// "« a.txt », « b.txt », « c.txt » et 2 autres": the names the user sees in
// the file manager.
QString itemNames(const QStringList &paths)
{
    constexpr qsizetype Shown = 3;
    QStringList names;
    for (const QString &path : paths.first(std::min(Shown, paths.size()))) {
        const QString name = QFileInfo(path).fileName();
        names.append(quotedPath(name.isEmpty() ? path : name));
    }
    QString text = names.join(u", "_s);
    if (const qsizetype others = paths.size() - Shown; others == 1)
        text += u" et 1 autre"_s;
    else if (others > 1)
        text += u" et %1 autres"_s.arg(others);
    return text;
}

// The refusal of a drop of any number of items but one.
QString notOneItem(const QStringList &paths, const QString &verb, const QString &advice)
{
    if (paths.isEmpty())
        return u"Aucun élément n'a été déposé : "_s + advice + u"."_s;
    return u"Impossible "_s + verb + u" %1 éléments à la fois ("_s.arg(paths.size()) +
           itemNames(paths) + u") : "_s + advice + u"."_s;
}

QString tooLarge(qint64 limit)
{
    constexpr qint64 Mio = 1024 * 1024;
    const QString size =
        limit % Mio == 0 ? u"%1 Mio"_s.arg(limit / Mio) : u"%1 octets"_s.arg(limit);
    return u"il dépasse la taille permise de "_s + size;
}

// Why opening or reading `path` failed, from the system's error code.
QString readFailureReason(const QString &path, int error, const QString &qtError)
{
    if (QString known = failureReason(failureKind(error), Access::Read, QFileInfo(path).path());
        !known.isEmpty())
        return known;
    return unexpectedFailureReason(qtError);
}

// The whole content of `path` into `bytes`, or why it cannot be loaded. The
// size is checked before reading and again while reading, since a file may
// grow meanwhile and some (the system's own, under /proc) say 0 whatever
// they hold.
std::optional<QString> readWhole(const QString &path, qint64 limit, QByteArray &bytes)
{
    const QFileInfo info(path);
    if (!info.exists())
        return failureReason(FailureKind::NotFound, Access::Read, info.path());
    if (info.isDir())
        return failureReason(FailureKind::IsAFolder, Access::Read, info.path());
    // A pipe or a device would keep the window waiting, or never end.
    if (!info.isFile())
        return u"ce n'est pas un fichier ordinaire"_s;
    if (info.size() > limit)
        return tooLarge(limit);

    QFile file(path);
    clearSystemError();
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return readFailureReason(path, systemError(), file.errorString());
    // One byte more than the file says it holds tells a file that grew.
    bytes = QByteArray(qsizetype(std::min(info.size(), limit)) + 1, Qt::Uninitialized);
    qsizetype have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (have > limit)
                return tooLarge(limit);
            bytes.resize(
                qsizetype(std::min(std::max<qint64>(2 * qint64(have), 64 * 1024), limit + 1)));
        }
        clearSystemError();
        const qint64 got = file.read(bytes.data() + have, bytes.size() - have);
        if (got < 0)
            return readFailureReason(path, systemError(), file.errorString());
        if (got == 0)
            break;
        if (std::memchr(bytes.constData() + have, 0, size_t(got)))
            return u"ce n'est pas un fichier texte (il contient des octets nuls)"_s;
        have += qsizetype(got);
    }
    bytes.truncate(have);
    return std::nullopt;
}

} // namespace

DroppedCodeFile ReadDroppedCodeFile(const QStringList &paths, qint64 sizeLimit)
{
    if (paths.size() != 1)
        return {{},
                notOneItem(paths, u"de charger"_s,
                           u"déposez un seul fichier, celui dont le "
                           u"texte doit remplacer le code"_s)};
    QByteArray bytes;
    if (const std::optional<QString> reason = readWhole(paths.first(), sizeLimit, bytes))
        return {{},
                u"Le fichier "_s + quotedPath(paths.first()) + u" ne peut pas être chargé : "_s +
                    *reason + u"."_s};
    return {DecodeCodeFile(bytes), std::nullopt};
}

DroppedFolder OpenDroppedFolder(const QStringList &paths)
{
    if (paths.size() != 1)
        return {{}, notOneItem(paths, u"d'ouvrir"_s, u"déposez un seul dossier"_s)};
    const QFileInfo info(paths.first());
    QString reason;
    if (!info.exists())
        reason = u"il est introuvable"_s;
    else if (info.isFile())
        reason = u"c'est un fichier, pas un dossier"_s;
    else if (!info.isDir())
        reason = u"ce n'est pas un dossier"_s;
    else
        return {info.absoluteFilePath(), std::nullopt};
    return {{},
            u"Impossible d'ouvrir "_s + quotedPath(paths.first()) +
                u" dans la liste des dossiers : "_s + reason + u"."_s};
}

} // namespace velbrisk
