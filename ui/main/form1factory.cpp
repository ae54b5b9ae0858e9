// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/form1factory.h"

#include "ui/main/codebox.h"
#include "ui/main/dirlist.h"
#include "ui/main/skinbox.h"

namespace velbrisk::ui {

QWidget *makeForm1Control(const table::Row &control, const QString &text, QWidget *container)
{
    switch (control.kind) {
    case table::Kind::Combo:
        return new SkinBox(text, container);
    case table::Kind::DirListBox:
        return new DirList(container);
    case table::Kind::RichTextBox: {
        auto *box = new CodeBox(container);
        // The initial text is where the history starts, no step of it.
        box->setPlainText(text);
        return box;
    }
    default:
        qFatal("Form1 has no control of its own of kind %d", int(control.kind));
    }
}

} // namespace velbrisk::ui
