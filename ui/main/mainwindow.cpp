// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/mainwindow.h"

#include "core/clipboardtext.h"
#include "core/codefile.h"
#include "core/conversion.h"
#include "core/skinbatch.h"
#include "core/skinfilewriter.h"
#include "core/skintable.h"
#include "ui/common/messagebox.h"
#include "ui/info/infowindow.h"
#include "ui/main/clipboard_p.h"
#include "ui/main/codebox.h"
#include "ui/main/dirlist.h"
#include "ui/main/filedrop_p.h"
#include "ui/main/skinbox_p.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace velbrisk::ui {
namespace {

// Resizable, with minimise and close but no maximise.
constexpr Qt::WindowFlags Form1Flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                       Qt::WindowCloseButtonHint;

// The help text of "Aide pour cette option...".
constexpr QStringView HelpText =
    u"Collez votre déco dans la case en haut à gauche et le programme va modifier une déco avec "
    u"un habillage 1 par exemple, pour faire tous les autres habillages, merci de bien remplir "
    u"les champs ci-dessus car sinon vous ne retrouverez pas vos fichiers...";

} // namespace

MainWindow::MainWindow(QWidget *parent) : QWidget(parent, Form1Flags), m_controls(buildForm1(this))
{
    setWindowTitle(u"Velbrisk    [ par ZeNdAl ]"_s);
    connectHandlers();
}

MainWindow::~MainWindow()
{
    delete m_info;
}

void MainWindow::connectHandlers()
{
    const Form1Widgets &c = m_controls;
    // Typing in a skin box looks its colour up at each keystroke; picking
    // from the list looks nothing up.
    connect(c.baseSkin->lineEdit(), &QLineEdit::textEdited, this,
            [this] { lookUpColour(m_controls.baseSkin, m_controls.baseColour); });
    connect(c.targetSkin->lineEdit(), &QLineEdit::textEdited, this,
            [this] { lookUpColour(m_controls.targetSkin, m_controls.targetColour); });
    connect(c.folderList, &DirList::changed, this, &MainWindow::followFolderList);

    connect(c.convertSkin, &QPushButton::clicked, this, &MainWindow::convertSkin);
    connect(c.replaceText, &QPushButton::clicked, this, &MainWindow::replaceText);
    connect(c.copyOutput, &QPushButton::clicked, this, &MainWindow::copyOutput);
    connect(c.clearInput, &QPushButton::clicked, this, &MainWindow::clearInput);
    connect(c.pasteInput, &QPushButton::clicked, this, &MainWindow::pasteInput);
    connect(c.showInformation, &QPushButton::clicked, this, &MainWindow::showInformationWindow);
    connect(c.showHelp, &QPushButton::clicked, this, &MainWindow::showHelp);
    connect(c.writeAllSkins, &QPushButton::clicked, this, &MainWindow::writeAllSkins);

    // Files dropped from a file manager: a code file on the input box, a
    // folder on the folder field or list. The output box takes none.
    connect(new FileDrop(c.inputCode, FileDrop::Take), &FileDrop::dropped, this,
            &MainWindow::loadDroppedFile);
    connect(new FileDrop(c.folder, FileDrop::Take), &FileDrop::dropped, this,
            &MainWindow::openDroppedFolder);
    connect(new FileDrop(c.folderList, FileDrop::Take), &FileDrop::dropped, this,
            &MainWindow::openDroppedFolder);
    new FileDrop(c.outputCode, FileDrop::Refuse);
}

// A text that names no skin leaves the colour field untouched.
void MainWindow::lookUpColour(const SkinBox *skin, QLineEdit *colour)
{
    if (const auto found = FindKeyColour(skin->currentText()))
        colour->setText(found->toString());
}

// "Transformer" of "Changement d'Habillage...".
void MainWindow::convertSkin()
{
    const Form1Widgets &c = m_controls;
    showConversion(ConvertSkin(c.baseSkin->currentText(), c.targetSkin->currentText(),
                               c.baseColour->text(), c.targetColour->text(), c.inputCode->code()));
}

// "Transformer" of "Changement de caractère(s)".
void MainWindow::replaceText()
{
    const Form1Widgets &c = m_controls;
    showConversion(
        ReplaceInCode(c.searchText->text(), c.replacementText->text(), c.inputCode->code()));
}

// "Copier": the output code alone on the clipboard, as plain text.
void MainWindow::copyOutput()
{
    if (!putOnClipboard(m_controls.outputCode->code()))
        showError(this, ClipboardNotWritten.toString());
}

// "Eff".
void MainWindow::clearInput()
{
    m_controls.inputCode->setCode(QString());
}

// "Coller": the input code becomes exactly the clipboard's text; a clipboard
// that cannot be read leaves it as it was.
void MainWindow::pasteInput()
{
    if (const std::optional<QString> text = clipboardText())
        m_controls.inputCode->setCode(*text);
    else
        showError(this, ClipboardNotRead.toString());
}

// A file dropped on the input box: its text replaces the code, as "Coller"
// does; a file that cannot be loaded leaves the code as it was.
void MainWindow::loadDroppedFile(const QStringList &paths)
{
    const DroppedCodeFile file = ReadDroppedCodeFile(paths);
    if (file.failure)
        showError(this, *file.failure);
    else
        m_controls.inputCode->setCode(file.code);
}

// A folder dropped on the folder field or list opens in the list, which puts
// it into the field as when the user opens it there; the folder already open
// goes into the field too, over what the user typed there.
void MainWindow::openDroppedFolder(const QStringList &paths)
{
    const DroppedFolder dropped = OpenDroppedFolder(paths);
    if (dropped.failure) {
        showError(this, *dropped.failure);
        return;
    }
    m_controls.folderList->setPath(dropped.folder);
    followFolderList();
}

// "Informations...": one window for the whole run, brought to the front.
void MainWindow::showInformationWindow()
{
    if (!m_info)
        m_info = new InfoWindow();
#ifdef Q_OS_WIN
    // Wine 10 leaves a window that is already open behind the one clicked,
    // whatever raise() asks; shown anew, it comes in front, as on Windows.
    else if (m_info->isVisible() && !m_info->isActiveWindow())
        m_info->hide();
#endif
    m_info->show();
    m_info->raise();
    m_info->activateWindow();
}

// "Aide pour cette option...".
void MainWindow::showHelp()
{
    showInformation(this, HelpText.toString());
}

// A folder opened in the list becomes the batch's folder.
void MainWindow::followFolderList()
{
    m_controls.folder->setText(m_controls.folderList->path());
}

// Both conversions end alike: the colour fields take the texts in use and the
// output box the converted code.
void MainWindow::showConversion(const ConversionResult &result)
{
    m_controls.baseColour->setText(result.baseColour);
    m_controls.targetColour->setText(result.targetColour);
    m_controls.outputCode->setCode(result.convertedCode);
    showReplacements(result);
}

// Beside what a conversion writes, what it did: the occurrences it replaced
// marked in the input box, the replacements in the output box, which says
// how many. An empty replacement has nothing to mark; a line break the box
// made of a CR LF would move every mark after it, so then none is shown.
void MainWindow::showReplacements(const ConversionResult &result)
{
    const Replacements &replaced = result.replacements;
    m_controls.inputCode->setMarks(replaced.inCode, replaced.searchLength, CodeBox::FoundTint);
    if (m_controls.outputCode->codeLength() == result.convertedCode.size())
        m_controls.outputCode->setMarks(replaced.resultPositions(), replaced.replacementLength,
                                        CodeBox::WrittenTint);
    m_controls.outputCode->setReport(ConversionReport(result));
}

// "Créer les fichiers txt...": the 24 variants are computed and written by
// the core; the window then shows the state of the last conversion the batch
// made: that of skin 24 after success, that of the skin whose file failed
// otherwise. The output box is filled once, whatever the code's size.
void MainWindow::writeAllSkins()
{
    const Form1Widgets &c = m_controls;
    const QString baseSkin = c.batchBaseSkin->currentText();
    const SkinBatch batch(
        {baseSkin, c.folder->text(), c.prefix->text(), c.inputCode->code(), c.baseColour->text()});
    const std::optional<SkinFileFailure> failure = WriteSkinFiles(batch);
    const int lastSkin = failure ? std::clamp(failure->skinNumber, 1, SkinCount) : SkinCount;

    c.baseSkin->setSkin(baseSkin);
    c.targetSkin->setSkin(SkinLabel(lastSkin));
    showConversion(batch.conversion(lastSkin));

    if (failure)
        showError(this, failure->message());
    else
        showInformation(this, batch.closingMessage());
}

// Closing the main window ends the program, the information window with it.
void MainWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_info)
        m_info->close();
    QCoreApplication::quit();
}

} // namespace velbrisk::ui
