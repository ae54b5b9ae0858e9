#include "ui/main/mainwindow.h"

#include "core/conversion.h"
#include "core/skinbatch.h"
#include "core/skinfilewriter.h"
#include "core/skintable.h"
#include "ui/common/fonts.h"
#include "ui/common/messagebox.h"
#include "ui/info/infowindow.h"
#include "ui/main/codebox.h"
#include "ui/main/dirlist.h"
#include "ui/main/form1layout.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
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

// The program's own setting of a combo text, which raises its Change just as
// typing does. Picking from the list raises none.
void setComboText(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        combo->setCurrentIndex(index);
    combo->setEditText(text);
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : QWidget(parent, Form1Flags)
{
    setWindowTitle(u"Velbrisk    [ par ZeNdAl ]"_s);
    loadProgramFonts();
    buildForm1(this);
    resize(Form1Width, Form1Height);

    const auto control = [this]<typename T>(T *&member, QStringView name) {
        member = findChild<T *>(name.toString());
        Q_ASSERT(member);
    };
    control(m_combo1, u"Combo1");
    control(m_combo2, u"Combo2");
    control(m_combo3, u"Combo3");
    control(m_txtHab1, u"txtHab1");
    control(m_txtHab2, u"txtHab2");
    control(m_text3, u"Text3");
    control(m_text4, u"Text4");
    control(m_text5, u"Text5");
    control(m_text6, u"Text6");
    control(m_text1, u"text1");
    control(m_text2, u"text2");
    control(m_dir1, u"Dir1");
    connectHandlers();
}

MainWindow::~MainWindow()
{
    delete m_info;
}

void MainWindow::connectHandlers()
{
    // Change of a combo box: the user's typing here; the program's own
    // settings call the handler themselves.
    connect(m_combo1->lineEdit(), &QLineEdit::textEdited, this, &MainWindow::Combo1_Change);
    connect(m_combo2->lineEdit(), &QLineEdit::textEdited, this, &MainWindow::Combo2_Change);
    connect(m_dir1, &DirList::changed, this, &MainWindow::Dir1_Change);

    const auto click = [this](QStringView name, void (MainWindow::*handler)()) {
        auto *button = findChild<QPushButton *>(name.toString());
        Q_ASSERT(button);
        connect(button, &QPushButton::clicked, this, handler);
    };
    click(u"Command1", &MainWindow::Command1_Click);
    click(u"Command2", &MainWindow::Command2_Click);
    click(u"Command3", &MainWindow::Command3_Click);
    click(u"Command4", &MainWindow::Command4_Click);
    click(u"Command5", &MainWindow::Command5_Click);
    click(u"Command6", &MainWindow::Command6_Click);
    click(u"Command7", &MainWindow::Command7_Click);
    click(u"Command8", &MainWindow::Command8_Click);
}

// Base lookup: a text that names no skin leaves the field untouched.
void MainWindow::Combo1_Change()
{
    if (const auto colour = FindKeyColour(m_combo1->currentText()))
        m_txtHab1->setText(colour->toString());
}

// Target lookup.
void MainWindow::Combo2_Change()
{
    if (const auto colour = FindKeyColour(m_combo2->currentText()))
        m_txtHab2->setText(colour->toString());
}

// "Transformer" of "Changement d'Habillage...".
void MainWindow::Command1_Click()
{
    ConvertSkin();
}

// "Transformer" of "Changement de caractère(s)".
void MainWindow::Command2_Click()
{
    ReplaceInCode();
}

// "Copier": the output code alone on the clipboard, as plain text.
void MainWindow::Command3_Click()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(m_text2->code());
}

// "Eff".
void MainWindow::Command4_Click()
{
    m_text1->setCode(QString());
}

// "Coller": the input code becomes exactly the clipboard's text.
void MainWindow::Command5_Click()
{
    m_text1->setCode(QGuiApplication::clipboard()->text());
}

// "Informations...": one window for the whole run, brought to the front.
void MainWindow::Command6_Click()
{
    if (!m_info)
        m_info = new InfoWindow();
    m_info->show();
    m_info->raise();
    m_info->activateWindow();
}

// "Aide pour cette option...".
void MainWindow::Command7_Click()
{
    showInformation(this, HelpText.toString());
}

// "Créer les fichiers txt...".
void MainWindow::Command8_Click()
{
    WriteAllSkins();
}

void MainWindow::Dir1_Change()
{
    m_text5->setText(m_dir1->path());
}

void MainWindow::ConvertSkin()
{
    showConversion(velbrisk::ConvertSkin(m_combo1->currentText(), m_combo2->currentText(),
                                         m_txtHab1->text(), m_txtHab2->text(), m_text1->code()));
}

void MainWindow::ReplaceInCode()
{
    showConversion(velbrisk::ReplaceInCode(m_text3->text(), m_text4->text(), m_text1->code()));
}

// Both conversions end alike: the colour fields take the texts in use and the
// output box the converted code.
void MainWindow::showConversion(const ConversionResult &result)
{
    m_txtHab1->setText(result.baseColour);
    m_txtHab2->setText(result.targetColour);
    m_text2->setCode(result.convertedCode);
}

// The 24 variants are computed and written by the core; the window then
// shows the state of the last conversion the batch made: that of skin 24
// after success, that of the skin whose file failed otherwise. The output box
// is filled once, whatever the code's size.
void MainWindow::WriteAllSkins()
{
    const QString baseSkin = m_combo3->currentText();
    const SkinBatch batch(
        {baseSkin, m_text5->text(), m_text6->text(), m_text1->code(), m_txtHab1->text()});
    const std::optional<SkinFileFailure> failure = WriteSkinFiles(batch);
    const int lastSkin = failure ? std::clamp(failure->skinNumber, 1, SkinCount) : SkinCount;

    setComboText(m_combo1, baseSkin);
    setComboText(m_combo2, SkinLabel(lastSkin));
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
