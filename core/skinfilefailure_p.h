// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The writer's side of a failure, private to core/: the one helper that turns
// what the writer knew when a step failed (the system's error code, Qt's
// text) into a failure whose reason is the French text of the error box.
#pragma once

#include "core/skinfilefailure.h"

#include <QString>

namespace velbrisk {

// Writing `fileName` failed at `step`: the failure, with its reason in
// French. `errorCode` is errno, or GetLastError() on Windows; `qtError` is
// Qt's own text; `size` is the number of bytes that were to be written.
SkinFileFailure skinFileFailure(const QString &fileName, SkinFileFailure::Step step,
                                int errorCode = 0, const QString &qtError = {}, qint64 size = 0);

} // namespace velbrisk
