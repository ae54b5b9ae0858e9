// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// A 32 MB code through the main window, as a person would use it: pasted with
// "Coller", converted with "Transformer", copied with "Copier" and batched
// into 24 files; nothing may crash or be cut, and every file must hold the
// right bytes. Its peak memory is measured by bench/startup.sh, not here.
#include "testsupport.h"
#include "ui/common/look.h"
#include "ui/common/messagebox.h"
#include "ui/main/mainwindow.h"
#include "windowtestsupport.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

#include <vector>

using namespace velbrisk;
using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype HugeSize = 32 * 1024 * 1024;

// Lines of a decoration code, with accents and no-break spaces that
// Windows-1252 holds, the base colour of skin 15 twice per line, and one
// line that runs on for a whole megabyte.
QString hugeCode()
{
    const QString line = u".déco{color:#000000;border:1px solid #000000}\u00a0/* été */\n"_s;
    QString code;
    code.reserve(HugeSize);
    while (code.size() + line.size() <= HugeSize / 2)
        code.append(line);
    code.append(QString(1024 * 1024, u'x')).append(u"#000000\n"_s);
    while (code.size() + line.size() <= HugeSize)
        code.append(line);
    return code.append(QString(HugeSize - code.size(), u'y'));
}

QString boxText(QWidget *box)
{
    QString text;
    if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
        text = plain->document()->toRawText();
    else if (auto *rich = qobject_cast<QTextEdit *>(box))
        text = rich->document()->toRawText();
    return text.replace(QChar::ParagraphSeparator, u'\n');
}

} // namespace

class TestHugeInput : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void pasteConvertCopyAndBatch();

private:
    template <typename T> T *control(const char *name)
    {
        return testsupport::control<T>(m_window, QString::fromLatin1(name));
    }

    ui::MainWindow *m_window = nullptr;
    std::vector<ui::BoxRequest> m_boxes;
};

void TestHugeInput::initTestCase()
{
    ui::setBoxHandler([this](const ui::BoxRequest &box) { m_boxes.push_back(box); });
    ui::setUpProgramLook(); // as the program does before its window
    m_window = new ui::MainWindow;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestHugeInput::cleanupTestCase()
{
    delete m_window;
    ui::setBoxHandler({});
}

void TestHugeInput::pasteConvertCopyAndBatch()
{
    const QString code = hugeCode();
    QCOMPARE(code.size(), HugeSize);

    QGuiApplication::clipboard()->setText(code);
    control<QAbstractButton>("Command5")->click(); // Coller
    QCOMPARE(boxText(control<QWidget>("text1")).size(), code.size());
    QVERIFY(boxText(control<QWidget>("text1")) == code); // QCOMPARE would print 32 MB

    // From the start-up skins: 15 (#000000) to 1 (#333333).
    control<QAbstractButton>("Command1")->click(); // Transformer
    QString expected = code;
    expected.replace(u"#000000"_s, testsupport::skinColour(1));
    QCOMPARE(boxText(control<QWidget>("text2")).size(), expected.size());
    QVERIFY(boxText(control<QWidget>("text2")) == expected);

    const QString convertedToSkin1 = expected;

    control<QAbstractButton>("Command3")->click(); // Copier
    QVERIFY(QGuiApplication::clipboard()->text() == expected);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    control<QLineEdit>("Text5")->setText(folder.path());
    control<QAbstractButton>("Command8")->click(); // Créer les fichiers txt...
    QCOMPARE(m_boxes.size(), size_t(1));
    QCOMPARE(m_boxes.front().kind, ui::BoxKind::Information);

    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 24);
    // One character is one byte in Windows-1252 and the colours are ASCII,
    // so each file is the encoded code with its colours swapped byte for byte.
    const QByteArray base = testsupport::skinFile(code);
    QCOMPARE(base.size(), code.size() + code.count(u'\n') + 2);
    for (int n = 1; n <= 24; ++n) {
        QByteArray wanted = base;
        wanted.replace("#000000", testsupport::skinColour(n).toLatin1());
        QFile file(folder.filePath(u"habillage%1.txt"_s.arg(n)));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.size(), wanted.size());
        QVERIFY2(bytes == wanted, qPrintable(file.fileName()));
    }
    // The window ends on the code for skin 24.
    expected = code;
    expected.replace(u"#000000"_s, testsupport::skinColour(24));
    QVERIFY(boxText(control<QWidget>("text2")) == expected);
    QVERIFY(boxText(control<QWidget>("text1")) == code);

    // However large the code, the last change to each box can be undone.
    QTest::keyClick(control<QWidget>("text2"), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(boxText(control<QWidget>("text2")) == convertedToSkin1);
    QTest::keyClick(control<QWidget>("text1"), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(boxText(control<QWidget>("text1")),
             u"Mettez ici votre code SkyBlog d'une déco...\n"_s);
    QTest::keyClick(control<QWidget>("text1"), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(boxText(control<QWidget>("text1")) == code);
}

QTEST_MAIN(TestHugeInput)
#include "test_hugeinput.moc"
