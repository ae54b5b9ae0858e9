// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Form1, the main window: the code boxes, the two conversions, the batch of
// skin files, the clipboard buttons and the help.
//
// The window keeps no state besides its controls and the information window
// it opened: each handler reads the controls, calls the core and writes the
// results back.
#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QPushButton;

namespace velbrisk {
struct ConversionResult;
}

namespace velbrisk::ui {

class CodeBox;
class DirList;
class InfoWindow;
class SkinBox;

// The controls the main window reads, writes or connects, as its table
// (form1layout.cpp) builds them.
struct Form1Widgets
{
    CodeBox *inputCode = nullptr;
    CodeBox *outputCode = nullptr;
    SkinBox *baseSkin = nullptr;
    SkinBox *targetSkin = nullptr;
    QLineEdit *baseColour = nullptr;   // hidden; the skin conversion's search text
    QLineEdit *targetColour = nullptr; // hidden; the skin conversion's replacement text
    QLineEdit *searchText = nullptr;
    QLineEdit *replacementText = nullptr;
    SkinBox *batchBaseSkin = nullptr;
    QLineEdit *folder = nullptr;
    QLineEdit *prefix = nullptr;
    DirList *folderList = nullptr;

    QPushButton *convertSkin = nullptr;
    QPushButton *replaceText = nullptr;
    QPushButton *copyOutput = nullptr;
    QPushButton *clearInput = nullptr;
    QPushButton *pasteInput = nullptr;
    QPushButton *showInformation = nullptr;
    QPushButton *showHelp = nullptr;
    QPushButton *writeAllSkins = nullptr;
};

// Creates every control of Form1 on `window`, sizes the window and sets its
// own colours, font and tab order. Connects nothing.
Form1Widgets buildForm1(QWidget *window);

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

    void lookUpColour(const SkinBox *skin, QLineEdit *colour);
    void convertSkin();
    void replaceText();
    void copyOutput();
    void clearInput();
    void pasteInput();
    void loadDroppedFile(const QStringList &paths);
    void openDroppedFolder(const QStringList &paths);
    void showInformationWindow();
    void showHelp();
    void writeAllSkins();
    void followFolderList();
    void showConversion(const ConversionResult &result);
    void showReplacements(const ConversionResult &result);

    const Form1Widgets m_controls;

    // The information window, loaded on the first request; it deletes
    // itself when its close box is used.
    QPointer<InfoWindow> m_info;
};

} // namespace velbrisk::ui
