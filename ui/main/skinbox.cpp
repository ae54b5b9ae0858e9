// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/skinbox.h"

#include "core/skintable.h"

namespace velbrisk::ui {

SkinBox::SkinBox(const QString &text, QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    for (const SkinEntry &skin : SkinColourTable)
        addItem(skin.label.toString());
    setCurrentIndex(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    setEditText(text);
}

} // namespace velbrisk::ui
