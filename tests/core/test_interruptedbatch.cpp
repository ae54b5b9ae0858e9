// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// A batch stopped half-way, as when the program is killed: every skin file is
// whole, old or new; what the batch left beside them bears Velbrisk's own name
// and goes with the next batch into the folder; nothing else there is touched.
#include "core/skinbatch.h"
#include "core/skinfilebytes.h"
#include "core/skinfilewriter.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace velbrisk;
using namespace Qt::StringLiterals;

namespace {

constexpr char ChildFolder[] = "VELBRISK_TEST_BATCH_FOREVER";
const QByteArray OldContent = "ancien contenu\r\n";

// About 2 MB in lines of 40 characters, the base colour throughout.
QString bigCode()
{
    return u"p { color: #000000; margin: 0 auto; }\n"_s.repeated(52'000);
}

SkinBatch batchInto(const QString &folder, const QString &code)
{
    return SkinBatch(
        {u"Habillage 15"_s, QDir::toNativeSeparators(folder), u"habillage"_s, code, {}});
}

QString skinFile(const QString &folder, int n)
{
    return QDir(folder).filePath(u"habillage%1.txt"_s.arg(n));
}

} // namespace

class TestInterruptedBatch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void killedBatchLeavesFilesWholeAndNoLeftover();
};

void TestInterruptedBatch::killedBatchLeavesFilesWholeAndNoLeftover()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.path();
    for (int n = 1; n <= SkinCount; ++n)
        QVERIFY(testsupport::putFile(skinFile(folder, n), OldContent));
    // The user's own files, some of them named much like Velbrisk's.
    const QStringList users = {u"habillage12.txt.backup"_s, u".velbrisk-notes.txt"_s,
                               u"velbrisk-7.tmp"_s, u".velbrisk-7.tmp.sauvegarde"_s,
                               u".velbrisk-.tmp"_s};
    for (const QString &name : users)
        QVERIFY(testsupport::putFile(QDir(folder).filePath(name), "à garder"));
    // What killed batches left, a short name and QSaveFile's file beside it.
    for (const QString &name : {u".velbrisk-4242.tmp"_s, u".velbrisk-4242.tmp.aB3xYz"_s})
        QVERIFY(testsupport::putFile(QDir(folder).filePath(name), "reste"));

    const SkinBatch batch = batchInto(folder, bigCode());
    for (int round = 0; round < 2; ++round) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(ChildFolder), folder);
        child.setProcessEnvironment(env);
#ifdef Q_OS_WIN
        // Without a console of its own: a console host started for it would
        // outlive the test and keep the test's output open.
        child.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *arguments) {
            arguments->flags |= DETACHED_PROCESS;
        });
#endif
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForStarted());
        // Killed while it writes, once the first file is new. A loaded
        // machine under Wine has taken minutes to start a child: the wait
        // ends on the file, the time limit only on a child that never writes.
        QTRY_VERIFY2_WITH_TIMEOUT(testsupport::fileBytes(skinFile(folder, 1)) != OldContent,
                                  "the child wrote no new habillage1.txt within 200 s", 200'000);
        QThread::msleep(QRandomGenerator::global()->bounded(300));
        child.kill();
        QVERIFY(child.waitForFinished());

        for (int n = 1; n <= SkinCount; ++n) {
            const QByteArray bytes = testsupport::fileBytes(skinFile(folder, n));
            if (bytes != OldContent)
                QVERIFY2(
                    bytes == SkinFileBytes(batch.content(n)),
                    qPrintable(u"habillage%1.txt coupé : %2 octets"_s.arg(n).arg(bytes.size())));
        }
    }

    qInfo() << "Dans le dossier après les lots tués :" << testsupport::entries(folder);
    const auto failure = WriteSkinFiles(batchInto(folder, u"p { color: #000000; }"_s));
    QVERIFY2(!failure, failure ? qPrintable(failure->message()) : "");
    QStringList expected = users;
    for (int n = 1; n <= SkinCount; ++n)
        expected << QFileInfo(skinFile(folder, n)).fileName();
    expected.sort();
    QStringList present = testsupport::entries(folder);
    present.sort();
    QCOMPARE(present, expected);
}

// Started by the test as the program it kills: writes batches until killed.
int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(ChildFolder)) {
        QCoreApplication app(argc, argv);
        const SkinBatch batch = batchInto(qEnvironmentVariable(ChildFolder), bigCode());
        for (;;) {
            if (WriteSkinFiles(batch))
                return 1;
        }
    }
    QCoreApplication app(argc, argv);
    TestInterruptedBatch test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_interruptedbatch.moc"
