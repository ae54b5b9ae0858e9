// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/codefile.h"
#include "core/skinfilebytes.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace velbrisk;
using namespace Qt::StringLiterals;

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString cannotLoad(const QString &path, const QString &reason)
{
    return u"Le fichier « "_s + native(path) + u" » ne peut pas être chargé : "_s + reason + u"."_s;
}

} // namespace

class TestCodeFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void read_data();
    void read();
    void droppedFolder_data();
    void droppedFolder();
};

void TestCodeFile::read_data()
{
    QTest::addColumn<QString>("kind"); // how the drop is made: "file" is a.txt of `bytes`
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<QString>("reason"); // empty when read; "Impossible…": the whole text

    const qint64 limit = CodeFileSizeLimit;
    const QString nul = u"ce n'est pas un fichier texte (il contient des octets nuls)"_s;
    QTest::newRow("skin file") << u"file"_s << SkinFileBytes(u"été\n★"_s) << limit << QString();
    QTest::newRow("empty file") << u"file"_s << QByteArray() << limit << QString();
    QTest::newRow("exactly the limit") << u"file"_s << "0123456789"_ba << qint64(10) << QString();
    QTest::newRow("one byte over the limit") << u"file"_s << "0123456789"_ba << qint64(9)
                                             << u"il dépasse la taille permise de 9 octets"_s;
    QTest::newRow("NUL") << u"file"_s << QByteArray("\0abc", 4) << limit << nul;
    QTest::newRow("UTF-16, NUL bytes") << u"file"_s
                                       << QByteArray("\xFF\xFE"
                                                     "a\0b\0",
                                                     6)
                                       << limit << nul;
    QTest::newRow("folder") << u"folder"_s << QByteArray() << limit << u"c'est un dossier"_s;
    QTest::newRow("missing file") << u"missing"_s << QByteArray() << limit
                                  << u"le fichier est introuvable"_s;
    QTest::newRow("two files") << u"two"_s << QByteArray() << limit
                               << u"Impossible de charger 2 éléments à la fois (« a.txt », "
                                  u"« a.txt ») : déposez un seul fichier, celui dont le texte "
                                  u"doit remplacer le code."_s;
    QTest::newRow("five files") << u"five"_s << QByteArray() << limit
                                << u"Impossible de charger 5 éléments à la fois (« a.txt », "
                                   u"« a.txt », « a.txt » et 2 autres) : déposez un seul "
                                   u"fichier, celui dont le texte doit remplacer le code."_s;
    QTest::newRow("one byte over 64 Mio, told before reading")
        << u"sparse"_s << QByteArray() << limit << u"il dépasse la taille permise de 64 Mio"_s;
    QTest::newRow("larger than it says, told while reading")
        << u"proc"_s << QByteArray() << qint64(100)
        << u"il dépasse la taille permise de 100 octets"_s;
    QTest::newRow("pipe") << u"pipe"_s << QByteArray() << limit
                          << u"ce n'est pas un fichier ordinaire"_s;
    QTest::newRow("unreadable") << u"unreadable"_s << "deco"_ba << limit << u"accès refusé"_s;
}

void TestCodeFile::read()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, limit);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString a = dir.filePath(u"a.txt"_s);
    QVERIFY(testsupport::putFile(a, bytes));

    QStringList paths{a};
    if (kind == u"folder") {
        paths = {dir.path()};
    } else if (kind == u"missing") {
        paths = {dir.filePath(u"parti.txt"_s)};
    } else if (kind == u"two" || kind == u"five") {
        paths = QStringList(kind == u"two" ? 2 : 5, a);
    } else if (kind == u"sparse") {
        QVERIFY(QFile::resize(a, CodeFileSizeLimit + 1)); // its size alone: nothing written
    } else if (kind == u"proc") {
#ifndef Q_OS_LINUX
        QSKIP("Only Linux has files that say they are empty and are not (/proc)");
#endif
        paths = {u"/proc/self/status"_s}; // says 0 bytes, holds over a hundred
    } else if (kind == u"pipe") {
#ifndef Q_OS_UNIX
        QSKIP("A named pipe is a Unix file");
#else
        // Read, it would keep the window waiting for a writer.
        paths = {dir.filePath(u"tube"_s)};
        QCOMPARE(::mkfifo(QFile::encodeName(paths[0]).constData(), 0600), 0);
#endif
    } else if (kind == u"unreadable") {
#ifdef Q_OS_WIN
        QSKIP("A Windows file cannot be made unreadable through its permission bits");
#endif
        QVERIFY(QFile::setPermissions(a, QFile::WriteOwner));
        if (QFile probe(a); probe.open(QIODevice::ReadOnly))
            QSKIP("This user reads every file (root)");
    }

    const DroppedCodeFile read = ReadDroppedCodeFile(paths, limit);
    if (reason.isEmpty()) {
        QCOMPARE(read.failure, std::nullopt);
        QCOMPARE(read.code, DecodeCodeFile(bytes));
        return;
    }
    QCOMPARE(read.failure,
             reason.startsWith(u"Impossible") ? reason : cannotLoad(paths[0], reason));
    QCOMPARE(read.code, QString());
}

void TestCodeFile::droppedFolder_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason"); // empty: the folder opens

    QTest::newRow("folder") << u"folder"_s << QString();
    QTest::newRow("file") << u"file"_s << u"c'est un fichier, pas un dossier"_s;
    QTest::newRow("missing") << u"missing"_s << u"il est introuvable"_s;
    QTest::newRow("two folders") << u"two"_s << QString();
}

void TestCodeFile::droppedFolder()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString sub = dir.filePath(u"décos"_s);
    QVERIFY(QDir().mkpath(sub));
    const QString file = dir.filePath(u"a.txt"_s);
    QVERIFY(testsupport::putFile(file, "deco"_ba));

    const QString path = kind == u"file"      ? file
                         : kind == u"missing" ? dir.filePath(u"parti"_s)
                                              : sub;
    const DroppedFolder dropped =
        OpenDroppedFolder(kind == u"two" ? QStringList{sub, dir.path()} : QStringList{path});
    if (kind == u"two") {
        QCOMPARE(dropped.failure, u"Impossible d'ouvrir 2 éléments à la fois (« décos », « "_s +
                                      QDir(dir.path()).dirName() +
                                      u" ») : déposez un seul dossier."_s);
    } else if (reason.isEmpty()) {
        QCOMPARE(dropped.failure, std::nullopt);
        QCOMPARE(dropped.folder, sub);
    } else {
        QCOMPARE(dropped.failure, u"Impossible d'ouvrir « "_s + native(path) +
                                      u" » dans la liste des dossiers : "_s + reason + u"."_s);
        QCOMPARE(dropped.folder, QString());
    }
}

QTEST_GUILESS_MAIN(TestCodeFile)
#include "test_codefile.moc"
