// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up: the main window, shown; the program ends when it closes.
// The command line carries only Qt's own options (app/displayplatform.h).
#include "app/displayplatform.h"
#include "app/qttranslation.h"
#include "app/version.h"
#include "ui/common/look.h"
#include "ui/main/mainwindow.h"

#include <QApplication>
#include <QIcon>

using namespace Qt::StringLiterals;

namespace {

// The program's icon, built in from packaging/icons (see app/CMakeLists.txt).
constexpr QStringView IconFiles[] = {u":/icons/velbrisk-16.png", u":/icons/velbrisk-32.png",
                                     u":/icons/velbrisk-48.png"};

QIcon programIcon()
{
    QIcon icon;
    for (QStringView file : IconFiles)
        icon.addFile(file.toString());
    return icon;
}

} // namespace

int main(int argc, char *argv[])
{
    // In a Wayland session, X11 through XWayland keeps the windows' buttons
    // and places (app/displayplatform.h).
    velbrisk::StartArguments arguments(argc, argv);
    QApplication app(arguments.count(), arguments.values());
    // No application display name: Qt would append it to every window title.
    QApplication::setApplicationName(u"velbrisk"_s);
    QApplication::setApplicationVersion(velbrisk::DisplayVersion.toString());
    // Lets Wayland desktops match the windows to the installed menu entry.
    QApplication::setDesktopFileName(velbrisk::AppId.toString());
    QApplication::setWindowIcon(programIcon());
    // Before any window: Qt's own texts (the context menus) in French. A build
    // without the translation still starts, those texts in English.
    velbrisk::installQtTranslation(app);
    velbrisk::ui::setUpProgramLook();

    velbrisk::ui::MainWindow window;
    window.show();
    return QApplication::exec();
}
