// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/skinfilewriter_p.h"

#include "core/filenames_p.h"
#include "core/skinfilebytes.h"
#include "core/skinfilefailure_p.h"
#include "core/systemerror_p.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace velbrisk {
namespace {

using Step = SkinFileFailure::Step;

// How the names of the files Velbrisk writes beside a skin file begin and
// end: the prefix, the process number, the suffix.
const QString LeftoverPrefix = u".velbrisk-"_s;
const QString LeftoverSuffix = u".tmp"_s;

#ifdef Q_OS_WIN
constexpr bool OwnNameForEveryFile = true;
#else
constexpr bool OwnNameForEveryFile = false; // an unnamed file, gone with the process
#endif

// What QSaveFile adds to a file's name for the file it writes beside it.
constexpr qsizetype SaveFileSuffixLength = 7; // ".XXXXXX"

// Replaces `target` atomically with `bytes`; failures are described as
// failures to write `fileName`, the file the user asked for.
std::optional<SkinFileFailure> saveWhole(const QString &target, const QString &fileName,
                                         const QByteArray &bytes)
{
    QSaveFile file(target);

    // The system's code is taken as an argument, before anything else runs;
    // Qt's text is taken before cancelWriting() replaces it. Leaving this
    // function then drops the unfinished file, and the old one stays whole.
    const auto failure = [&](Step step, int errorCode) {
        const QString qtError = file.errorString();
        file.cancelWriting();
        return skinFileFailure(fileName, step, errorCode, qtError, bytes.size());
    };

    // Unbuffered: each write goes straight to the system, so a full disk is
    // seen here rather than lost in a flush that commit() does not report.
    clearSystemError();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(Step::Create, systemError());
    clearSystemError();
    if (file.write(bytes) != bytes.size())
        return failure(Step::Write, systemError());
    clearSystemError();
    if (!file.flush())
        return failure(Step::Write, systemError());
    clearSystemError();
    if (!file.commit())
        return failure(Step::Replace, systemError());
    return std::nullopt;
}

std::filesystem::path fileSystemPath(const QString &fileName)
{
#ifdef Q_OS_WIN
    // The "\\?\" form lifts Windows' limit of 260 characters a path, which a
    // name this long easily passes.
    QString path = QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath());
    if (!path.startsWith(u"\\\\"_s)) // a network path stays as it is
        path.prepend(u"\\\\?\\"_s);
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(fileName).toStdString());
#endif
}

} // namespace

std::optional<SkinFileFailure> writeBytes(const QString &fileName, const QByteArray &bytes)
{
    // No file system takes such a name: said at once, as a file that cannot
    // be created, rather than once the whole content is on the disk.
    const qsizetype nameStart = lastSeparator(fileName) + 1;
    const QStringView name = QStringView(fileName).sliced(nameStart);
    if (isRefusedName(name))
        return skinFileFailure(fileName, Step::Create);

    // QSaveFile writes beside the file under its name followed by seven
    // characters. For a name too long for that, the new content is saved
    // under a short name of Velbrisk's own in the same folder and then renamed
    // over the file, which replaces it in one step just the same. Windows
    // keeps the unfinished file of a program that was killed, so there every
    // file takes that road: what a killed batch leaves then bears Velbrisk's
    // name, and the next batch into the folder removes it.
    if (!OwnNameForEveryFile && nameLength(name) + SaveFileSuffixLength <= MaxNameLength)
        return saveWhole(fileName, fileName, bytes);

    // A folder or a read-only file in the way is refused before anything is
    // written, as QSaveFile refuses it.
    if (const QFileInfo info(fileName); info.isDir() || (info.exists() && !info.isWritable()))
        return skinFileFailure(fileName, Step::Create);
    const QString shortName = fileName.left(nameStart) + LeftoverPrefix +
                              QString::number(QCoreApplication::applicationPid()) + LeftoverSuffix;
    if (auto failure = saveWhole(shortName, fileName, bytes))
        return failure;
    if (QFile::exists(fileName))
        QFile::setPermissions(shortName, QFile::permissions(fileName));
    std::error_code error;
    std::filesystem::rename(fileSystemPath(shortName), fileSystemPath(fileName), error);
    if (!error)
        return std::nullopt;
    QFile::remove(shortName);
    return skinFileFailure(fileName, Step::Replace, error.value(),
                           QString::fromStdString(error.message()), bytes.size());
}

namespace {

// The files a killed batch leaves: Velbrisk's short name, ".velbrisk-" and
// a process number and ".tmp", and QSaveFile's unfinished file beside it,
// which adds a dot and six letters or digits. Nothing else is ever taken.
void removeLeftovers(const QString &folder)
{
    static const QRegularExpression leftover(
        u"^"_s + QRegularExpression::escape(LeftoverPrefix) + u"[0-9]+"_s +
        QRegularExpression::escape(LeftoverSuffix) + u"(\\.[A-Za-z0-9]{6})?$"_s);
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({LeftoverPrefix + u"*"_s}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        // A file that another running Velbrisk still writes is in use and
        // stays on Windows.
        if (leftover.match(name).hasMatch())
            QFile::remove(dir.filePath(name));
    }
}

} // namespace

std::optional<SkinFileFailure> WriteSkinFiles(const SkinBatch &batch)
{
    // The 24 names differ only by their number: they share one folder.
    removeLeftovers(QFileInfo(batch.fileName(1)).absolutePath());

    // One buffer for the 24 files: a large code fills the same memory each
    // time instead of fresh pages.
    QByteArray bytes;
    for (int n = 1; n <= SkinCount; ++n) {
        SkinFileBytes(batch.content(n), bytes);
        if (auto failure = writeBytes(batch.fileName(n), bytes)) {
            failure->skinNumber = n;
            return failure;
        }
    }
    return std::nullopt;
}

} // namespace velbrisk
