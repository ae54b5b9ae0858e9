// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The input and output code boxes: the boxes that hold a decoration code.
//
// A code goes in and comes out exactly: no-break spaces, tabs, line
// separators (U+2028) and characters beyond the Basic Multilingual Plane all
// survive. The one change accepted is that a pasted CR LF or lone CR becomes
// a line break.
//
// Nothing the program puts into a box is final: each setCode() is one step
// of the box's own undo history, beside what the user types. Ctrl+Z undoes
// it; Ctrl+Y and Ctrl+Shift+Z redo it, on every system.
#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace velbrisk::ui {

class CodeBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    // How many characters a box's undo history may hold, the text on show
    // included, before a new step lets go of the older ones. The step being
    // made can always be undone, whatever the code's size; a code of real
    // size (under a million characters) keeps dozens of steps.
    static constexpr qsizetype HistoryLimit = 32 * 1024 * 1024;

    explicit CodeBox(QWidget *parent = nullptr);

    // The code, line breaks as "\n".
    QString code() const;

    // Replaces the whole content by `code`, as one step that can be undone.
    void setCode(const QString &code);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void dropHistory();

    // Every character the history holds: Qt keeps each text ever inserted
    // until its history is let go.
    qsizetype m_historySize = 0;
};

} // namespace velbrisk::ui
