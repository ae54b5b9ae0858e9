// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The controls of Form1 that are of its own classes.
#pragma once

#include "ui/common/windowtable.h"

class QString;
class QWidget;

namespace velbrisk::ui {

// A skin box, the folder list or a code box holding `text`, as the row's kind
// says; the builder (ui/common/windowtable.h) makes the other kinds.
QWidget *makeForm1Control(const table::Row &control, const QString &text, QWidget *container);

} // namespace velbrisk::ui
