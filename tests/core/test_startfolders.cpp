// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/startfolders.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace velbrisk;
using namespace Qt::StringLiterals;

class TestStartFolders : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void folderList_data();
    void folderList();
    void writableFolder();
};

void TestStartFolders::folderList_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("opensOnCurrent");

    QTest::newRow("started from a terminal")
        << u"/home/zoe/blog"_s << u"/usr/bin"_s << true << true;
    QTest::newRow("folder beside the program's")
        << u"/opt/Velbrisk-2"_s << u"/opt/Velbrisk"_s << true << true;
    QTest::newRow("shortcut into the install folder")
        << u"C:/Program Files/Velbrisk"_s << u"C:/Program Files/Velbrisk"_s << true << false;
    QTest::newRow("program folder, other spelling")
        << u"/opt/Velbrisk/./app/"_s << u"/opt/Velbrisk/app"_s << true << false;
    QTest::newRow("not writable") << u"/"_s << u"/usr/bin"_s << false << false;
#ifdef Q_OS_WIN
    QTest::newRow("program folder, other case and separators")
        << u"c:\\program files\\velbrisk"_s << u"C:/Program Files/Velbrisk"_s << true << false;
#else
    QTest::newRow("case matters outside Windows")
        << u"/opt/velbrisk"_s << u"/opt/Velbrisk"_s << true << true;
#endif
}

void TestStartFolders::folderList()
{
    QFETCH(QString, current);
    QFETCH(QString, program);
    QFETCH(bool, writable);
    QFETCH(bool, opensOnCurrent);
    const QString user = u"/home/zoe"_s;
    QCOMPARE(StartFolderList(current, program, user, writable), opensOnCurrent ? current : user);
}

void TestStartFolders::writableFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(IsWritableFolder(dir.path()));
    QVERIFY(!IsWritableFolder(dir.filePath(u"absent"_s)));
    QFile file(dir.filePath(u"fichier.txt"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(!IsWritableFolder(file.fileName()));
}

QTEST_GUILESS_MAIN(TestStartFolders)
#include "test_startfolders.moc"
