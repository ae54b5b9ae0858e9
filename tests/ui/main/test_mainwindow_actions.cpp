// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's handlers driven through real clicks and keystrokes:
// the lookups of the combo boxes, the two conversions, the clipboard
// buttons, the help, the folder list, the drops from a file manager and the
// end of the program.
#include "core/codefile.h"
#include "core/skinfilebytes.h"
#include "form1test.h"
#include "testsupport.h"
#include "ui/main/dirlist.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>
#include <QUrl>

#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace Qt::StringLiterals;
using form1test::Boxes;
using form1test::Form1;

namespace {

QClipboard *clipboard()
{
    return QGuiApplication::clipboard();
}

// A code through the clipboard and "Coller".
void paste(const Form1 &form, const QString &code)
{
    clipboard()->setText(code);
    form.click(u"Command5"_s);
}

// The text "Copier" leaves on the clipboard.
QString copied(const Form1 &form)
{
    form.click(u"Command3"_s);
    return clipboard()->text();
}

QTreeWidgetItem *folderItem(velbrisk::ui::DirList *list, const QString &text)
{
    const auto found = list->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.size() == 1 ? found.first() : nullptr;
}

void doubleClick(velbrisk::ui::DirList *list, QTreeWidgetItem *item)
{
    list->scrollToItem(item);
    const QPoint centre = list->visualItemRect(item).center();
    // Press, release, the second press reported as a double-click, release.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre);
}

// A drag of `paths` as a file manager offers it: their addresses, and the
// addresses again as plain text, which some add (Windows among them).
QMimeData *filesDrag(const QStringList &paths)
{
    auto *data = new QMimeData;
    QList<QUrl> urls;
    QStringList lines;
    for (const QString &path : paths) {
        urls.append(QUrl::fromLocalFile(path));
        lines.append(urls.last().toString());
    }
    data->setUrls(urls);
    data->setText(lines.join(u'\n'));
    return data;
}

// Enter, move and drop at `at` on `target` (the widget a real drop lands
// on), then the work the drop left queued. The source offers `offered`, and
// proposes one of them as the keys `held` choose (Shift: a move). The action
// the drop was taken with, or IgnoreAction when it was refused.
Qt::DropAction dragAndDrop(QWidget *target, const QMimeData *data, QPoint at,
                           Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction,
                           Qt::KeyboardModifiers held = Qt::NoModifier)
{
    QDragEnterEvent enter(at, offered, data, Qt::LeftButton, held);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return Qt::IgnoreAction;
    QDragMoveEvent move(at, offered, data, Qt::LeftButton, held);
    QCoreApplication::sendEvent(target, &move);
    if (!move.isAccepted())
        return Qt::IgnoreAction;
    QDropEvent drop(QPointF(at), offered, data, Qt::LeftButton, held);
    QCoreApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// A box's code with each of its marks between brackets.
QString marked(const velbrisk::ui::CodeBox *box)
{
    QString code = box->code();
    const std::vector<qsizetype> &starts = box->markStarts();
    for (auto at = starts.rbegin(); at != starts.rend(); ++at)
        code.insert(*at + box->markLength(), u']').insert(*at, u'[');
    return code;
}

} // namespace

class TestMainWindowActions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void typingALabelLooksItUpAtEachKeystroke_data();
    void typingALabelLooksItUpAtEachKeystroke();
    void pickingFromTheListLooksNothingUp();
    void transformerAtStartUp();
    void transformerUsesTheFreeTextForAComboNamingNoSkin();
    void freeReplacement();

    void pasteAndCopyRoundTrip_data();
    void pasteAndCopyRoundTrip();
    void copyAtStartUpAndWhenEmpty();
    void pasteWithoutTextEmptiesTheInput();
    void pasteReplacesEverythingWhateverTheSelection();
    void effEmptiesTheInputOnly();
    void everyChangeToACodeBoxCanBeUndone_data();
    void everyChangeToACodeBoxCanBeUndone();
    void conversionsShowWhatTheyReplaced_data();
    void conversionsShowWhatTheyReplaced();

    void helpBox();
    void folderListFollowsIntoTheFolderField();
    void folderListEnterOpensAFolder();
    void unreadableFolderShowsNoSubFolders();

    void fileDroppedOnACodeBox_data();
    void fileDroppedOnACodeBox();
    void textDropsAreInsertedWhereDropped_data();
    void textDropsAreInsertedWhereDropped();
    void folderDroppedOnTheFolderFieldOrList_data();
    void folderDroppedOnTheFolderFieldOrList();

    void closingTheWindowEndsTheProgram();

private:
    std::unique_ptr<Form1> m_form;
};

void TestMainWindowActions::initTestCase()
{
    velbrisk::ui::setUpProgramLook();
}

void TestMainWindowActions::init()
{
    m_form = std::make_unique<Form1>();
}

void TestMainWindowActions::cleanup()
{
    m_form.reset();
}

// Only a full label matches: the texts typed before "Habillage 1" leave
// the field as it was.
void TestMainWindowActions::typingALabelLooksItUpAtEachKeystroke_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("atShortLabel"); // colour once the label lacks its last digit
    QTest::addColumn<QString>("atFullLabel");

    QTest::newRow("Combo1, Habillage 12")
        << u"Combo1"_s << u"txtHab1"_s << u"Habillage 12"_s << u"#333333"_s << u"#ffcecd"_s;
    QTest::newRow("Combo2, Habillage 24")
        << u"Combo2"_s << u"txtHab2"_s << u"Habillage 24"_s << u"#7e94a5"_s << u"#313031"_s;
}

void TestMainWindowActions::typingALabelLooksItUpAtEachKeystroke()
{
    QFETCH(QString, combo);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, atShortLabel);
    QFETCH(QString, atFullLabel);

    // A free replacement leaves a text in both colour fields that no lookup gives.
    m_form->type(u"Text3"_s, u"avant"_s);
    m_form->type(u"Text4"_s, u"avant"_s);
    m_form->click(u"Command2"_s);
    QCOMPARE(m_form->field(field)->text(), u"avant"_s);

    QLineEdit *edit = m_form->combo(combo)->lineEdit();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(m_form->combo(combo)->currentText(), QString());
    QCOMPARE(m_form->field(field)->text(), u"avant"_s);

    for (qsizetype n = 1; n <= typed.size(); ++n) {
        QTest::keyClick(edit, typed.at(n - 1).toLatin1());
        QCOMPARE(m_form->combo(combo)->currentText(), typed.left(n));
        const QString expected = n == typed.size()       ? atFullLabel
                                 : n == typed.size() - 1 ? atShortLabel
                                                         : u"avant"_s;
        QCOMPARE(m_form->field(field)->text(), expected);
    }
    // The other colour field never moves.
    const QString other = field == u"txtHab1"_s ? u"txtHab2"_s : u"txtHab1"_s;
    QCOMPARE(m_form->field(other)->text(), u"avant"_s);
}

// A pick from the list, by the popup or by the arrow keys, runs no lookup;
// typing the same label does.
void TestMainWindowActions::pickingFromTheListLooksNothingUp()
{
    QComboBox *combo = m_form->combo(u"Combo1"_s);
    QAbstractItemView *view = combo->view();
    combo->setFocus();
    combo->showPopup();
    QVERIFY(view->isVisible());
    view->setCurrentIndex(combo->model()->index(1, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QVERIFY(!view->isVisible());
    QCOMPARE(combo->currentText(), u"Habillage 2"_s);
    QCOMPARE(m_form->field(u"txtHab1"_s)->text(), u"#333333"_s);

    QTest::keyClick(combo->lineEdit(), Qt::Key_Down);
    QCOMPARE(combo->currentText(), u"Habillage 3"_s);
    QCOMPARE(m_form->field(u"txtHab1"_s)->text(), u"#333333"_s);

    m_form->type(u"Combo1"_s, u"Habillage 2"_s);
    QCOMPARE(m_form->field(u"txtHab1"_s)->text(), u"#7e94a5"_s);
}

// Base "Habillage 15", target "Habillage 1", both fields "#333333": the
// lookups run first, then every "#000000" becomes "#333333".
void TestMainWindowActions::transformerAtStartUp()
{
    // Untouched, the sentence holds no colour and passes through.
    m_form->click(u"Command1"_s);
    QCOMPARE(m_form->code(u"text2"_s), u"Mettez ici votre code SkyBlog d'une déco...\n"_s);

    const QString code = u"a{color:#000000}\n.b{border:#0000001px;color:#000}\t#333333"_s;
    paste(*m_form, code);
    m_form->click(u"Command1"_s);
    QCOMPARE(m_form->field(u"txtHab1"_s)->text(), u"#000000"_s);
    QCOMPARE(m_form->field(u"txtHab2"_s)->text(), u"#333333"_s);
    QCOMPARE(m_form->code(u"text2"_s),
             u"a{color:#333333}\n.b{border:#3333331px;color:#000}\t#333333"_s);
    QCOMPARE(m_form->code(u"text1"_s), code);
}

void TestMainWindowActions::transformerUsesTheFreeTextForAComboNamingNoSkin()
{
    paste(*m_form, u"x #000000 y"_s);
    m_form->type(u"Text3"_s, u"x"_s);
    m_form->type(u"Text4"_s, u"z"_s);
    m_form->click(u"Command2"_s);
    m_form->type(u"Combo1"_s, u"habillage 15"_s); // lower-case: names no skin
    m_form->type(u"Combo2"_s, u"Habillage 2"_s);
    m_form->click(u"Command1"_s);
    QCOMPARE(m_form->field(u"txtHab1"_s)->text(), u"x"_s);
    QCOMPARE(m_form->field(u"txtHab2"_s)->text(), u"#7e94a5"_s);
    QCOMPARE(m_form->code(u"text2"_s), u"#7e94a5 #000000 y"_s);
}

void TestMainWindowActions::freeReplacement()
{
    paste(*m_form, u"aaaa aaa aXa"_s);
    m_form->type(u"Text3"_s, u"aa"_s);
    m_form->type(u"Text4"_s, u"b"_s);
    m_form->click(u"Command2"_s);
    QCOMPARE(m_form->code(u"text2"_s), u"bb ba aXa"_s);
    QCOMPARE(m_form->field(u"txtHab1"_s)->text(), u"aa"_s);
    QCOMPARE(m_form->field(u"txtHab2"_s)->text(), u"b"_s);

    // An empty search text leaves the code as it is.
    m_form->type(u"Text3"_s, QString());
    m_form->click(u"Command2"_s);
    QCOMPARE(m_form->code(u"text2"_s), u"aaaa aaa aXa"_s);
    QCOMPARE(m_form->field(u"txtHab1"_s)->text(), QString());
    QCOMPARE(m_form->code(u"text1"_s), u"aaaa aaa aXa"_s);
}

// "Coller", a conversion that keeps the code, then "Copier": the clipboard
// gets back exactly what was pasted, save CR LF and CR becoming line feeds.
void TestMainWindowActions::pasteAndCopyRoundTrip_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected");

    const QString awkward = u"a\u00a0b\tc\u2028d 😀 é€ «\u00a0œ\u00a0» \u200b\ufeff"_s;
    QTest::newRow("no-break space, tab, U+2028, emoji") << awkward << awkward;
    QTest::newRow("line feeds kept") << u"\n\nx\n\n"_s << u"\n\nx\n\n"_s;
    QTest::newRow("CR LF becomes a line break") << u"a\r\nb\r\n"_s << u"a\nb\n"_s;
    QTest::newRow("lone CR becomes a line break") << u"a\rb"_s << u"a\nb"_s;
    QTest::newRow("paragraph separator") << u"a\u2029b"_s << u"a\nb"_s;
    QTest::newRow("only blanks") << u"  \t "_s << u"  \t "_s;
}

void TestMainWindowActions::pasteAndCopyRoundTrip()
{
    QFETCH(QString, pasted);
    QFETCH(QString, expected);

    paste(*m_form, pasted);
    QCOMPARE(m_form->code(u"text1"_s), expected);
    m_form->type(u"Combo1"_s, u"Habillage 7"_s);
    m_form->type(u"Combo2"_s, u"Habillage 7"_s);
    m_form->click(u"Command1"_s);
    QCOMPARE(copied(*m_form), expected);
    // Plain text only: no formatted version of the output box.
    QCOMPARE(clipboard()->mimeData()->formats(), QStringList{u"text/plain"_s});

    // A conversion reaches into awkward surroundings too.
    paste(*m_form, pasted + u"#629962"_s);
    m_form->type(u"Combo2"_s, u"Habillage 1"_s);
    m_form->click(u"Command1"_s);
    QCOMPARE(copied(*m_form), expected + u"#333333"_s);
}

// A copy that took says nothing, even of an empty text.
void TestMainWindowActions::copyAtStartUpAndWhenEmpty()
{
    Boxes boxes;
    QCOMPARE(copied(*m_form), u"Le code vous sera donné aprés une transformation...\n"_s);

    m_form->click(u"Command4"_s); // empty input...
    m_form->click(u"Command1"_s); // ...empty output
    clipboard()->setText(u"ancien contenu"_s);
    QCOMPARE(copied(*m_form), QString());
    QVERIFY(!clipboard()->mimeData()->hasHtml());
    QVERIFY(boxes.shown.isEmpty());
}

// An empty clipboard, or one without text, empties the input without a box.
void TestMainWindowActions::pasteWithoutTextEmptiesTheInput()
{
    Boxes boxes;
    clipboard()->clear();
    m_form->click(u"Command5"_s);
    QCOMPARE(m_form->code(u"text1"_s), QString());

    // Formatted text only, no plain text.
    paste(*m_form, u"x"_s);
    auto *html = new QMimeData;
    html->setHtml(u"<b>gras</b>"_s);
    clipboard()->setMimeData(html);
    m_form->click(u"Command5"_s);
    QCOMPARE(m_form->code(u"text1"_s), QString());
    QVERIFY(boxes.shown.isEmpty());
}

void TestMainWindowActions::pasteReplacesEverythingWhateverTheSelection()
{
    velbrisk::ui::CodeBox *text1 = m_form->codeBox(u"text1"_s);
    QTextCursor cursor = text1->textCursor();
    cursor.setPosition(3);
    cursor.setPosition(8, QTextCursor::KeepAnchor);
    text1->setTextCursor(cursor);
    paste(*m_form, u"nouveau"_s);
    QCOMPARE(m_form->code(u"text1"_s), u"nouveau"_s);
}

void TestMainWindowActions::effEmptiesTheInputOnly()
{
    m_form->type(u"Combo1"_s, u"Habillage 3"_s);
    clipboard()->setText(u"presse-papiers"_s);
    m_form->click(u"Command4"_s);
    QCOMPARE(m_form->code(u"text1"_s), QString());
    QCOMPARE(m_form->code(u"text2"_s), u"Le code vous sera donné aprés une transformation...\n"_s);
    QCOMPARE(m_form->field(u"txtHab1"_s)->text(), u"#333300"_s);
    QCOMPARE(m_form->field(u"txtHab2"_s)->text(), u"#333333"_s);
    QCOMPARE(m_form->combo(u"Combo1"_s)->currentText(), u"Habillage 3"_s);
    QCOMPARE(clipboard()->text(), u"presse-papiers"_s);
}

// Each action that writes a code box is one step of that box's history,
// undone and redone exactly, and what the user types after it stays a step
// of its own.
void TestMainWindowActions::everyChangeToACodeBoxCanBeUndone_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("box");

    QTest::newRow("Eff") << u"Command4"_s << u"text1"_s;
    QTest::newRow("Coller") << u"Command5"_s << u"text1"_s;
    QTest::newRow("Transformer, habillage") << u"Command1"_s << u"text2"_s;
    QTest::newRow("Transformer, caractères") << u"Command2"_s << u"text2"_s;
    QTest::newRow("Créer les fichiers txt...") << u"Command8"_s << u"text2"_s;
}

void TestMainWindowActions::everyChangeToACodeBoxCanBeUndone()
{
    QFETCH(QString, button);
    QFETCH(QString, box);

    Boxes boxes;
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString initial = m_form->code(box);
    const QString awkward = u"a\u00a0b\tc\u2028d 😀 #333333\n"_s;
    paste(*m_form, awkward + u"#7e94a5"_s);
    m_form->codeBox(u"text2"_s)->setCode(u"\u2028sortie\u00a0😀\t"_s);
    m_form->type(u"Text3"_s, u"a"_s);
    m_form->type(u"Text4"_s, u"A"_s);
    m_form->type(u"Text5"_s, folder.path());
    clipboard()->setText(awkward);

    velbrisk::ui::CodeBox *changed = m_form->codeBox(box);
    const QString before = changed->code();
    m_form->click(button);
    const QString after = changed->code();
    QVERIFY(after != before);

    changed->setFocus();
    changed->moveCursor(QTextCursor::End);
    QTest::keyClick(changed, Qt::Key_Exclam);
    const auto key = [changed](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(changed, key, modifiers);
        return changed->code();
    };
    QCOMPARE(key(Qt::Key_Z, Qt::ControlModifier), after);
    QCOMPARE(key(Qt::Key_Z, Qt::ControlModifier), before);
    // On X11 (test_mainwindow_actions_x11) Qt leaves Ctrl+Y to the box's
    // own binding; offscreen Qt redoes with it too, as on Windows.
    if (QGuiApplication::platformName() == u"xcb")
        QVERIFY(!QKeySequence::keyBindings(QKeySequence::Redo).contains(Qt::CTRL | Qt::Key_Y));
    QCOMPARE(key(Qt::Key_Y, Qt::ControlModifier), after);
    QCOMPARE(key(Qt::Key_Z, Qt::ControlModifier), before);
    QCOMPARE(key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier), after);
    QCOMPARE(key(Qt::Key_Y, Qt::ControlModifier), after + u"!"_s);
    // The steps before stay too: back to the box's text at start-up.
    for (int step = 0; step < 3; ++step)
        QTest::keyClick(changed, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(changed->code(), initial);
}

// After a conversion the input box marks what was replaced, the output box
// what replaced it, and says how many, to the mouse, to Tab and to screen
// readers; a change of a box's text takes its marks and report away.
void TestMainWindowActions::conversionsShowWhatTheyReplaced_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("search"); // a skin label for Command1 and Command8
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("input"); // marked as the brackets show
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("edit"); // then, in text1 or text2
    QTest::addColumn<QString>("edited");

    QTest::newRow("skin to skin, then Eff")
        << u"Command1"_s << u"Habillage 15"_s << u"Habillage 1"_s
        << u"a{color:#000000}\nb{border:#000000}"_s << u"a{color:[#000000]}\nb{border:[#000000]}"_s
        << u"a{color:[#333333]}\nb{border:[#333333]}"_s
        << u"2 remplacements de « #000000 » par « #333333 »"_s << u"Eff"_s << u"text1"_s;
    QTest::newRow("free replacement, then typing")
        << u"Command2"_s << u"a"_s << u"bb"_s << u"aXa"_s << u"[a]X[a]"_s << u"[bb]X[bb]"_s
        << u"2 remplacements de « a » par « bb »"_s << u"typing"_s << u"text2"_s;
    QTest::newRow("deleted, then undo and redo")
        << u"Command2"_s << u"X"_s << QString() << u"aXa\nX"_s << u"a[X]a\n[X]"_s << u"aa\n"_s
        << u"2 occurrences de « X » supprimées"_s << u"undo, redo"_s << u"text2"_s;
    QTest::newRow("same colour, then Eff")
        << u"Command1"_s << u"Habillage 13"_s << u"Habillage 15"_s << u"#000000"_s << u"#000000"_s
        << u"#000000"_s << u"« #000000 » remplacé par lui-même : le code est inchangé."_s
        << u"Eff"_s << u"text1"_s;
    QTest::newRow("batch, then typing")
        << u"Command8"_s << u"Habillage 15"_s << QString() << u"x#000000\n"_s << u"x[#000000]\n"_s
        << u"x[#313031]\n"_s << u"1 remplacement de « #000000 » par « #313031 »"_s << u"typing"_s
        << u"text1"_s;
}

void TestMainWindowActions::conversionsShowWhatTheyReplaced()
{
    QFETCH(QString, button);
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(QString, code);
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(QString, report);
    QFETCH(QString, edit);
    QFETCH(QString, edited);

    Boxes boxes;
    QTemporaryDir folder;
    m_form->type(u"Text5"_s, folder.path());
    paste(*m_form, code);
    const bool skins = button != u"Command2"_s;
    m_form->type(skins ? (button == u"Command1"_s ? u"Combo1"_s : u"Combo3"_s) : u"Text3"_s,
                 search);
    m_form->type(skins ? u"Combo2"_s : u"Text4"_s, replacement);
    m_form->click(button);

    velbrisk::ui::CodeBox *text2 = m_form->codeBox(u"text2"_s);
    QCOMPARE(marked(m_form->codeBox(u"text1"_s)), input);
    QCOMPARE(marked(text2), output);
    QCOMPARE(text2->toolTip(), report);
    QCOMPARE(QAccessible::queryAccessibleInterface(text2)->text(QAccessible::Description), report);
    // Tab pressed on the control before, let go in the output box.
    m_form->button(u"Command2"_s)->setFocus();
    QTest::keyPress(m_form->button(u"Command2"_s), Qt::Key_Tab);
    QVERIFY(text2->hasFocus());
    QTest::keyRelease(text2, Qt::Key_Tab);
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), report);
    QToolTip::hideText();

    velbrisk::ui::CodeBox *box = m_form->codeBox(edited);
    if (edit == u"Eff"_s) {
        m_form->click(u"Command4"_s);
    } else {
        box->setFocus();
        if (edit == u"typing"_s) {
            QTest::keyClick(box, Qt::Key_Z);
        } else {
            QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
        }
    }
    // The box edited loses its marks and report for good; the other keeps its marks.
    QCOMPARE(marked(box), box->code());
    const bool inputEdited = edited == u"text1"_s;
    QCOMPARE(marked(m_form->codeBox(inputEdited ? u"text2"_s : u"text1"_s)),
             inputEdited ? output : input);
    QCOMPARE(text2->toolTip(), inputEdited ? report : QString());
    QCOMPARE(QAccessible::queryAccessibleInterface(text2)->text(QAccessible::Description),
             inputEdited ? report : QString());
}

void TestMainWindowActions::helpBox()
{
    Boxes boxes;
    m_form->click(u"Command7"_s);
    QCOMPARE(boxes.shown.size(), 1);
    const velbrisk::ui::BoxRequest &box = boxes.shown.first();
    QCOMPARE(box.kind, velbrisk::ui::BoxKind::Information);
    QCOMPARE(box.title, u"Velbrisk par ZeNdAl"_s);
    const QString help =
        u"Collez votre déco dans la case en haut à gauche et le programme va modifier une déco "
        u"avec un habillage 1 par exemple, pour faire tous les autres habillages, merci de bien "
        u"remplir les champs ci-dessus car sinon vous ne retrouverez pas vos fichiers..."_s;
    QCOMPARE(box.text, help);
}

// Dir1 opens on the current folder, shows its sub-folders but not the hidden
// ones; opening a sub-folder, then its parent, puts each path into Text5.
void TestMainWindowActions::folderListFollowsIntoTheFolderField()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QDir dir(root.path());
    for (const QString &name : {u"beta"_s, u"Alpha"_s, u".cache"_s, u"beta/gamma"_s})
        QVERIFY(dir.mkpath(name));
    QFile file(dir.filePath(u"habillage1.txt"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
#ifdef Q_OS_WIN
    // There a dot hides nothing (as Wine 10 knows, unlike Wine 8): the attribute does.
    const QString hidden = QDir::toNativeSeparators(dir.filePath(u".cache"_s));
    QVERIFY(SetFileAttributesW(reinterpret_cast<const wchar_t *>(hidden.utf16()),
                               FILE_ATTRIBUTE_HIDDEN));
#endif

    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(root.path()));
    m_form = std::make_unique<Form1>();
    QVERIFY(QDir::setCurrent(before));

    auto *list = m_form->get<velbrisk::ui::DirList>(u"Dir1"_s);
    const QString rootPath = QDir(root.path()).canonicalPath();
    QCOMPARE(list->path(), QDir::toNativeSeparators(rootPath));
    // The folder itself and its sub-folders, in name order, folders only.
    QTreeWidgetItem *open = list->currentItem();
    QVERIFY(open);
    QCOMPARE(open->text(0), QDir(rootPath).dirName());
    QStringList children;
    for (int i = 0; i < open->childCount(); ++i)
        children.append(open->child(i)->text(0));
    QCOMPARE(children, (QStringList{u"Alpha"_s, u"beta"_s}));
    // Above it, each folder up to the root.
    int depth = 0;
    QTreeWidgetItem *top = open;
    for (; top->parent(); top = top->parent())
        ++depth;
    QCOMPARE(depth, rootPath.count(u'/'));
    QCOMPARE(top->text(0), QDir::toNativeSeparators(QDir::rootPath()));

    // Typing into Text5 does not move Dir1; opening a folder overwrites it.
    QCOMPARE(m_form->field(u"Text5"_s)->text(), form1test::startFolder());
    m_form->type(u"Text5"_s, u"/ailleurs"_s);
    QCOMPARE(list->path(), QDir::toNativeSeparators(rootPath));

    QSignalSpy changed(list, &velbrisk::ui::DirList::changed);
    doubleClick(list, folderItem(list, u"beta"_s));
    QCOMPARE(changed.size(), 1);
    const QString beta = QDir::toNativeSeparators(rootPath + u"/beta"_s);
    QCOMPARE(m_form->field(u"Text5"_s)->text(), beta);
    QCOMPARE(list->path(), beta);
    QVERIFY(folderItem(list, u"gamma"_s));
    QVERIFY(!folderItem(list, u"Alpha"_s));

    doubleClick(list, folderItem(list, QDir(rootPath).dirName()));
    QCOMPARE(changed.size(), 2);
    QCOMPARE(m_form->field(u"Text5"_s)->text(), QDir::toNativeSeparators(rootPath));

    // Opening the folder already open changes nothing.
    doubleClick(list, list->currentItem());
    QCOMPARE(changed.size(), 2);
}

void TestMainWindowActions::folderListEnterOpensAFolder()
{
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(u"sous-dossier"_s));
    auto *list = m_form->get<velbrisk::ui::DirList>(u"Dir1"_s);
    list->setPath(root.path());
    QTreeWidgetItem *sub = folderItem(list, u"sous-dossier"_s);
    QVERIFY(sub);
    list->setFocus();
    list->setCurrentItem(sub);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(m_form->field(u"Text5"_s)->text(),
             QDir::toNativeSeparators(QDir(root.path()).absoluteFilePath(u"sous-dossier"_s)));
}

// No error, no sub-folders: root reads every folder, so this runs for others.
void TestMainWindowActions::unreadableFolderShowsNoSubFolders()
{
#ifdef Q_OS_WIN
    QSKIP("A Windows folder cannot be made unreadable through its permission bits");
#endif
    QTemporaryDir root;
    QDir dir(root.path());
    QVERIFY(dir.mkpath(u"ferme/dedans"_s));
    QFile closed(dir.filePath(u"ferme"_s));
    QVERIFY(closed.setPermissions({}));
    const auto reopen = qScopeGuard(
        [&] { closed.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
    if (QDir(closed.fileName()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size() > 0)
        QSKIP("This user reads every folder (root)");

    Boxes boxes;
    auto *list = m_form->get<velbrisk::ui::DirList>(u"Dir1"_s);
    list->setPath(root.path());
    doubleClick(list, folderItem(list, u"ferme"_s));
    QCOMPARE(list->path(), QDir::toNativeSeparators(closed.fileName()));
    QCOMPARE(list->currentItem()->childCount(), 0);
    QCOMPARE(m_form->field(u"Text5"_s)->text(), list->path());
    QVERIFY(boxes.shown.isEmpty());
}

// A file on the input box replaces the code with its text, as "Coller"
// does; a refused drop shows the core's box and leaves the code as it was.
// The output box takes no file, and no file address is ever written as text.
void TestMainWindowActions::fileDroppedOnACodeBox_data()
{
    QTest::addColumn<QString>("box");
    // "file", "folder", "two"; "file, Shift held" proposes a move while it
    // offers a copy too, "file, move only" offers nothing else.
    QTest::addColumn<QString>("dropped");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("code"); // the box's code after the drop

    const QString before = u"ancien code\n"_s;
    const QString deco = u"<style>\n.titre{color:#000000} /* été\u00a0*/\n</style>"_s;
    QTest::newRow("skin file Velbrisk wrote")
        << u"text1"_s << u"file"_s << velbrisk::SkinFileBytes(deco) << deco + u"\n"_s;
    QTest::newRow("Shift held: a move proposed, a copy taken")
        << u"text1"_s << u"file, Shift held"_s << velbrisk::SkinFileBytes(deco) << deco + u"\n"_s;
    QTest::newRow("a source that only moves")
        << u"text1"_s << u"file, move only"_s << "x"_ba << before;
    QTest::newRow("empty file empties the box")
        << u"text1"_s << u"file"_s << QByteArray() << QString();
    QTest::newRow("folder") << u"text1"_s << u"folder"_s << QByteArray() << before;
    QTest::newRow("two files") << u"text1"_s << u"two"_s << "x"_ba << before;
    QTest::newRow("output box takes no file") << u"text2"_s << u"file"_s << "x"_ba << before;
}

void TestMainWindowActions::fileDroppedOnACodeBox()
{
    QFETCH(QString, box);
    QFETCH(QString, dropped);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, code);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(u"habillage15.txt"_s);
    QVERIFY(testsupport::putFile(file, bytes));
    QStringList paths{dropped == u"folder" ? dir.path() : file};
    if (dropped == u"two")
        paths.append(file);

    velbrisk::ui::CodeBox *target = m_form->codeBox(box);
    target->setCode(u"ancien code\n"_s);
    const QString otherBox = box == u"text1" ? u"text2"_s : u"text1"_s;
    const QString otherCode = m_form->code(otherBox);
    Boxes boxes;
    const std::unique_ptr<QMimeData> data(filesDrag(paths));
    const Qt::DropActions offered =
        dropped.endsWith(u"move only") ? Qt::MoveAction : Qt::CopyAction | Qt::MoveAction;
    const Qt::KeyboardModifiers held =
        dropped.endsWith(u"Shift held") ? Qt::ShiftModifier : Qt::NoModifier;
    if (held == Qt::ShiftModifier)
        QCOMPARE(QDropEvent({}, offered, data.get(), {}, held).proposedAction(), Qt::MoveAction);
    // A file is only ever read: a file manager deletes what was moved.
    QCOMPARE(dragAndDrop(target->viewport(), data.get(), target->viewport()->rect().center(),
                         offered, held),
             box == u"text1" && (offered & Qt::CopyAction) ? Qt::CopyAction : Qt::IgnoreAction);
    QCOMPARE(testsupport::fileBytes(file), bytes);

    QCOMPARE(m_form->code(box), code);
    QCOMPARE(m_form->code(otherBox), otherCode);
    const std::optional<QString> failure =
        box == u"text1" ? velbrisk::ReadDroppedCodeFile(paths).failure : std::nullopt;
    QCOMPARE(boxes.shown.size(), failure ? 1 : 0);
    if (failure) {
        QCOMPARE(boxes.shown[0].kind, velbrisk::ui::BoxKind::Error);
        QCOMPARE(boxes.shown[0].text, *failure);
    } else if (code != u"ancien code\n"_s) {
        // As "Coller": one step of the box's history.
        target->undo();
        QCOMPARE(target->code(), u"ancien code\n"_s);
        target->redo();
        QCOMPARE(target->code(), code);
    }
}

// Text dragged from a browser or an editor, a link's address with it, is
// inserted where it is dropped, as before.
void TestMainWindowActions::textDropsAreInsertedWhereDropped_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("input box") << u"text1"_s;
    QTest::newRow("folder field") << u"Text5"_s;
}

void TestMainWindowActions::textDropsAreInsertedWhereDropped()
{
    QFETCH(QString, control);
    Boxes boxes;
    QMimeData data;
    data.setText(u"«\u00a0glissé\u00a0»"_s);
    data.setUrls({QUrl(u"https://exemple.fr/"_s)});
    if (auto *field = qobject_cast<QLineEdit *>(m_form->get(control))) {
        field->setText(u"/dossier"_s); // dropped at its end
        QVERIFY(dragAndDrop(field, &data, {field->width() - 4, field->height() / 2}));
        QCOMPARE(field->text(), u"/dossier«\u00a0glissé\u00a0»"_s);
    } else {
        velbrisk::ui::CodeBox *box = m_form->codeBox(control);
        box->setCode(u"abcdef"_s); // dropped between "abc" and "def"
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(3);
        QVERIFY(dragAndDrop(box->viewport(), &data, box->cursorRect(cursor).center()));
        QCOMPARE(box->code(), u"abc«\u00a0glissé\u00a0»def"_s);
    }
    QVERIFY(boxes.shown.isEmpty());
}

// A folder dropped on the folder field or the folder list opens in the list,
// which puts it into the field; anything else there is refused.
void TestMainWindowActions::folderDroppedOnTheFolderFieldOrList_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("dropped"); // "folder", "file", "two"

    for (const QString &control : {u"Text5"_s, u"Dir1"_s}) {
        for (const QString &dropped : {u"folder"_s, u"file"_s, u"two"_s})
            QTest::addRow("%s on %s", qPrintable(dropped), qPrintable(control))
                << control << dropped;
    }
}

void TestMainWindowActions::folderDroppedOnTheFolderFieldOrList()
{
    QFETCH(QString, control);
    QFETCH(QString, dropped);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString folder = QDir(root.path()).filePath(u"décos"_s);
    QVERIFY(QDir().mkpath(folder + u"/sous-dossier"_s));
    const QString file = QDir(root.path()).filePath(u"habillage1.txt"_s);
    QVERIFY(testsupport::putFile(file, "x"_ba));
    QStringList paths{dropped == u"file" ? file : folder};
    if (dropped == u"two")
        paths.append(root.path());

    auto *list = m_form->get<velbrisk::ui::DirList>(u"Dir1"_s);
    QLineEdit *field = m_form->field(u"Text5"_s);
    const QString listBefore = list->path();
    const QString fieldBefore = field->text();
    Boxes boxes;
    QWidget *target = m_form->get(control);
    if (auto *area = qobject_cast<QAbstractScrollArea *>(target))
        target = area->viewport();
    const std::unique_ptr<QMimeData> data(filesDrag(paths));
    QCOMPARE(dragAndDrop(target, data.get(), target->rect().center()), Qt::CopyAction);

    const bool opens = dropped == u"folder";
    QCOMPARE(list->path(), opens ? native(folder) : listBefore);
    QCOMPARE(field->text(), opens ? native(folder) : fieldBefore);
    QCOMPARE(boxes.shown.size(), opens ? 0 : 1);
    if (!opens)
        QCOMPARE(boxes.shown[0].text, *velbrisk::OpenDroppedFolder(paths).failure);
    // The folder already open, dropped again, goes over what was typed since.
    if (opens) {
        field->setText(u"tapé"_s);
        QCOMPARE(dragAndDrop(target, data.get(), target->rect().center()), Qt::CopyAction);
        QCOMPARE(field->text(), native(folder));
    }
}

void TestMainWindowActions::closingTheWindowEndsTheProgram()
{
    QSignalSpy aboutToQuit(qApp, &QCoreApplication::aboutToQuit);
    QCOMPARE(testsupport::closeAndRunEventLoop(m_form->window.get()), 0);
    QCOMPARE(aboutToQuit.size(), 1);
    QVERIFY(!m_form->window->isVisible());
}

QTEST_MAIN(TestMainWindowActions)
#include "test_mainwindow_actions.moc"
