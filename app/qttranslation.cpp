// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace velbrisk {

QStringList qtTranslationFolders()
{
    return {u":/translations"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

bool installQtTranslation(QCoreApplication &app, const QStringList &folders)
{
    for (const QString &folder : folders) {
        auto *translator = new QTranslator(&app);
        if (translator->load(u"qtbase_fr"_s, folder) &&
            QCoreApplication::installTranslator(translator))
            return true;
        delete translator;
    }
    return false;
}

} // namespace velbrisk
