// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/info/linklabel_p.h"

#include <QAccessibleWidget>
#include <QMouseEvent>

namespace velbrisk::ui {
namespace {

// A link label reads as a link named after the address it shows, and a
// screen reader's press does what a click does: the labels take no focus.
class LinkAccessible : public QAccessibleWidget
{
public:
    explicit LinkAccessible(LinkLabel *label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<LinkLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.linked = true;
        return s;
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << pressAction();
    }

    void doAction(const QString &name) override
    {
        if (name == pressAction())
            Q_EMIT static_cast<LinkLabel *>(widget())->clicked();
        else
            QAccessibleWidget::doAction(name);
    }
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

QAccessibleInterface *linkLabelInterface(const QString &className, QObject *object)
{
    if (className == QLatin1StringView(LinkLabel::staticMetaObject.className()))
        return new LinkAccessible(static_cast<LinkLabel *>(object));
    return nullptr;
}

} // namespace velbrisk::ui
