// Form1, the main window: the code boxes, the two conversions, the batch of
// skin files, the clipboard buttons and the help.
//
// Every control carries its name as object name ("Combo1", "text1",
// "Command8"...). The window keeps no state besides its controls: each
// handler reads them, calls the core and writes the results back.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QComboBox;
class QLineEdit;

namespace velbrisk {
struct ConversionResult;
}

namespace velbrisk::ui {

class CodeBox;
class DirList;
class InfoWindow;

// The help text of "Aide pour cette option...".
inline constexpr QStringView HelpText =
    u"Collez votre déco dans la case en haut à gauche et le programme va modifier une déco avec "
    u"un habillage 1 par exemple, pour faire tous les autres habillages, merci de bien remplir "
    u"les champs ci-dessus car sinon vous ne retrouverez pas vos fichiers...";

class MainWindow : public QWidget
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void connectHandlers();

    // The handled events, named after their control and event.
    void Combo1_Change();
    void Combo2_Change();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Dir1_Change();

    void ConvertSkin();
    void ReplaceInCode();
    void WriteAllSkins();
    void showConversion(const ConversionResult &result);

    QComboBox *m_combo1 = nullptr;
    QComboBox *m_combo2 = nullptr;
    QComboBox *m_combo3 = nullptr;
    QLineEdit *m_txtHab1 = nullptr;
    QLineEdit *m_txtHab2 = nullptr;
    QLineEdit *m_text3 = nullptr;
    QLineEdit *m_text4 = nullptr;
    QLineEdit *m_text5 = nullptr;
    QLineEdit *m_text6 = nullptr;
    CodeBox *m_text1 = nullptr;
    CodeBox *m_text2 = nullptr;
    DirList *m_dir1 = nullptr;

    // The information window, loaded on the first request; it deletes
    // itself when its close box is used.
    QPointer<InfoWindow> m_info;
};

} // namespace velbrisk::ui
