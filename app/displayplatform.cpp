// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/displayplatform.h"

#include <QtGlobal>

#include <algorithm>

namespace velbrisk {

QByteArray chosenPlatform(const DisplayEnvironment &environment, const QByteArrayList &arguments)
{
    // Qt reads its options with one dash or two.
    const bool platformOption = arguments.contains("-platform") || arguments.contains("--platform");
    if (!environment.qtPlatform.isEmpty() || platformOption)
        return {};
    if (environment.sessionType != "wayland" || environment.x11Display.isEmpty())
        return {};
    return "xcb;wayland";
}

StartArguments::StartArguments(int argc, char **argv) : m_values(argv, argv + argc)
{
#if defined(Q_OS_LINUX)
    const DisplayEnvironment environment{qgetenv("QT_QPA_PLATFORM"), qgetenv("XDG_SESSION_TYPE"),
                                         qgetenv("DISPLAY")};
    m_platform = chosenPlatform(environment, QByteArrayList(argv + std::min(argc, 1), argv + argc));
    if (!m_platform.isEmpty())
        m_values.insert(m_values.end(), {m_option.data(), m_platform.data()});
#endif
    m_count = int(m_values.size());
    m_values.push_back(nullptr);
}

} // namespace velbrisk
