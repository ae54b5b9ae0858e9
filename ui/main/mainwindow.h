// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Form1, the main window: the code boxes, the two conversions, the batch of
// skin files, the clipboard buttons and the help.
//
// The window keeps no state besides its controls and the information window
// it opened: each handler reads the controls, calls the core and writes the
// results back.
#pragma once

#include "ui/main/form1layout.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QLineEdit;

namespace velbrisk {
struct ConversionResult;
}

namespace velbrisk::ui {

class InfoWindow;

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

    void lookUpColour(const QComboBox *skin, QLineEdit *colour);
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
