// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// A skin file that could not be written, said in French for the error box.
#pragma once

#include <QString>

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

} // namespace velbrisk
