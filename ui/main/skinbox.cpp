// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/skinbox_p.h"

#include "core/skintable.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QItemDelegate>
#include <QLineEdit>
#include <QPainter>
#include <QStandardItemModel>

#include <optional>

using namespace Qt::StringLiterals;

namespace velbrisk::ui {
namespace {

// The key colour of the skin an entry names, if it names one: what the
// list's square shows and what a screen reader hears of the entry.
auto keyColourOf(const QModelIndex &index)
{
    return FindKeyColour(index.data(Qt::DisplayRole).toString());
}

// The entries hold their labels alone; what a screen reader hears of each,
// its key colour, is read from the skin table.
class SkinLabels : public QStandardItemModel
{
public:
    using QStandardItemModel::QStandardItemModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::AccessibleDescriptionRole) {
            if (const auto colour = keyColourOf(index))
                return QString(u"couleur clé "_s + colour->toString());
        }
        return QStandardItemModel::data(index, role);
    }
};

// The list draws before each label a square of the skin's key colour, in a
// thin dark outline so that white shows on white. Fixed colours and sizes:
// the same square on every desktop and system. The rest is drawn as Qt's own
// list of a combo box draws it, one QItemDelegate.
class SwatchDelegate : public QItemDelegate
{
public:
    static constexpr int Margin = 3; // on the left of the square
    static constexpr int Side = 9;   // the square, its outline included: any row holds it
    static constexpr int Room = Margin + Side + 1; // what the label moves right
    static constexpr QRgb Outline = 0x404040;

    using QItemDelegate::QItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        // The row's background and highlight run under the square too.
        drawBackground(painter, option, index);
        QStyleOptionViewItem label = option;
        label.rect.setLeft(option.rect.left() + Room);
        QItemDelegate::paint(painter, label, index);
        if (const auto colour = keyColourOf(index)) {
            const QRect square(option.rect.left() + Margin,
                               option.rect.top() + (option.rect.height() - Side) / 2, Side, Side);
            painter->fillRect(square, Outline);
            painter->fillRect(square.adjusted(1, 1, -1, -1), QColor::fromString(*colour));
        }
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QSize label = QItemDelegate::sizeHint(option, index);
        return {label.width() + Room, label.height()};
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

SkinBox::SkinBox(const QString &text, QWidget *parent) : QComboBox(parent)
{
    setModel(new SkinLabels(this));
    setItemDelegate(new SwatchDelegate(this));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    for (const SkinEntry &skin : SkinColourTable)
        addItem(skin.label.toString());
    setSkin(text);
}

void SkinBox::setSkin(const QString &text)
{
    const int index = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        setCurrentIndex(index);
    setEditText(text);
}

void SkinBox::showPopup()
{
    // Qt's list takes the box's width, which the labels filled before the
    // squares came: it may grow, never shrink.
    QAbstractItemView *list = view();
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                          style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    QComboBox::showPopup();
}

QAccessibleInterface *skinBoxInterface(const QString &className, QObject *object)
{
    if (className == QLatin1StringView(SkinBox::staticMetaObject.className()))
        return new SkinBoxAccessible(static_cast<SkinBox *>(object));
    return nullptr;
}

} // namespace velbrisk::ui
