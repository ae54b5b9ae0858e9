// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Which display platform the program asks Qt for at start-up.
//
// In a Wayland session Qt would pick its native Wayland platform, where the
// compositor draws a maximise button on the main window and places the
// information window itself, off its place beside the main window. Through
// XWayland the program is an X11 client, and the window manager honours its
// buttons, its place and its absence from the taskbar as under X11.
#pragma once

#include <QByteArray>
#include <QByteArrayList>

#include <vector>

namespace velbrisk {

// What the choice reads of the environment.
struct DisplayEnvironment
{
    QByteArray qtPlatform;  // QT_QPA_PLATFORM
    QByteArray sessionType; // XDG_SESSION_TYPE
    QByteArray x11Display;  // DISPLAY: XWayland's, in a Wayland session
};

// The platform list to hand Qt, or empty to leave Qt its own choice: X11
// through XWayland first in a Wayland session that has it, native Wayland if
// XWayland does not answer. The user's own choice (QT_QPA_PLATFORM, or
// -platform on the command line) always stands.
QByteArray chosenPlatform(const DisplayEnvironment &environment, const QByteArrayList &arguments);

// The command line for QApplication: the program's own, with "-platform" and
// the chosen platform added on Linux. A command-line option rather than
// QT_QPA_PLATFORM, which every program started from here (the browser
// opening a link) would inherit.
class StartArguments
{
public:
    StartArguments(int argc, char **argv);
    int &count() { return m_count; }
    char **values() { return m_values.data(); }

private:
    QByteArray m_option = "-platform";
    QByteArray m_platform;
    std::vector<char *> m_values;
    int m_count = 0;
};

} // namespace velbrisk
