// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the batch's folder field and folder list open when the program starts.
//
// An untouched window must make a first batch that works: both open on a
// folder that exists and that the user can write and find again, the user's
// own folder (UserFolder): the home folder, and on Windows the Documents
// folder, since a program that is not elevated may create no file at the root
// of C: nor in Program Files.
//
// The folder list opens on the process's current folder, which is what a
// program started from a terminal or from a shortcut with a working folder
// expects, unless that folder is the program's own (a Start-menu shortcut and
// a double click in the unzipped folder both start it there) or one the user
// cannot write:
//
//   StartFolderList(u"/home/zoe/blog", u"/usr/bin", u"/home/zoe", true)
//       -> "/home/zoe/blog"
//   StartFolderList(u"C:/Program Files/Velbrisk", u"C:/Program Files/Velbrisk",
//                   u"C:/Users/Zoé/Documents", false)
//       -> "C:/Users/Zoé/Documents"
#pragma once

#include <QString>

namespace velbrisk {

// The user's own folder, with the platform's separators.
QString UserFolder();

// The folder the folder list opens on; folders are compared as the file
// system names them (without regard to case on Windows).
QString StartFolderList(const QString &currentFolder, const QString &programFolder,
                        const QString &userFolder, bool currentIsWritable);

// Whether the user may create a file in `folder`; on Windows the folder's
// access rights are read, not only its read-only attribute.
bool IsWritableFolder(const QString &folder);

} // namespace velbrisk
