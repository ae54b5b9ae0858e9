// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/form1accessible.h"

#include "ui/main/mainwindow.h"
#include "ui/main/skinbox.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace velbrisk::ui {
namespace {

// The window itself: a frame for the screen reader, whose hidden controls (the
// colour fields) are not among its children, since no one sees them.
class Form1Accessible : public QAccessibleWidget
{
public:
    explicit Form1Accessible(QWidget *window) : QAccessibleWidget(window, QAccessible::Window) {}

    int childCount() const override { return int(shownChildren().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QWidgetList children = shownChildren();
        return index >= 0 && index < children.size()
                   ? QAccessible::queryAccessibleInterface(children.at(index))
                   : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(shownChildren().indexOf(qobject_cast<QWidget *>(child->object()))) : -1;
    }

private:
    QWidgetList shownChildren() const
    {
        QWidgetList children;
        for (QObject *object : widget()->children()) {
            auto *child = qobject_cast<QWidget *>(object);
            if (child && !child->isWindow() && !child->isHidden())
                children.append(child);
        }
        return children;
    }
};

// A skin list read by its accessible name, its text being its value. On
// Linux, Qt's own interface reads the text as the name, so that the three
// lists would all sound alike ("Habillage 15").
class SkinBoxAccessible : public QAccessibleWidget
{
public:
    explicit SkinBoxAccessible(SkinBox *box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QComboBox *combo() const { return static_cast<QComboBox *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value ||
            (t == QAccessible::Name && combo()->accessibleName().isEmpty()))
            return combo()->currentText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = combo()->view()->isVisible();
        s.editable = combo()->isEditable();
        return s;
    }

    // The list of skins, then the field one types in, as in Qt's own.
    int childCount() const override { return combo()->lineEdit() ? 2 : 1; }

    QAccessibleInterface *child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(combo()->view());
        if (index == 1 && combo()->lineEdit())
            return QAccessible::queryAccessibleInterface(combo()->lineEdit());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child)
            return -1;
        if (child->object() == combo()->view())
            return 0;
        if (combo()->lineEdit() && child->object() == combo()->lineEdit())
            return 1;
        return -1;
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << showMenuAction() << pressAction();
    }

    void doAction(const QString &name) override
    {
        if (name != showMenuAction() && name != pressAction())
            return QAccessibleWidget::doAction(name);
        if (combo()->view()->isVisible())
            combo()->hidePopup();
        else
            combo()->showPopup();
    }
};

} // namespace

QAccessibleInterface *form1Interface(const QString &className, QObject *object)
{
    if (className == QLatin1StringView(MainWindow::staticMetaObject.className()))
        return new Form1Accessible(static_cast<QWidget *>(object));
    if (className == QLatin1StringView(SkinBox::staticMetaObject.className()))
        return new SkinBoxAccessible(static_cast<SkinBox *>(object));
    return nullptr;
}

} // namespace velbrisk::ui
