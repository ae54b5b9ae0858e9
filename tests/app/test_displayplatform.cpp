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
    void startArguments_data();
    void startArguments();
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

// The command line handed to QApplication, as built from the real
// environment: the program's name stays first, Qt's option comes after the
// user's own arguments, and the list ends with a null pointer.
void TestDisplayPlatform::startArguments_data()
{
    QTest::addColumn<QByteArray>("sessionType");
    QTest::addColumn<QByteArrayList>("arguments");
    QTest::addColumn<QByteArrayList>("built");

    const QByteArrayList style{"velbrisk"_ba, "-style"_ba, "Fusion"_ba};
#ifdef Q_OS_LINUX
    const QByteArrayList withPlatform = style + QByteArrayList{"-platform"_ba, "xcb;wayland"_ba};
#else
    const QByteArrayList withPlatform = style;
#endif
    QTest::newRow("Wayland session") << "wayland"_ba << style << withPlatform;
    QTest::newRow("program name alone")
        << "wayland"_ba << QByteArrayList{"velbrisk"_ba}
        << QByteArrayList(withPlatform).mid(0, 1) + withPlatform.mid(3);
    QTest::newRow("X11 session") << "x11"_ba << style << style;
    const QByteArrayList own{"velbrisk"_ba, "-platform"_ba, "offscreen"_ba};
    QTest::newRow("user's -platform") << "wayland"_ba << own << own;
}

void TestDisplayPlatform::startArguments()
{
    QFETCH(QByteArray, sessionType);
    QFETCH(QByteArrayList, arguments);
    QFETCH(QByteArrayList, built);

    qunsetenv("QT_QPA_PLATFORM");
    qputenv("XDG_SESSION_TYPE", sessionType);
    qputenv("DISPLAY", ":0");
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    StartArguments start(int(argv.size()), argv.data());

    QByteArrayList values;
    for (int i = 0; i < start.count(); ++i)
        values.append(start.values()[i]);
    QCOMPARE(values, built);
    QCOMPARE(start.values()[start.count()], nullptr);
}

QTEST_GUILESS_MAIN(TestDisplayPlatform)
#include "test_displayplatform.moc"
