// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The batch of skin files, in window-free form: the code converted for each
// of the 24 skins, the skin file that receives each variant, and the
// conversion and message shown once the batch is done.
//
// The file of skin n is  folder + separator + prefix + n + ".txt", by plain
// concatenation: nothing is trimmed or checked, so a folder text that already
// ends with a separator gives two in a row, which the file system reads as
// one. The separator is "\" on Windows and "/" elsewhere.
//
//   SkinFileName(u"/home/zoe", u"habillage", 9) -> "/home/zoe/habillage9.txt"
//
// The base colour is looked up once and the code is scanned once; each
// variant is built on demand, so a huge code is never held 24 times over.
#pragma once

#include "core/conversion.h"
#include "core/skintable.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace velbrisk {

QString SkinFileName(QStringView folder, QStringView prefix, int skinNumber);

struct BatchInput
{
    QString baseSkin;
    QString folder;
    QString prefix; // of the file names
    QString code;
    QString baseColour; // used when the base skin's label names no skin
};

class SkinBatch
{
public:
    explicit SkinBatch(BatchInput input);

    // Skin n (1 to 24): its file name and the converted code it holds,
    // before the final line end that the writer adds.
    QString fileName(int skinNumber) const;
    QString content(int skinNumber) const;

    // The conversion the batch made for skin n, as a skin-to-skin conversion
    // from the base skin to skin n gives it: the window shows that of the
    // last skin it reached.
    ConversionResult conversion(int skinNumber) const;

    // The message shown once every file is written.
    QString closingMessage() const;

private:
    BatchInput m_input;
    QString m_baseColour;
    std::vector<qsizetype> m_occurrences;
};

} // namespace velbrisk
