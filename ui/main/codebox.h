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
//
// After a conversion a box may show what it changed: marks, a tint drawn
// behind spots of the code, and a report, said by the box's tooltip and to
// screen readers. Both are drawn or said, never written: the code, its
// copies and the undo history are the same with them as without. Both go as
// soon as the box's text changes, whatever changes it.
#pragma once

#include <QColor>
#include <QPlainTextEdit>
#include <QString>

#include <vector>

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

    // How many characters code() holds, without building it.
    qsizetype codeLength() const;

    // The tints of the marks: fixed colours, as the boxes' white and black
    // are, so that they look the same on every desktop and system.
    static constexpr QRgb FoundTint = 0xffe08a;   // where a conversion found its search text
    static constexpr QRgb WrittenTint = 0xc4ecc4; // where it wrote its replacement

    // Marks the spots of `length` characters that start at `starts`, in
    // order, as positions in code().
    void setMarks(std::vector<qsizetype> starts, qsizetype length, QRgb tint);
    const std::vector<qsizetype> &markStarts() const { return m_markStarts; }
    qsizetype markLength() const { return m_markLength; }

    // What the last conversion did: the box's tooltip, shown too when Tab
    // brings the focus in, and its description for screen readers, who are
    // told at once where Qt can (6.8 on).
    void setReport(const QString &report);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void setCodeLettingHistoryGo(const QString &code);
    void forgetConversion();
    void paintMarks(QPainter &painter, const QRect &area) const;
    void paintMarksOn(QPainter &painter, const QTextBlock &block, QPointF at,
                      const QRect &area) const;

    // Every character the history holds: Qt keeps each text ever inserted
    // until its history is let go.
    qsizetype m_historySize = 0;

    std::vector<qsizetype> m_markStarts;
    qsizetype m_markLength = 0;
    QColor m_markTint;
    bool m_arrivedByTab = false; // and the Tab not let go yet
};

} // namespace velbrisk::ui
