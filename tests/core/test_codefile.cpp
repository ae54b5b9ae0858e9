// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/codefile.h"
#include "core/skinfilebytes.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>
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

// The text of Windows-1252 bytes, from the reference table of the tests.
QString referenceWindows1252(QByteArrayView bytes)
{
    static const QList<char16_t> chars = [] {
        QList<char16_t> table(256, 0);
        for (char32_t c = 0; c <= 0xFFFF; ++c) {
            if (const int byte = testsupport::referenceWindows1252Byte(char16_t(c)); byte >= 0)
                table[byte] = char16_t(c);
        }
        return table;
    }();
    QString text;
    for (const char byte : bytes)
        text.append(QChar(chars[uchar(byte)]));
    return text;
}

QString lineFeeds(QString text)
{
    return text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
}

} // namespace

class TestCodeFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decode_data();
    void decode();
    void decodeAtEveryPlaceOfTheFastRuns_data();
    void decodeAtEveryPlaceOfTheFastRuns();
    void decodeMatchesQtsDecoders();
    void skinFileReadsBack_data();
    void skinFileReadsBack();
    void read_data();
    void read();
    void droppedFolder_data();
    void droppedFolder();
};

void TestCodeFile::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty file") << QByteArray() << QString();
    QTest::newRow("ascii") << "a{color:#333333}"_ba << u"a{color:#333333}"_s;
    // Windows-1252 when the bytes are no UTF-8.
    QTest::newRow("Windows-1252") << "\xE9t\xE9 \xE0 5\xA0\x80"_ba << u"été à 5\u00A0€"_s;
    QTest::newRow("the five bytes without a character, as Windows reads them")
        << "\xE9\x81\x8D\x8F\x90\x9D"_ba << u"é\u0081\u008D\u008F\u0090\u009D"_s;
    // UTF-8, with or without the byte-order mark, which is not text.
    QTest::newRow("UTF-8") << "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC"_ba << u"été €"_s;
    QTest::newRow("UTF-8 with byte-order mark") << "\xEF\xBB\xBF\xC3\xA9t\xC3\xA9"_ba << u"été"_s;
    QTest::newRow("byte-order mark before Windows-1252 is Windows-1252 too")
        << "\xEF\xBB\xBF\xE9"_ba << u"ï»¿é"_s;
    QTest::newRow("emoji, two units") << "a\xF0\x9F\x98\x80z"_ba << u"a😀z"_s;
    // Windows-1252 bytes that happen to form UTF-8 are read as UTF-8.
    QTest::newRow("Windows-1252 Ã© reads as UTF-8 é") << "\xC3\xA9"_ba << u"é"_s;

    // The edges of UTF-8: the smallest and largest of each length.
    QTest::newRow("U+0080 and U+07FF") << "\xC2\x80\xDF\xBF"_ba << u"\u0080\u07FF"_s;
    QTest::newRow("U+0800 and U+FFFF") << "\xE0\xA0\x80\xEF\xBF\xBF"_ba << u"\u0800\uFFFF"_s;
    QTest::newRow("U+D7FF and U+E000, around the surrogates")
        << "\xED\x9F\xBF\xEE\x80\x80"_ba << u"\uD7FF\uE000"_s;
    QTest::newRow("U+10000 and U+10FFFF")
        << "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"_ba << u"\U00010000\U0010FFFF"_s;
    // Just beyond them the bytes are no UTF-8 (decodeMatchesQtsDecoders).

    // Line breaks.
    QTest::newRow("CR LF") << "a\r\nb\r\n"_ba << u"a\nb\n"_s;
    QTest::newRow("lone CR") << "a\rb\r"_ba << u"a\nb\n"_s;
    QTest::newRow("CR CR LF is two breaks") << "a\r\r\nb"_ba << u"a\n\nb"_s;
    QTest::newRow("NEL byte of Windows-1252 is …, not a break") << "a\x85\xE9"_ba << u"a…é"_s;
}

void TestCodeFile::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DecodeCodeFile(bytes), text);
}

void TestCodeFile::decodeAtEveryPlaceOfTheFastRuns_data()
{
    QTest::addColumn<QByteArray>("special");
    QTest::addColumn<QString>("text");

    QTest::newRow("CR LF") << "\r\n"_ba << u"\n"_s;
    QTest::newRow("lone CR") << "\r"_ba << u"\n"_s;
    QTest::newRow("UTF-8 é") << "\xC3\xA9"_ba << u"é"_s;
    QTest::newRow("UTF-8 emoji") << "\xF0\x9F\x98\x80"_ba << u"😀"_s;
    QTest::newRow("Windows-1252 é") << "\xE9"_ba << u"é"_s;
}

void TestCodeFile::decodeAtEveryPlaceOfTheFastRuns()
{
    // Runs of plain ASCII go sixteen bytes at a time: a special sequence at
    // every place of texts of every length around that stride.
    QFETCH(QByteArray, special);
    QFETCH(QString, text);
    for (qsizetype length = 0; length <= 40; ++length) {
        for (qsizetype at = 0; at <= length; ++at) {
            QByteArray bytes(length, 'x');
            bytes.insert(at, special);
            QString expected(length, u'x');
            expected.insert(at, text);
            QCOMPARE(DecodeCodeFile(bytes), expected);
        }
    }
}

void TestCodeFile::decodeMatchesQtsDecoders()
{
    // Random files from pieces: valid characters of each length, line
    // breaks, a byte-order mark, each way of not being UTF-8 (too short a
    // form, a surrogate, beyond U+10FFFF, a lead or a continuation alone) and
    // a run of ASCII longer than the sixteen bytes taken at a time. Where
    // Qt's UTF-8 decoder takes the bytes without error, the text is Qt's (its
    // byte-order mark dropped), otherwise the bytes' Windows-1252; line
    // breaks become "\n" either way.
    const QList<QByteArray> pieces =
        QByteArray("a|\r|\n|\r\n|\xC3\xA9|\xE9|\xEF\xBB\xBF|"
                   "\xE2\x82\xAC|\xF0\x9F\x98\x80|\xF4\x8F\xBF\xBF|"
                   "\xED\xA0\x80|\xC0\xAF|\x80|\xF0\x8F\xBF\xBF|\xF5\x80|"
                   "\xF4\x90\x80\x80|\xE0\x9F\xBF|\xC3|0123456789abcdefg")
            .split('|');
    QRandomGenerator random(20260417);
    int asUtf8 = 0;
    for (int round = 0; round < 5000; ++round) {
        QByteArray bytes;
        const int count = random.bounded(12);
        for (int i = 0; i < count; ++i)
            bytes += pieces[random.bounded(int(pieces.size()))];
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8.decode(bytes);
        const bool valid = !utf8.hasError();
        asUtf8 += valid;
        const QString expected = lineFeeds(valid ? decoded : referenceWindows1252(bytes));
        QVERIFY2(DecodeCodeFile(bytes) == expected, bytes.toHex(' ').constData());
    }
    // Both ways were taken often.
    QVERIFY2(asUtf8 > 500 && asUtf8 < 4500, QByteArray::number(asUtf8).constData());
}

void TestCodeFile::skinFileReadsBack_data()
{
    QTest::addColumn<QString>("code");

    QTest::newRow("ascii with breaks") << u"<style>\n.a{color:#000000}\n</style>"_s;
    QTest::newRow("Windows-1252 file")
        << u"/* déco à l'été\u00A0: 5\u00A0€ — «\u00A0œuvre\u00A0» */"_s;
    QTest::newRow("the five bytes without a character") << u"\u0081\u008D\u008F\u0090\u009D"_s;
    QTest::newRow("UTF-8 file") << u"é😀 ★ ĳ\u00A0#000000\n\u2028\u0085"_s;
    QTest::newRow("ends with a break") << u"a\n"_s;
}

void TestCodeFile::skinFileReadsBack()
{
    // A skin file this program wrote gives back its code, followed by the
    // line break the file ends with.
    QFETCH(QString, code);
    QCOMPARE(DecodeCodeFile(SkinFileBytes(code)), code + u"\n"_s);
}

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
