// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The yardstick for velbrisk's start-up: the least a Qt Widgets program does
// to show a window of the same size and background.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(0xee, 0xee, 0xea));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.resize(648, 473);
    window.show();
    return QApplication::exec();
}
