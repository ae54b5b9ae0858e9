// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The controls of Form2 that are of its own classes.
#pragma once

#include "ui/common/windowtable.h"

#include <QLabel>

namespace velbrisk::ui {

// A label that reports a click: a press and a release of the left button on it.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

// A link label showing `text` or the outline, as the row's kind says; the
// builder (ui/common/windowtable.h) makes the other kinds.
QWidget *makeInfoControl(const table::Row &control, const QString &text, QWidget *container);

} // namespace velbrisk::ui
