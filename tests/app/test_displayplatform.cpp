// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/displayplatform.h"

#include <QTest>

using namespace velbrisk;
using namespace Qt::StringLiterals;

class TestDisplayPlatform : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void chosenPlatform_data();
    void chosenPlatform();
};

void TestDisplayPlatform::chosenPlatform_data()
{
    QTest::addColumn<QByteArray>("qtPlatform");
    QTest::addColumn<QByteArray>("sessionType");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArrayList>("arguments");
    QTest::addColumn<QByteArray>("platform");

    const QByteArray xwayland = "xcb;wayland";
    QTest::newRow("Wayland with XWayland") << QByteArray() << "wayland"_ba
                                           << ":0"_ba << QByteArrayList() << xwayland;
    // An empty variable is no choice: Qt ignores it too.
    QTest::newRow("empty QT_QPA_PLATFORM")
        << ""_ba
        << "wayland"_ba
        << ":1"_ba << QByteArrayList{"-style"_ba, "Fusion"_ba} << xwayland;
    QTest::newRow("user's QT_QPA_PLATFORM") << "wayland"_ba
                                            << "wayland"_ba
                                            << ":0"_ba << QByteArrayList() << QByteArray();
    QTest::newRow("user's -platform")
        << QByteArray() << "wayland"_ba
        << ":0"_ba << QByteArrayList{"-platform"_ba, "wayland"_ba} << QByteArray();
    QTest::newRow("user's --platform")
        << QByteArray() << "wayland"_ba
        << ":0"_ba << QByteArrayList{"--platform"_ba, "wayland"_ba} << QByteArray();
    // Without XWayland, Qt's own choice: native Wayland.
    QTest::newRow("Wayland without XWayland")
        << QByteArray() << "wayland"_ba << QByteArray() << QByteArrayList() << QByteArray();
    QTest::newRow("X11 session") << QByteArray() << "x11"_ba
                                 << ":0"_ba << QByteArrayList() << QByteArray();
}

void TestDisplayPlatform::chosenPlatform()
{
    QFETCH(QByteArray, qtPlatform);
    QFETCH(QByteArray, sessionType);
    QFETCH(QByteArray, display);
    QFETCH(QByteArrayList, arguments);
    QFETCH(QByteArray, platform);

    QCOMPARE(velbrisk::chosenPlatform({qtPlatform, sessionType, display}, arguments), platform);
}

QTEST_GUILESS_MAIN(TestDisplayPlatform)
#include "test_displayplatform.moc"
