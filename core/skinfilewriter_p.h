// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The writing of one skin file, private to core/: WriteSkinFiles writes each
// file of a batch through it.
#pragma once

#include "core/skinfilewriter.h"

#include <QByteArray>
#include <QString>

namespace velbrisk {

// Replaces `fileName` atomically with `bytes`.
std::optional<SkinFileFailure> writeBytes(const QString &fileName, const QByteArray &bytes);

} // namespace velbrisk
