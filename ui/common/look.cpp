// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/common/look.h"

#include "ui/common/fonts.h"

#include <QApplication>
#include <QStyleFactory>

using namespace Qt::StringLiterals;

namespace velbrisk::ui {

void setUpProgramLook()
{
    // Setting the style also sets the application's palette to the style's
    // standard one.
    QApplication::setStyle(QStyleFactory::create(u"Windows"_s));
    loadProgramFonts();
}

} // namespace velbrisk::ui
