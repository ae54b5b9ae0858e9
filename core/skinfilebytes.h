// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The bytes of a skin file.
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
// Windows-1252 comes from a table of our own, so that a Qt built without ICU
// encodes the same way.
#pragma once

#include <QByteArray>
#include <QStringView>

namespace velbrisk {

// The whole content of a skin file for `text`.
QByteArray SkinFileBytes(QStringView text);

// The same into `out`, reusing its memory: writing one file after another
// through one buffer spares the system handing out fresh pages each time.
void SkinFileBytes(QStringView text, QByteArray &out);

} // namespace velbrisk
