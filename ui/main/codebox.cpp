// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/codebox.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>
#include <utility>

namespace velbrisk::ui {

CodeBox::CodeBox(QWidget *parent) : QPlainTextEdit(parent)
{
    // Tab moves on to the next control; a tab character still arrives by paste.
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int, int, int added) { m_historySize += added; });
    // Marks and report tell of the text a conversion left: any change ends them.
    connect(document(), &QTextDocument::contentsChange, this, &CodeBox::forgetConversion);
}

QString CodeBox::code() const
{
    // toPlainText() would turn no-break spaces into spaces and U+2028 into
    // line feeds; the raw text keeps them and marks line breaks with U+2029.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

namespace {

// A whole text set as one step that Qt's history could not keep: the text
// it replaced, which undo puts back, keeping the text it takes away for redo.
// Qt runs it with its history switched off, so the swap records nothing.
class WholeTextStep : public QAbstractUndoItem
{
public:
    WholeTextStep(CodeBox *box, QString other) : m_box(box), m_other(std::move(other)) {}
    void undo() override { swap(); }
    void redo() override { swap(); }

private:
    void swap()
    {
        QString shown = m_box->code();
        QTextCursor cursor(m_box->document());
        cursor.select(QTextCursor::Document);
        cursor.insertText(m_other);
        m_other = std::move(shown);
    }

    CodeBox *m_box;
    QString m_other;
};

} // namespace

void CodeBox::setCode(const QString &code)
{
    if (m_historySize + code.size() > HistoryLimit) {
        setCodeLettingHistoryGo(code);
    } else {
        // The whole text replaced in one edit block is one undo step; what
        // setPlainText() does instead would clear the history.
        QTextCursor cursor(document());
        cursor.beginEditBlock();
        cursor.select(QTextCursor::Document);
        cursor.insertText(code);
        cursor.endEditBlock();
    }
    // As a new text: the caret at its start, its first line in sight.
    moveCursor(QTextCursor::Start);
}

qsizetype CodeBox::codeLength() const
{
    return document()->characterCount() - 1; // without the end of the last block
}

void CodeBox::setMarks(std::vector<qsizetype> starts, qsizetype length, QRgb tint)
{
    // An empty spot, where a conversion deleted its search text, has nothing to show.
    m_markStarts = length > 0 ? std::move(starts) : std::vector<qsizetype>();
    m_markLength = length;
    m_markTint = QColor(tint);
    viewport()->update();
}

void CodeBox::setReport(const QString &report)
{
    setToolTip(report);
    setAccessibleDescription(report);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Older Qt tells screen readers only that the description changed.
    QAccessibleAnnouncementEvent announcement(this, report);
    QAccessible::updateAccessibility(&announcement);
#endif
}

void CodeBox::forgetConversion()
{
    if (!m_markStarts.empty()) {
        std::vector<qsizetype>().swap(m_markStarts); // a million marks weigh 8 MB
        viewport()->update();
    }
    if (!toolTip().isEmpty()) {
        setToolTip(QString());
        setAccessibleDescription(QString());
    }
}

void CodeBox::paintEvent(QPaintEvent *event)
{
    // Behind the text, which the base class draws over them.
    if (m_markLength > 0 && !m_markStarts.empty()) {
        QPainter painter(viewport());
        paintMarks(painter, event->rect());
    }
    QPlainTextEdit::paintEvent(event);
}

// Only the blocks in sight are looked at, as the base class paints them.
void CodeBox::paintMarks(QPainter &painter, const QRect &area) const
{
    const QPointF offset = contentOffset();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF bounds = blockBoundingGeometry(block).translated(offset);
        if (bounds.top() > area.bottom())
            break;
        if (block.isVisible() && bounds.bottom() >= area.top())
            paintMarksOn(painter, block, bounds.topLeft(), area);
    }
}

// In each line, only the part in sight, and of the marks only those that
// reach into it, found by halving: a million marks cost what a few do.
void CodeBox::paintMarksOn(QPainter &painter, const QTextBlock &block, QPointF at,
                           const QRect &area) const
{
    const QTextLayout *layout = block.layout();
    const qsizetype blockStart = block.position();
    at += layout->position();
    for (int n = 0; n < layout->lineCount(); ++n) {
        const QTextLine line = layout->lineAt(n);
        const qsizetype lineFrom = blockStart + line.textStart();
        const qsizetype lineTo = lineFrom + line.textLength(); // the line break, on the last line
        const bool lastLine = n == layout->lineCount() - 1;
        // Finding the characters at the edges costs more than the marks:
        // only a line that reaches past an edge is asked.
        const qreal left = area.left() - at.x();
        const qreal right = area.right() + 1 - at.x();
        const qsizetype from =
            line.x() >= left ? lineFrom : std::max(lineFrom, blockStart + line.xToCursor(left) - 1);
        const qsizetype to = line.x() + line.naturalTextWidth() <= right
                                 ? lineTo + 1
                                 : std::min(lineTo + 1, blockStart + line.xToCursor(right) + 1);
        auto mark =
            std::lower_bound(m_markStarts.cbegin(), m_markStarts.cend(), from - m_markLength + 1);
        for (; mark != m_markStarts.cend() && *mark < to; ++mark) {
            const qsizetype markEnd = *mark + m_markLength;
            // A line break marked shows as a blank's width past the line's end.
            const bool breakMarked = lastLine && *mark <= lineTo && markEnd > lineTo;
            if (*mark >= lineTo && !breakMarked)
                continue;
            const qreal x0 = line.cursorToX(int(std::max(*mark, lineFrom) - blockStart));
            qreal x1 = line.cursorToX(int(std::min(markEnd, lineTo) - blockStart));
            if (breakMarked)
                x1 += fontMetrics().horizontalAdvance(u' ');
            painter.fillRect(QRectF(x0, line.y(), x1 - x0, line.height()).translated(at),
                             m_markTint);
        }
    }
}

void CodeBox::focusInEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusInEvent(event);
    m_arrivedByTab =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
}

// What the mouse shows on hovering, the keyboard shows on arriving: once the
// Tab that brought the focus is let go, as letting go of a key hides a tooltip.
void CodeBox::keyReleaseEvent(QKeyEvent *event)
{
    QPlainTextEdit::keyReleaseEvent(event);
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && std::exchange(m_arrivedByTab, false) && !toolTip().isEmpty())
        QToolTip::showText(viewport()->mapToGlobal(cursorRect().bottomLeft()), toolTip(), this);
}

// Qt frees the texts its history keeps only when the box is filled anew,
// and its own record of replacing a huge text costs as much again as the
// text: the box is filled anew with the new code, laid out once, and the
// step is the box's own, holding the one text it replaced.
void CodeBox::setCodeLettingHistoryGo(const QString &code)
{
    QString replaced = this->code();
    const qsizetype replacedSize = replaced.size();
    setPlainText(code);
    document()->appendUndoItem(new WholeTextStep(this, std::move(replaced)));
    m_historySize = replacedSize + codeLength();
}

void CodeBox::keyPressEvent(QKeyEvent *event)
{
    m_arrivedByTab = false;
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
