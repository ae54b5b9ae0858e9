// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/info/infofactory.h"

#include <QMouseEvent>
#include <QPainter>

namespace velbrisk::ui {
namespace {

// A one-pixel outline, transparent inside, and to the mouse.
class Shape : public QWidget
{
public:
    Shape(const QColor &outline, QWidget *parent) : QWidget(parent), m_outline(outline)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(QPen(m_outline, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    QColor m_outline;
};

} // namespace

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        Q_EMIT clicked();
}

QWidget *makeInfoControl(const table::Row &control, const QString &text, QWidget *container)
{
    switch (control.kind) {
    case table::Kind::Link:
        return new LinkLabel(text, container);
    case table::Kind::Shape:
        return new Shape(QColor(control.colour), container);
    default:
        qFatal("Form2 has no control of its own of kind %d", int(control.kind));
    }
}

} // namespace velbrisk::ui
