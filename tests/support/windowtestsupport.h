// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// What the window tests share: a control found by its name, and the event
// loop run until a window's closing ends it.
#pragma once

#include <QApplication>
#include <QString>
#include <QTimer>
#include <QWidget>

namespace testsupport {

// The control of `window` named `name`; a missing one ends the test at once,
// naming it.
template <typename T = QWidget> T *control(const QWidget *window, const QString &name)
{
    T *found = window->findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// Closes `window` from inside the event loop and runs the loop, which its
// closing must end by itself, as in the program; returns the loop's exit
// code. A loop still running a minute on is ended with 1: the guard only
// turns a hang into a failure.
inline int closeAndRunEventLoop(QWidget *window)
{
    QTimer::singleShot(0, window, [window] { window->close(); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(60'000);
    return QApplication::exec();
}

} // namespace testsupport
