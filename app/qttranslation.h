// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Qt's own texts in French: the code boxes' and the fields' context menus,
// the standard buttons. Velbrisk's window is French whatever the system's
// language, so Qt's translation is chosen by name, not by the system's
// locale: a German Windows gets French menus too.
#pragma once

#include <QStringList>

class QCoreApplication;

namespace velbrisk {

// Where qtbase_fr.qm is looked for, in order: the copy built into the
// program (the Windows build carries one, app/CMakeLists.txt), then Qt's
// translations folder (Debian's qt6-translations-l10n).
QStringList qtTranslationFolders();

// Installs the first qtbase_fr.qm found in folders, the translator owned by
// app. Without one Qt's texts stay English and the program goes on: false.
bool installQtTranslation(QCoreApplication &app,
                          const QStringList &folders = qtTranslationFolders());

} // namespace velbrisk
