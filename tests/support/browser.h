// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The browser of the window tests: while it lives, the http and https
// addresses the program opens are recorded instead of starting one. A test
// lists this header among its sources, for moc.
#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QStringList>
#include <QUrl>

namespace testsupport {

class Browser : public QObject
{
    Q_OBJECT
public:
    Browser() { install(); }
    ~Browser() override { uninstall(); }

    // Hands the addresses to this browser, or (uninstall) to none at all.
    void install()
    {
        for (const QString &scheme : {QStringLiteral("http"), QStringLiteral("https")})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    void uninstall()
    {
        for (const QString &scheme : {QStringLiteral("http"), QStringLiteral("https")})
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QStringList opened;

public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url.toString()); }
};

} // namespace testsupport
