// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Writing the 24 skin files of a batch.
//
// Each file is replaced atomically: it holds either its old content or its
// new content, whole, never an empty or cut-short file. The files are written
// in skin order and the writing stops at the first failure; the files written
// before it stay. A failure is described in French, ready for an error box.
#pragma once

#include "core/skinbatch.h"
#include "core/skinfilefailure.h"

#include <optional>

namespace velbrisk {

// Writes the files of skins 1 to 24 of `batch`, stopping at the first failure.
std::optional<SkinFileFailure> WriteSkinFiles(const SkinBatch &batch);

} // namespace velbrisk
