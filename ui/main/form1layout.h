// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The controls of Form1, placed as the window's layout table says.
#pragma once

class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace velbrisk::ui {

class CodeBox;
class DirList;

// The controls the main window reads, writes or connects, as built.
struct Form1Widgets
{
    CodeBox *inputCode = nullptr;
    CodeBox *outputCode = nullptr;
    QComboBox *baseSkin = nullptr;
    QComboBox *targetSkin = nullptr;
    QLineEdit *baseColour = nullptr;   // hidden; the skin conversion's search text
    QLineEdit *targetColour = nullptr; // hidden; the skin conversion's replacement text
    QLineEdit *searchText = nullptr;
    QLineEdit *replacementText = nullptr;
    QComboBox *batchBaseSkin = nullptr;
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

} // namespace velbrisk::ui
