// Writing the 24 skin files of a batch.
//
// Each file is replaced atomically: it holds either its old content or its
// new content, whole, never an empty or cut-short file. The files are written
// in skin order and the writing stops at the first failure; the files written
// before it stay. A failure is described in French, ready for an error box.
#pragma once

#include "core/skinbatch.h"

#include <QString>
#include <QStringView>

#include <optional>

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

// Replaces `fileName` atomically with SkinFileBytes(text).
std::optional<SkinFileFailure> WriteSkinFile(const QString &fileName, QStringView text);

// Writes the files of skins 1 to 24 of `batch`, stopping at the first failure.
std::optional<SkinFileFailure> WriteSkinFiles(const SkinBatch &batch);

} // namespace velbrisk
