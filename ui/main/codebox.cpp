// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/codebox.h"

#include <QKeyEvent>
#include <QTextCursor>
#include <QTextDocument>

namespace velbrisk::ui {

CodeBox::CodeBox(QWidget *parent) : QPlainTextEdit(parent)
{
    // Tab moves on to the next control; a tab character still arrives by paste.
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int, int, int added) { m_historySize += added; });
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
    if (m_historySize + code.size() > HistoryLimit)
        dropHistory();
    // The whole text replaced in one edit block is one undo step; what
    // setPlainText() does instead would clear the history.
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(code);
    cursor.endEditBlock();
    // As a new text: the caret at its start, its first line in sight.
    moveCursor(QTextCursor::Start);
}

void CodeBox::dropHistory()
{
    // Qt frees the texts its history keeps only when the box is filled
    // anew; turning the history off and on again frees nothing.
    setPlainText(code());
    m_historySize = document()->characterCount();
}

void CodeBox::keyPressEvent(QKeyEvent *event)
{
    // Windows programs redo with Ctrl+Y; Qt binds it there only.
    if (event->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) &&
        !isReadOnly()) {
        redo();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace velbrisk::ui
