// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/skinfilebytes.h"
#include "core/skinfilewriter_p.h"
#include "core/systemerror_p.h"
#include "core/windowsapi_p.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif
#ifndef Q_OS_WIN
#include <cerrno>
#endif

using namespace velbrisk;
using namespace Qt::StringLiterals;
using Step = SkinFileFailure::Step;
using testsupport::entries;
using testsupport::fileBytes;
using testsupport::putFile;

namespace {

#ifdef Q_OS_WIN
const QString Sep = u"\\"_s;
#else
const QString Sep = u"/"_s;
#endif

QStringList skinFileNames(const QString &prefix, int from, int to)
{
    QStringList names;
    for (int n = from; n <= to; ++n)
        names << prefix + QString::number(n) + u".txt"_s;
    names.sort();
    return names;
}

SkinBatch batchFor(const QString &folder, const QString &code)
{
    return SkinBatch({u"Habillage 15"_s, folder, u"habillage"_s, code, {}});
}

// The bytes of skin n's file: `pattern` with "@" standing for its colour.
QByteArray expectedBytes(QByteArray pattern, int skinNumber)
{
    return pattern.replace('@', testsupport::skinColour(skinNumber).toLatin1());
}

// One file written as each file of a batch is.
std::optional<SkinFileFailure> writeSkinFile(const QString &fileName, QStringView text)
{
    return writeBytes(fileName, SkinFileBytes(text));
}

// Fails the test with the error box's text when a write fails.
#define VERIFY_WRITTEN(expression)                                                                 \
    do {                                                                                           \
        const std::optional<SkinFileFailure> failure_ = (expression);                              \
        QVERIFY2(!failure_, failure_ ? qPrintable(failure_->message()) : "");                      \
    } while (false)

} // namespace

class TestSkinFileWriter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writesEveryFile_data();
    void writesEveryFile();
    void runningTwiceGivesSameFiles();
    void replacesExistingFile_data();
    void replacesExistingFile();
    void firstFileRefused_data();
    void firstFileRefused();
    void folderInPlaceOfSkinFile();
    void fullDiskKeepsOldContent();
    void fullDiskStopsBatch();
    void readOnlyDisk();
    void readOnlyFile();
    void message_data();
    void message();
    void windowsRefusedName_data();
    void windowsRefusedName();
    void systemErrorReason_data();
    void systemErrorReason();
};

void TestSkinFileWriter::writesEveryFile_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QByteArray>("pattern");

    QTest::newRow("Windows-1252 code")
        << u"é{color:#000000}\nfin"_s << "\xE9{color:@}\r\nfin\r\n"_ba;
    QTest::newRow("code outside Windows-1252")
        << u"★{color:#000000}\r\n€"_s << "\xE2\x98\x85{color:@}\r\n\xE2\x82\xAC\r\n"_ba;
    QTest::newRow("empty code") << QString() << "\r\n"_ba;
}

void TestSkinFileWriter::writesEveryFile()
{
    QFETCH(QString, code);
    QFETCH(QByteArray, pattern);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    VERIFY_WRITTEN(WriteSkinFiles(batchFor(dir.path(), code)));
    QCOMPARE(entries(dir.path()), skinFileNames(u"habillage"_s, 1, SkinCount));
    for (int n = 1; n <= SkinCount; ++n) {
        const QString name = dir.path() + Sep + u"habillage"_s + QString::number(n) + u".txt"_s;
        QCOMPARE(fileBytes(name), expectedBytes(pattern, n));
    }
}

void TestSkinFileWriter::runningTwiceGivesSameFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const SkinBatch batch = batchFor(dir.path(), u"a{color:#000000}\nb"_s);
    VERIFY_WRITTEN(WriteSkinFiles(batch));
    QList<QByteArray> first;
    for (int n = 1; n <= SkinCount; ++n)
        first << fileBytes(batch.fileName(n));

    VERIFY_WRITTEN(WriteSkinFiles(batch));
    QCOMPARE(entries(dir.path()), skinFileNames(u"habillage"_s, 1, SkinCount));
    for (int n = 1; n <= SkinCount; ++n)
        QCOMPARE(fileBytes(batch.fileName(n)), first.at(n - 1));
}

// Both roads of replacing a file keep its permissions: QSaveFile's, and the
// own-name road of names too long for QSaveFile's suffix (every file on
// Windows). A name of 255 bytes is legal; the file beside it that QSaveFile
// would use is not.
void TestSkinFileWriter::replacesExistingFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("short name") << u"habillage1.txt"_s;
    QTest::newRow("name of 255 bytes") << QString(251, u'a') + u".txt"_s;
}

void TestSkinFileWriter::replacesExistingFile()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString fileName = dir.filePath(name);
    QVERIFY(putFile(fileName, QByteArray(10000, 'x')));
    const QFile::Permissions ownerOnly =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
    QVERIFY(QFile::setPermissions(fileName, ownerOnly));
    const QFile::Permissions before = QFile::permissions(fileName);

    VERIFY_WRITTEN(writeSkinFile(fileName, u"un"));
    VERIFY_WRITTEN(writeSkinFile(fileName, u"court"));
    QCOMPARE(fileBytes(fileName), "court\r\n"_ba);
    QCOMPARE(entries(dir.path()), QStringList{name});
    QCOMPARE(QFile::permissions(fileName), before);
}

// The first file cannot even be created: nothing is written, and a file
// that stands in the temporary folder is left as it was.
void TestSkinFileWriter::firstFileRefused_data()
{
    QTest::addColumn<QString>("folder"); // below the temporary folder, "fichier" being a file
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("reason"); // "@" stands for the temporary folder

    const QString habillage = u"habillage"_s;
    QTest::newRow("missing folder")
        << u"/absent"_s << habillage << u"le dossier « @/absent » n'existe pas"_s;
    QTest::newRow("ending with a separator")
        << u"/absent/"_s << habillage << u"le dossier « @/absent » n'existe pas"_s;
    QTest::newRow("several levels missing")
        << u"/a/b/c"_s << habillage << u"le dossier « @/a/b/c » n'existe pas"_s;
    QTest::newRow("file in place of the folder")
        << u"/fichier"_s << habillage << u"« @/fichier » n'est pas un dossier"_s;
    QTest::newRow("file name of 256 characters")
        << QString() << QString(251, u'a') << u"le nom du fichier est trop long"_s;
#ifndef Q_OS_WIN
    // "<PATH_MAX>": missing folders that make the file's path 4096 bytes, the
    // longest the system takes plus one.
    QTest::newRow("path of 4096 bytes")
        << u"<PATH_MAX>"_s << habillage << u"le chemin du fichier est trop long"_s;
#endif
    QTest::newRow("folder name of 300 characters")
        << u"/"_s + QString(300, u'd') << habillage
        << u"le nom d'un des dossiers du chemin est trop long"_s;
#ifdef Q_OS_WIN
    // Characters and names that Windows refuses, whatever the disk.
    for (const QString &c : {u"?"_s, u":"_s, u"*"_s})
        QTest::addRow("prefix with %s", qPrintable(c))
            << QString() << u"habil"_s + c + u"lage"_s
            << u"le nom du fichier n'est pas valide : le caractère « "_s + c +
                   u" » est interdit par Windows"_s;
    QTest::newRow("prefix making a device name")
        << QString() << u"com"_s
        << u"le nom du fichier n'est pas valide : « com1 » est le nom d'un périphérique de Windows"_s;
#endif
}

void TestSkinFileWriter::firstFileRefused()
{
    QFETCH(QString, folder);
    QFETCH(QString, prefix);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(putFile(dir.filePath(u"fichier"_s), "garde"));
    if (folder == u"<PATH_MAX>"_s) {
        const qsizetype length = 4096 - dir.path().size() - u"/habillage1.txt"_s.size();
        folder.clear();
        while (length - folder.size() > 102)
            folder += u'/' + QString(100, u'd');
        folder += u'/' + QString(length - folder.size() - 1, u'e');
    }

    const SkinBatch batch(
        {u"Habillage 15"_s, QDir::toNativeSeparators(dir.path() + folder), prefix, u"code"_s, {}});
    const std::optional<SkinFileFailure> failure = WriteSkinFiles(batch);
    QVERIFY(failure);
    QCOMPARE(failure->skinNumber, 1);
    QCOMPARE(failure->step, Step::Create);
    QCOMPARE(failure->fileName, batch.fileName(1));
    QCOMPARE(failure->reason, QDir::toNativeSeparators(reason.replace(u'@', dir.path())));
    QCOMPARE(entries(dir.path()), QStringList{u"fichier"_s});
    QCOMPARE(fileBytes(dir.filePath(u"fichier"_s)), "garde"_ba);
}

void TestSkinFileWriter::folderInPlaceOfSkinFile()
{
    // The files before it are written whole, it is not touched, and nothing
    // after it is written.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(u"habillage5.txt"_s));
    const SkinBatch batch = batchFor(dir.path(), u"x:#000000;"_s);

    const std::optional<SkinFileFailure> failure = WriteSkinFiles(batch);
    QVERIFY(failure);
    QCOMPARE(failure->skinNumber, 5);
    QCOMPARE(failure->step, Step::Create);
    QCOMPARE(failure->fileName, batch.fileName(5));
    QCOMPARE(failure->reason, u"un dossier porte déjà ce nom"_s);
    QCOMPARE(entries(dir.path()), skinFileNames(u"habillage"_s, 1, 5));
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(fileBytes(batch.fileName(n)), expectedBytes("x:@;\r\n", n));
    QVERIFY(QFileInfo(batch.fileName(5)).isDir());
    QCOMPARE(entries(batch.fileName(5)), QStringList());
}

void TestSkinFileWriter::fullDiskKeepsOldContent()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_WIN)
    testsupport::TinyDisk disk;
    REQUIRE_TINY_DISK(disk)
    const QString name = disk.path() + u"/habillage1.txt"_s;
    QVERIFY(putFile(name, "ancien contenu\r\n"));

    // Larger than the whole disk: QSaveFile alone would leave an empty file.
    const std::optional<SkinFileFailure> failure = writeSkinFile(name, QString(100000, u'é'));
    QVERIFY(failure);
    QCOMPARE(failure->step, Step::Write);
    QCOMPARE(failure->reason, u"le disque est plein"_s);
    QCOMPARE(failure->message(), u"Le fichier « "_s + QDir::toNativeSeparators(name) +
                                     u" » n'a pas pu être écrit : le disque est plein."_s);
    QCOMPARE(fileBytes(name), "ancien contenu\r\n"_ba);
    QCOMPARE(entries(disk.path()), QStringList{u"habillage1.txt"_s});

    // The space is given back: a content that fits goes in afterwards.
    VERIFY_WRITTEN(writeSkinFile(name, u"nouveau"));
    QCOMPARE(fileBytes(name), "nouveau\r\n"_ba);
#else
    QSKIP("Needs a tmpfs mount");
#endif
}

void TestSkinFileWriter::fullDiskStopsBatch()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_WIN)
    // Files of 20 000 bytes: the 64 KiB disk holds a few, not 24.
    testsupport::TinyDisk disk;
    REQUIRE_TINY_DISK(disk)
    const QString code = QString(19990, u'x') + u"#000000"_s;
    const SkinBatch batch = batchFor(disk.path(), code);

    const std::optional<SkinFileFailure> failure = WriteSkinFiles(batch);
    QVERIFY(failure);
    const int stop = failure->skinNumber;
    QVERIFY2(stop > 1 && stop < SkinCount, QByteArray::number(stop).constData());
    QCOMPARE(failure->step, Step::Write);
    QCOMPARE(failure->fileName, batch.fileName(stop));
    QCOMPARE(failure->reason, u"le disque est plein"_s);
    QCOMPARE(entries(disk.path()), skinFileNames(u"habillage"_s, 1, stop - 1));
    for (int n = 1; n < stop; ++n) {
        const QByteArray expected = expectedBytes(QString(19990, u'x').toLatin1() + "@\r\n", n);
        QCOMPARE(fileBytes(batch.fileName(n)), expected);
    }
#else
    QSKIP("Needs a tmpfs mount");
#endif
}

void TestSkinFileWriter::readOnlyDisk()
{
#ifdef Q_OS_LINUX
    testsupport::TinyDisk disk;
    REQUIRE_TINY_DISK(disk)
    const QString existing = disk.path() + u"/habillage1.txt"_s;
    QVERIFY(putFile(existing, "ancien\r\n"));
    if (!disk.makeReadOnly())
        QSKIP("This system refused to remount the tmpfs read-only");

    const QString fresh = disk.path() + u"/habillage2.txt"_s;
    for (const QString &name : {existing, fresh}) {
        const std::optional<SkinFileFailure> failure = writeSkinFile(name, u"nouveau");
        QVERIFY(failure);
        QCOMPARE(failure->step, Step::Create);
        QCOMPARE(failure->reason, u"le disque est en lecture seule"_s);
    }
    QCOMPARE(fileBytes(existing), "ancien\r\n"_ba);
    QCOMPARE(entries(disk.path()), QStringList{u"habillage1.txt"_s});
#else
    QSKIP("A disk cannot be made read-only from here: the read-only file stands for it");
#endif
}

void TestSkinFileWriter::readOnlyFile()
{
#ifdef Q_OS_LINUX
    if (geteuid() == 0)
        QSKIP("Root writes over read-only files");
#endif
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString name = dir.filePath(u"habillage1.txt"_s);
    QVERIFY(putFile(name, "ancien\r\n"));
    QVERIFY(QFile::setPermissions(name, QFile::ReadOwner | QFile::ReadUser));

    const std::optional<SkinFileFailure> failure = writeSkinFile(name, u"nouveau");
    QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner);
    QVERIFY(failure);
    QCOMPARE(failure->step, Step::Create);
    QCOMPARE(failure->reason, u"le fichier est en lecture seule"_s);
    QCOMPARE(fileBytes(name), "ancien\r\n"_ba);
    QCOMPARE(entries(dir.path()), QStringList{u"habillage1.txt"_s});
}

void TestSkinFileWriter::message_data()
{
    QTest::addColumn<int>("skinNumber");
    QTest::addColumn<Step>("step");
    QTest::addColumn<QString>("expected");

    const QString file = u"Le fichier « "_s + QDir::toNativeSeparators(u"/x/habillage1.txt"_s);
    QTest::newRow("single file, create")
        << 0 << Step::Create << file + u" » n'a pas pu être créé : accès refusé."_s;
    QTest::newRow("first skin, write") << 1 << Step::Write
                                       << file + u" » n'a pas pu être écrit : accès refusé.\n"
                                                 u"Aucun fichier d'habillage n'a été écrit."_s;
    QTest::newRow("second skin, replace")
        << 2 << Step::Replace
        << file + u" » n'a pas pu être remplacé : accès refusé.\n"
                  u"Seul le fichier de l'habillage 1 a été écrit."_s;
    QTest::newRow("skin 24")
        << 24 << Step::Create
        << file + u" » n'a pas pu être créé : accès refusé.\n"
                  u"Les fichiers des habillages 1 à 23 ont été écrits, les suivants non."_s;
}

void TestSkinFileWriter::message()
{
    QFETCH(int, skinNumber);
    QFETCH(Step, step);
    const SkinFileFailure failure{u"/x/habillage1.txt"_s, skinNumber, step, u"accès refusé"_s};
    QTEST(failure.message(), "expected");
}

// Windows' rule for names, checked on every system: no disk here can show
// most of these, and Windows itself shows only the ones it is asked.
void TestSkinFileWriter::windowsRefusedName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason"); // empty: Windows takes the name

    const QString invalid = u"le nom du fichier n'est pas valide : "_s;
    const QString device = u" » est le nom d'un périphérique de Windows"_s;
    QTest::newRow("control character")
        << u"habil\x1flage1.txt"_s
        << invalid + u"le caractère « \\x1f » est interdit par Windows"_s;
    QTest::newRow("vertical bar") << u"a|b.txt"_s
                                  << invalid + u"le caractère « | » est interdit par Windows"_s;
    QTest::newRow("last printer") << u"lpt9.txt"_s << invalid + u"« lpt9"_s + device;
    QTest::newRow("device without a dot") << u"NUL"_s << invalid + u"« NUL"_s + device;
    QTest::newRow("device before a blank") << u"Con .txt"_s << invalid + u"« Con"_s + device;
    QTest::newRow("device before two dots (prefix aux.)")
        << u"aux.1.txt"_s << invalid + u"« aux"_s + device;
    QTest::newRow("port 0") << u"com0.txt"_s << QString();
    QTest::newRow("port 10") << u"com10.txt"_s << QString();
    QTest::newRow("device name inside") << u"console.txt"_s << QString();
}

void TestSkinFileWriter::windowsRefusedName()
{
    QFETCH(QString, name);
    const std::optional<RefusedWindowsName> refusal = refusedByWindows(name);
    QTEST(refusal ? failureReason(*refusal) : QString(), "reason");
}

// The codes no test can make the system give, each to its reason; a read
// and a write say a disk's fault in their own words.
void TestSkinFileWriter::systemErrorReason_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<Access>("access");
    QTest::addColumn<QString>("reason");

    const Access r = Access::Read;
    const Access w = Access::Write;
    const QString readFault = u"le disque a signalé une erreur de lecture"_s;
    const QString writeFault = u"le disque a signalé une erreur d'écriture"_s;
    const QString missingFolder =
        u"le dossier « "_s + QDir::toNativeSeparators(u"/x"_s) + u" » n'existe pas"_s;
    QTest::newRow("unknown code") << 0 << w << QString();
#ifdef Q_OS_WIN
    QTest::newRow("file not found, read")
        << int(ERROR_FILE_NOT_FOUND) << r << u"le fichier est introuvable"_s;
    QTest::newRow("path not found, write") << int(ERROR_PATH_NOT_FOUND) << w << missingFolder;
    QTest::newRow("quota") << int(ERROR_DISK_QUOTA_EXCEEDED) << w
                           << u"le quota d'espace disque est dépassé"_s;
    QTest::newRow("write-protected")
        << int(ERROR_WRITE_PROTECT) << w << u"le disque est protégé en écriture"_s;
    QTest::newRow("not ready") << int(ERROR_NOT_READY) << r << u"le disque n'est pas prêt"_s;
    QTest::newRow("lock") << int(ERROR_LOCK_VIOLATION) << w
                          << u"le fichier est utilisé par un autre programme"_s;
    QTest::newRow("network") << int(ERROR_UNEXP_NET_ERR) << r
                             << u"le dossier réseau n'est pas joignable"_s;
    QTest::newRow("CRC, read") << int(ERROR_CRC) << r << readFault;
    QTest::newRow("CRC, write") << int(ERROR_CRC) << w << writeFault;
    QTest::newRow("read fault, read") << int(ERROR_READ_FAULT) << r << readFault;
    QTest::newRow("read fault, write") << int(ERROR_READ_FAULT) << w << QString();
    QTest::newRow("write fault, read") << int(ERROR_WRITE_FAULT) << r << writeFault;
#else
    QTest::newRow("ENOENT, read") << ENOENT << r << u"le fichier est introuvable"_s;
    QTest::newRow("ENOENT, write") << ENOENT << w << missingFolder;
    QTest::newRow("ENOTDIR") << ENOTDIR << r
                             << u"un élément du chemin « /x » n'est pas un dossier"_s;
    QTest::newRow("EISDIR, read") << EISDIR << r << u"c'est un dossier"_s;
    QTest::newRow("EISDIR, write") << EISDIR << w << u"un dossier porte déjà ce nom"_s;
#ifdef EDQUOT
    QTest::newRow("EDQUOT") << EDQUOT << w << u"le quota d'espace disque est dépassé"_s;
#endif
    QTest::newRow("ETXTBSY") << ETXTBSY << w << u"le fichier est utilisé par un autre programme"_s;
    QTest::newRow("ENFILE") << ENFILE << r << u"trop de fichiers sont ouverts"_s;
    QTest::newRow("EFBIG") << EFBIG << w << u"le fichier dépasse la taille permise"_s;
    QTest::newRow("ENOMEM") << ENOMEM << r << u"la mémoire est insuffisante"_s;
    QTest::newRow("ELOOP") << ELOOP << r << u"le chemin contient une boucle de liens symboliques"_s;
    QTest::newRow("EILSEQ") << EILSEQ << w << u"le nom du fichier n'est pas valide"_s;
    QTest::newRow("EIO, read") << EIO << r << readFault;
    QTest::newRow("EIO, write") << EIO << w << writeFault;
#endif
}

void TestSkinFileWriter::systemErrorReason()
{
    QFETCH(int, code);
    QFETCH(Access, access);
    QTEST(failureReason(failureKind(code), access, u"/x"_s), "reason");
}

QTEST_APPLESS_MAIN(TestSkinFileWriter)
#include "test_skinfilewriter.moc"
