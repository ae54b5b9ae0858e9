// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The input and output code boxes: the boxes that hold a decoration code.
//
// A code goes in and comes out exactly: no-break spaces, tabs, line
// separators (U+2028) and characters beyond the Basic Multilingual Plane all
// survive. The one change accepted is that a pasted CR LF or lone CR becomes
// a line break.
#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace velbrisk::ui {

class CodeBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit CodeBox(QWidget *parent = nullptr);

    // The code, line breaks as "\n".
    QString code() const;

    // Replaces the whole content by `code`.
    void setCode(const QString &code);
};

} // namespace velbrisk::ui
