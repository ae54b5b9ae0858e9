// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/codebox.h"

#include <QTextDocument>

namespace velbrisk::ui {

CodeBox::CodeBox(QWidget *parent) : QPlainTextEdit(parent)
{
    // Tab moves on to the next control; a tab character still arrives by paste.
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

QString CodeBox::code() const
{
    // toPlainText() would turn no-break spaces into spaces and U+2028 into
    // line feeds; the raw text keeps them and marks line breaks with U+2029.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

void CodeBox::setCode(const QString &code)
{
    setPlainText(code);
}

} // namespace velbrisk::ui
