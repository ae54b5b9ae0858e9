// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/info/infoaccessible.h"

#include "ui/info/infofactory.h"
#include "ui/info/infowindow.h"

#include <QAccessibleWidget>

using namespace Qt::StringLiterals;

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

QAccessibleInterface *infoInterface(const QString &className, QObject *object)
{
    if (className == QLatin1StringView(LinkLabel::staticMetaObject.className()))
        return new LinkAccessible(static_cast<LinkLabel *>(object));
    if (className == QLatin1StringView(InfoWindow::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    if (className == u"QFrame" && qobject_cast<InfoWindow *>(object->parent()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Grouping);
    return nullptr;
}

} // namespace velbrisk::ui
