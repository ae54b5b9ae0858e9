// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/skinbox.h"

#include "core/skintable.h"

#include <QAbstractItemView>
#include <QItemDelegate>
#include <QPainter>
#include <QStandardItemModel>

#include <optional>

using namespace Qt::StringLiterals;

namespace velbrisk::ui {
namespace {

// The key colour of the skin an entry names, if it names one.
std::optional<QColor> keyColourOf(const QModelIndex &index)
{
    if (const auto colour = FindKeyColour(index.data(Qt::DisplayRole).toString()))
        return QColor::fromString(*colour);
    return std::nullopt;
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
            if (const auto colour = FindKeyColour(index.data(Qt::DisplayRole).toString()))
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
            painter->fillRect(square.adjusted(1, 1, -1, -1), *colour);
        }
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QSize label = QItemDelegate::sizeHint(option, index);
        return {label.width() + Room, label.height()};
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
    setCurrentIndex(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
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

} // namespace velbrisk::ui
