// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The replacement rule in two steps, private to core/: the batch finds the
// occurrences once and builds the code of each of the 24 skins from them.
#pragma once

#include "core/replaceall.h"

#include <vector>

namespace velbrisk {

// The start positions of the occurrences that ReplaceAll replaces, in order.
// Lets one scan of a code serve several replacement texts (the batch).
std::vector<qsizetype> findOccurrences(QStringView code, QStringView search);

// Builds the result of ReplaceAll from occurrences found by findOccurrences
// for a search text of length `searchLength`.
QString replaceAt(QStringView code, const std::vector<qsizetype> &occurrences,
                  qsizetype searchLength, QStringView replacement);

} // namespace velbrisk
