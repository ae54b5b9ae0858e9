// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// A code taken from a file dropped on the window, and a folder dropped on the
// folder field or list.
//
// A file's bytes are read as skin files are written (DecodeCodeFile of
// core/skinfilebytes.h), so a skin file this program wrote reads back as the
// code it was written from.
//
//   ReadDroppedCodeFile({u"/x/deco.txt"_s})  -> {code = the file's text}
//   ReadDroppedCodeFile({u"/x"_s})           -> {failure = "Le fichier « /x » ne peut pas
//                                                être chargé : c'est un dossier."}
//   OpenDroppedFolder({u"/x"_s})             -> {folder = u"/x"}
//
// A drop is refused whole, with the French text of the error box: more than
// one item, a folder (a file for the folder field), a file that is not text
// (it holds a NUL byte), one larger than CodeFileSizeLimit, one that cannot
// be read. Nothing is ever half-loaded.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace velbrisk {

// The largest file a drop loads: far above any decoration code, and still
// quick to read and show.
inline constexpr qint64 CodeFileSizeLimit = qint64(64) * 1024 * 1024;

struct DroppedCodeFile
{
    QString code;                   // the file's text, when it was read
    std::optional<QString> failure; // else the full French text of the error box
};

// Reads the one file of a drop (local paths, one per dropped item) whole.
// `sizeLimit` is CodeFileSizeLimit but in tests.
DroppedCodeFile ReadDroppedCodeFile(const QStringList &paths, qint64 sizeLimit = CodeFileSizeLimit);

struct DroppedFolder
{
    QString folder;                 // the folder to open, when it is one
    std::optional<QString> failure; // else the full French text of the error box
};

// Checks the one folder of a drop on the folder field or the folder list.
DroppedFolder OpenDroppedFolder(const QStringList &paths);

} // namespace velbrisk
