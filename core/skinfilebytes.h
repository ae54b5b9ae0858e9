// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The bytes of a skin file, both ways: written from a code, and read back
// from a file dropped on the window.
//
// A skin file holds a code followed by one line end. Every line break of the
// code (LF, CR LF or a lone CR) is written as CR LF, and one CR LF follows
// the code, so the files are the same bytes on every system. The code is
// written in Windows-1252 when every one of its characters exists there, and
// otherwise, so that nothing is lost, the whole file is written in UTF-8
// without a byte-order mark.
//
//   SkinFileBytes(u"é\n")  -> "\xE9\r\n\r\n"            (Windows-1252)
//   SkinFileBytes(u"★")    -> "\xE2\x98\x85\r\n"         (UTF-8)
//
// Any file's bytes are read the same way round: UTF-8 when they are valid
// UTF-8 (a leading byte-order mark is not part of the text), otherwise
// Windows-1252; CR LF and a lone CR become "\n". So a skin file this program
// wrote reads back as the code it was written from, followed by the line
// break the file ends with.
//
//   DecodeCodeFile("\xE9t\xE9\r\n")                      -> u"été\n"  (Windows-1252)
//   DecodeCodeFile("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9\rx")   -> u"été\nx" (UTF-8)
//
// Windows-1252 comes from a table of our own, so that a Qt built without ICU
// writes and reads the same way.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace velbrisk {

// The whole content of a skin file for `text`.
QByteArray SkinFileBytes(QStringView text);

// The same into `out`, reusing its memory: writing one file after another
// through one buffer spares the system handing out fresh pages each time.
void SkinFileBytes(QStringView text, QByteArray &out);

// The text of a file's bytes, line breaks as "\n".
QString DecodeCodeFile(QByteArrayView bytes);

} // namespace velbrisk
