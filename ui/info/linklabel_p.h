// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The links of Form2: labels that report a click.
#pragma once

#include <QLabel>

class QAccessibleInterface;

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

// A link label's interface: a link named after the address it shows, which a
// screen reader can press; null for any other class.
QAccessibleInterface *linkLabelInterface(const QString &className, QObject *object);

} // namespace velbrisk::ui
