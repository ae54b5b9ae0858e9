// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// "Créer les fichiers txt..." from the window: the 24 skin files checked
// byte for byte, what the window shows afterwards, and the failures, which
// show an error box and leave the program running with its texts.
#include "form1test.h"
#include "testsupport.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

using namespace Qt::StringLiterals;
using form1test::Boxes;
using form1test::Form1;
using testsupport::fileBytes;
using testsupport::skinColour;
using testsupport::skinFile;
using velbrisk::ui::BoxKind;

namespace {

// The code converted from skin `base` for skin `skin`. A colour cannot
// overlap itself, so QString::replace gives what the program's rule gives.
QString variant(const QString &code, int base, int skin)
{
    return QString(code).replace(skinColour(base), skinColour(skin));
}

// Accents, no-break spaces and signs that Windows-1252 has.
const QString Code1252 = u"<style>\n"
                         u".titre{color:#000000;background:#ffffff}\n"
                         u"/* déco à l'été\u00a0: 5\u00a0€ — «\u00a0œuvre\u00a0» */\t\n"
                         u".lien{border:1px solid #000000}#0000001\n"
                         u"</style>"_s;
const QString CodeWide = Code1252 + u"\n<p>😀 ★ ĳ\u2028#000000</p>\n"_s;

} // namespace

class TestMainWindowBatch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void writesTheTwentyFourFiles_data();
    void writesTheTwentyFourFiles();
    void baseNamingNoSkinConvertsFromTheFreeText();
    void failureKeepsTheProgramAndItsTexts_data();
    void failureKeepsTheProgramAndItsTexts();
    void fullDisk();

private:
    // Fills the batch fields and the code as a person does, then clicks.
    void runBatch(const QString &base, const QString &folder, const QString &prefix,
                  const QString &code);
    // What the window shows once the batch stopped at skin `skin`.
    void checkWindowAfter(int skin, const QString &base, int baseSkin, const QString &code);

    std::unique_ptr<Form1> m_form;
    std::unique_ptr<Boxes> m_boxes;
};

void TestMainWindowBatch::initTestCase()
{
    velbrisk::ui::setUpProgramLook();
}

void TestMainWindowBatch::init()
{
    m_form = std::make_unique<Form1>();
    m_boxes = std::make_unique<Boxes>();
}

void TestMainWindowBatch::cleanup()
{
    m_boxes.reset();
    m_form.reset();
}

void TestMainWindowBatch::runBatch(const QString &base, const QString &folder,
                                   const QString &prefix, const QString &code)
{
    QGuiApplication::clipboard()->setText(code);
    m_form->click(u"Command5"_s);
    QCOMPARE(m_form->code(u"text1"_s), code);
    m_form->type(u"Combo3"_s, base);
    m_form->type(u"Text5"_s, folder);
    m_form->type(u"Text6"_s, prefix);
    m_form->click(u"Command8"_s);
}

void TestMainWindowBatch::checkWindowAfter(int skin, const QString &base, int baseSkin,
                                           const QString &code)
{
    QVERIFY(m_form->window->isVisible());
    QCOMPARE(m_form->combo(u"Combo1"_s)->currentText(), base);
    QCOMPARE(m_form->combo(u"Combo2"_s)->currentText(), u"Habillage %1"_s.arg(skin));
    QCOMPARE(m_form->field(u"txtHab1"_s)->text(), skinColour(baseSkin));
    QCOMPARE(m_form->field(u"txtHab2"_s)->text(), skinColour(skin));
    QCOMPARE(m_form->code(u"text2"_s), variant(code, baseSkin, skin));
    QCOMPARE(m_form->code(u"text1"_s), code);
    QCOMPARE(m_form->combo(u"Combo3"_s)->currentText(), base);
}

void TestMainWindowBatch::writesTheTwentyFourFiles_data()
{
    QTest::addColumn<int>("baseSkin");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("folderEnd"); // appended to the folder text
    QTest::addColumn<QString>("code");

    QTest::newRow("base 15, Windows-1252") << 15 << u"habillage"_s << u""_s << Code1252;
    QTest::newRow("base 9, colour shared by 9 to 11")
        << 9 << u"habillage"_s << u""_s << u"a{color:#ffffff}\nb{color:#FFFFFF}"_s;
    QTest::newRow("characters beyond Windows-1252, UTF-8")
        << 15 << u"habillage"_s << u""_s << CodeWide;
    QTest::newRow("empty code: two bytes each") << 1 << u"habillage"_s << u""_s << u""_s;
    QTest::newRow("empty prefix") << 2 << u""_s << u""_s << u"#7e94a5"_s;
    QTest::newRow("folder ending in a separator")
        << 24 << u"déco été "_s << u"/"_s << u"x#313031"_s;
}

void TestMainWindowBatch::writesTheTwentyFourFiles()
{
    QFETCH(int, baseSkin);
    QFETCH(QString, prefix);
    QFETCH(QString, folderEnd);
    QFETCH(QString, code);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = QDir::toNativeSeparators(dir.path()) + folderEnd;
    const auto fileOf = [&](int skin) {
        return dir.filePath(prefix + QString::number(skin)) + u".txt"_s;
    };
    // An older, longer file is replaced whole.
    QVERIFY(testsupport::putFile(fileOf(3), QByteArray(100'000, 'z')));
    const QString base = u"Habillage %1"_s.arg(baseSkin);
    m_boxes->onBox = [&](const velbrisk::ui::BoxRequest &) {
        // The message comes once every file is written.
        QCOMPARE(fileBytes(fileOf(24)), skinFile(variant(code, baseSkin, 24)));
    };
    runBatch(base, folder, prefix, code);

    QCOMPARE(m_boxes->shown.size(), 1);
    QCOMPARE(m_boxes->shown[0].kind, BoxKind::Information);
    QCOMPARE(m_boxes->shown[0].title, u"Velbrisk par ZeNdAl"_s);
    QCOMPARE(m_boxes->shown[0].text, u"Vos 24 Habillages sont créés et placés dans :\n"_s + folder);

    for (int skin = 1; skin <= 24; ++skin)
        QCOMPARE(fileBytes(fileOf(skin)), skinFile(variant(code, baseSkin, skin)));
    QCOMPARE(testsupport::entries(dir.path()).size(), 24);
    checkWindowAfter(24, base, baseSkin, code);
    QCOMPARE(m_form->field(u"Text5"_s)->text(), folder);
    QCOMPARE(m_form->field(u"Text6"_s)->text(), prefix);

    // Once more with the same inputs: the same files.
    m_form->click(u"Command8"_s);
    QCOMPARE(m_boxes->shown.size(), 2);
    for (int skin = 1; skin <= 24; ++skin)
        QCOMPARE(fileBytes(fileOf(skin)), skinFile(variant(code, baseSkin, skin)));
}

// A base text that names no skin converts from what txtHab1 holds: here the
// search text of the last free replacement.
void TestMainWindowBatch::baseNamingNoSkinConvertsFromTheFreeText()
{
    QTemporaryDir dir;
    m_form->type(u"Text3"_s, u"ROUGE"_s);
    m_form->click(u"Command2"_s);
    runBatch(u"Habillage 25"_s, dir.path(), u"h"_s, u"a{color:ROUGE}"_s);
    QCOMPARE(m_boxes->shown.size(), 1);
    for (int skin = 1; skin <= 24; ++skin)
        QCOMPARE(fileBytes(dir.filePath(u"h%1.txt"_s.arg(skin))),
                 skinFile(u"a{color:%1}"_s.arg(skinColour(skin))));
    QCOMPARE(m_form->combo(u"Combo1"_s)->currentText(), u"Habillage 25"_s);
    QCOMPARE(m_form->field(u"txtHab1"_s)->text(), u"ROUGE"_s);
    QCOMPARE(m_form->code(u"text2"_s), u"a{color:#313031}"_s);
}

// The error box names what failed; no success message; the files before the
// failure are whole; the window shows the conversion of the skin whose file
// failed, and the input code is intact.
void TestMainWindowBatch::failureKeepsTheProgramAndItsTexts_data()
{
    QTest::addColumn<QString>("folderEnd");
    QTest::addColumn<QString>("blockedBy"); // a folder made where a skin file goes
    QTest::addColumn<int>("failingSkin");
    QTest::addColumn<QString>("named"); // what the error text names

    QTest::newRow("missing folder") << u"/absent"_s << u""_s << 1 << u"absent"_s;
    QTest::newRow("missing folder below a missing one")
        << u"/absent/plus"_s << u""_s << 1 << u"plus"_s;
    QTest::newRow("a folder where skin file 5 goes")
        << u""_s << u"habillage5.txt"_s << 5 << u"habillage5.txt"_s;
    QTest::newRow("a folder where skin file 1 goes")
        << u""_s << u"habillage1.txt"_s << 1 << u"habillage1.txt"_s;
}

void TestMainWindowBatch::failureKeepsTheProgramAndItsTexts()
{
    QFETCH(QString, folderEnd);
    QFETCH(QString, blockedBy);
    QFETCH(int, failingSkin);
    QFETCH(QString, named);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    if (!blockedBy.isEmpty())
        QVERIFY(QDir(dir.path()).mkdir(blockedBy));
    const QString folder = dir.path() + folderEnd;
    runBatch(u"Habillage 15"_s, folder, u"habillage"_s, Code1252);

    QCOMPARE(m_boxes->shown.size(), 1);
    const velbrisk::ui::BoxRequest &box = m_boxes->shown[0];
    QCOMPARE(box.kind, BoxKind::Error);
    QCOMPARE(box.title, u"Velbrisk [par ZeNdAl ]"_s);
    QVERIFY2(box.text.contains(named), qPrintable(box.text));

    for (int skin = 1; skin <= 24; ++skin) {
        const QString file = dir.filePath(u"habillage%1.txt"_s.arg(skin));
        if (skin < failingSkin)
            QCOMPARE(fileBytes(file), skinFile(variant(Code1252, 15, skin)));
        else if (skin > failingSkin)
            QVERIFY2(!QFile::exists(file), qPrintable(file));
    }
    if (!blockedBy.isEmpty())
        QVERIFY(QFileInfo(dir.filePath(blockedBy)).isDir());
    checkWindowAfter(failingSkin, u"Habillage 15"_s, 15, Code1252);

    // The program goes on: the next batch, into a sound folder, succeeds.
    QTemporaryDir sound;
    m_form->type(u"Text5"_s, sound.path());
    m_form->click(u"Command8"_s);
    QCOMPARE(m_boxes->shown.size(), 2);
    QCOMPARE(m_boxes->shown[1].kind, BoxKind::Information);
    QCOMPARE(fileBytes(sound.filePath(u"habillage24.txt"_s)), skinFile(variant(Code1252, 15, 24)));
}

// A disk that fills up part way: the files before are whole, the one being
// written is not left empty or cut short, and the error is said.
void TestMainWindowBatch::fullDisk()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_WIN)
    testsupport::TinyDisk disk;
    REQUIRE_TINY_DISK(disk)

    // About 9 KiB a file: a 64 KiB disk takes a few of the 24.
    QString code;
    while (code.size() < 9000)
        code += u".déco{color:#000000}\n"_s;
    // The file of skin 3 is there already, with an old content.
    const QByteArray old = "ancien contenu\r\n";
    QVERIFY(testsupport::putFile(disk.path() + u"/habillage3.txt"_s, old));
    runBatch(u"Habillage 15"_s, disk.path(), u"habillage"_s, code);

    QCOMPARE(m_boxes->shown.size(), 1);
    QCOMPARE(m_boxes->shown[0].kind, BoxKind::Error);
    int failing = 1;
    while (failing <= 24 && fileBytes(disk.path() + u"/habillage%1.txt"_s.arg(failing)) ==
                                skinFile(variant(code, 15, failing)))
        ++failing;
    QVERIFY2(failing > 1 && failing < 24, qPrintable(QString::number(failing)));
    QVERIFY2(m_boxes->shown[0].text.contains(u"habillage%1.txt"_s.arg(failing)),
             qPrintable(m_boxes->shown[0].text));
    const QByteArray left = fileBytes(disk.path() + u"/habillage%1.txt"_s.arg(failing));
    QVERIFY(left == "<absent>" || (failing == 3 && left == old));
    checkWindowAfter(failing, u"Habillage 15"_s, 15, code);
#else
    QSKIP("No tiny disk on this system");
#endif
}

QTEST_MAIN(TestMainWindowBatch)
#include "test_mainwindow_batch.moc"
