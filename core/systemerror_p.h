// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The system's error of a failed call, private to core/: errno, or
// GetLastError() on Windows, and the kind of failure it names.
#pragma once

#include "core/failurereasons_p.h"

namespace velbrisk {

// The system's own code of the last failure. Cleared before each step and
// read right after it fails, before anything else can overwrite it.
void clearSystemError();
int systemError();

// The kind of failure the system's code `error` names; Unknown for a code
// this program does not know.
FailureKind failureKind(int error);

} // namespace velbrisk
