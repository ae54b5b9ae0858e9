// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/skinfilewriter.h"

#include "core/skinfilebytes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace velbrisk {
namespace {

using Step = SkinFileFailure::Step;

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
    const auto failure = [&](Step step, int systemError) {
        const QString qtError = file.errorString();
        file.cancelWriting();
        return SkinFileFailure{fileName, 0, step,
                               FailureReason(fileName, step, systemError, qtError, bytes.size())};
    };

    // Unbuffered: each write goes straight to the system, so a full disk is
    // seen here rather than lost in a flush that commit() does not report.
    ClearSystemError();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(Step::Create, SystemError());
    ClearSystemError();
    if (file.write(bytes) != bytes.size())
        return failure(Step::Write, SystemError());
    ClearSystemError();
    if (!file.flush())
        return failure(Step::Write, SystemError());
    ClearSystemError();
    if (!file.commit())
        return failure(Step::Replace, SystemError());
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

std::optional<SkinFileFailure> writeBytes(const QString &fileName, const QByteArray &bytes)
{
    // No file system takes such a name: said at once, as a file that cannot
    // be created, rather than once the whole content is on the disk.
    const qsizetype nameStart = LastSeparator(fileName) + 1;
    const QStringView name = QStringView(fileName).sliced(nameStart);
    if (IsRefusedName(name))
        return SkinFileFailure{fileName, 0, Step::Create,
                               FailureReason(fileName, Step::Create, 0, {}, 0)};

    // QSaveFile writes beside the file under its name followed by seven
    // characters. For a name too long for that, the new content is saved
    // under a short name in the same folder and then renamed over the file,
    // which replaces it in one step just the same.
    if (NameLength(name) + SaveFileSuffixLength <= MaxNameLength)
        return saveWhole(fileName, fileName, bytes);

    if (QFileInfo(fileName).isDir())
        return SkinFileFailure{fileName, 0, Step::Create,
                               FailureReason(fileName, Step::Create, 0, {}, 0)};
    const QString shortName =
        fileName.left(nameStart) + u".velbrisk-%1.tmp"_s.arg(QCoreApplication::applicationPid());
    if (auto failure = saveWhole(shortName, fileName, bytes))
        return failure;
    if (QFile::exists(fileName))
        QFile::setPermissions(shortName, QFile::permissions(fileName));
    std::error_code error;
    std::filesystem::rename(fileSystemPath(shortName), fileSystemPath(fileName), error);
    if (!error)
        return std::nullopt;
    QFile::remove(shortName);
    return SkinFileFailure{fileName, 0, Step::Replace,
                           FailureReason(fileName, Step::Replace, error.value(),
                                         QString::fromStdString(error.message()), bytes.size())};
}

} // namespace

std::optional<SkinFileFailure> WriteSkinFile(const QString &fileName, QStringView text)
{
    return writeBytes(fileName, SkinFileBytes(text));
}

std::optional<SkinFileFailure> WriteSkinFiles(const SkinBatch &batch)
{
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
