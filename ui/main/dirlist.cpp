// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/dirlist.h"

#include "core/startfolders.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDir>
#include <QHeaderView>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace velbrisk::ui {
namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int IndentPerLevel = 10;

// The folders from the root down to `folder`, `folder` included.
QStringList chainTo(const QString &folder)
{
    QStringList chain;
    QDir dir(folder);
    chain.prepend(dir.absolutePath());
    while (dir.cdUp())
        chain.prepend(dir.absolutePath());
    return chain;
}

// The two folder pictures, drawn here rather than asked of the style: the
// style goes through the icon theme, which costs more at start-up than the
// rest of the list.
constexpr int IconSize = 16;

QPixmap folderPixmap(bool open)
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor outline(0x9a, 0x74, 0x12);
    const QColor back(0xe6, 0xb8, 0x3c);
    const QColor front(0xfb, 0xdc, 0x7a);
    painter.setPen(QPen(outline, 1.0));

    // The back with its tab, the same for both.
    const QPolygonF backShape(
        {{1.5, 3.5}, {6.0, 3.5}, {7.5, 5.0}, {14.5, 5.0}, {14.5, 13.5}, {1.5, 13.5}});
    painter.setBrush(back);
    painter.drawPolygon(backShape);
    if (open) {
        // The front leans out, showing the inside of the back.
        painter.setBrush(QColor(0xff, 0xff, 0xf4));
        painter.setPen(Qt::NoPen);
        painter.drawRect(QRectF(3.0, 6.5, 10.5, 3.0));
        painter.setPen(QPen(outline, 1.0));
        painter.setBrush(front);
        painter.drawPolygon(QPolygonF({{1.5, 13.5}, {4.0, 8.5}, {15.5, 8.5}, {13.0, 13.5}}));
    } else {
        painter.setBrush(front);
        painter.drawRect(QRectF(1.5, 6.5, 13.0, 7.0));
    }
    return pixmap;
}

const QIcon &folderIcon(bool open)
{
    static const QIcon openIcon(folderPixmap(true));
    static const QIcon closedIcon(folderPixmap(false));
    return open ? openIcon : closedIcon;
}

QString displayName(const QString &folder)
{
    const QString name = QDir(folder).dirName();
    return name.isEmpty() || QDir(folder).isRoot() ? QDir::toNativeSeparators(folder) : name;
}

} // namespace

DirList::DirList(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    // The hidden header still reaches screen readers: no "1" for them to read.
    setHeaderLabels({QString()});
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(IndentPerLevel);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // A double-click, or Enter, opens the folder under it.
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        if (item)
            setPath(item->data(0, PathRole).toString());
    });
    const QString current = QDir::currentPath();
    m_path = QDir::cleanPath(QDir::fromNativeSeparators(StartFolderList(
        current, QCoreApplication::applicationDirPath(), UserFolder(), IsWritableFolder(current))));
    fill();
}

QString DirList::path() const
{
    return QDir::toNativeSeparators(m_path);
}

void DirList::setPath(const QString &folder)
{
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    if (clean == m_path)
        return;
    m_path = clean;
    fill();
    Q_EMIT changed();
}

void DirList::drawBranches(QPainter *, const QRect &, const QModelIndex &) const
{
    // Folders are set apart by their indent alone, without tree lines.
}

void DirList::fill()
{
    clear();
    const QIcon &openIcon = folderIcon(true);
    const QIcon &closedIcon = folderIcon(false);

    QTreeWidgetItem *open = nullptr;
    for (const QString &folder : chainTo(m_path)) {
        auto *item = open ? new QTreeWidgetItem(open) : new QTreeWidgetItem(this);
        item->setText(0, displayName(folder));
        item->setIcon(0, openIcon);
        item->setData(0, PathRole, folder);
        open = item;
    }
    // Hidden folders stay out, as in the system's own file dialogs.
    const QDir dir(m_path);
    const QStringList names =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : names) {
        auto *item = new QTreeWidgetItem(open);
        item->setText(0, name);
        item->setIcon(0, closedIcon);
        item->setData(0, PathRole, dir.absoluteFilePath(name));
    }
    // Only the folders whose sub-folders show are expanded: expandAll() would
    // mark the closed sub-folders expanded too, and screen readers say so.
    for (QTreeWidgetItem *item = open; item; item = item->parent())
        item->setExpanded(item->childCount() > 0);
    setCurrentItem(open);
    showOpenFolder();
}

void DirList::showOpenFolder()
{
    // The folders above the open one stay in sight when there is room.
    scrollToTop();
    if (currentItem())
        scrollToItem(currentItem());
}

void DirList::resizeEvent(QResizeEvent *event)
{
    QTreeWidget::resizeEvent(event);
    showOpenFolder();
}

void DirList::focusInEvent(QFocusEvent *event)
{
    QTreeWidget::focusInEvent(event);
    // Qt names the current folder to screen readers when it changes, which
    // it did before the list had the focus. Named once the event naming the
    // list itself, which Qt sends after this one, is out, so that it is the
    // last word.
    QMetaObject::invokeMethod(this, &DirList::tellCurrentFolder, Qt::QueuedConnection);
}

void DirList::tellCurrentFolder()
{
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid())
        return;
    // Numbered as the list's accessible interface numbers its children: row
    // by row as shown, after the row of the header, hidden as it is. Sent
    // whether or not a screen reader listens, as Qt sends the list's own.
    int row = 1;
    for (QModelIndex above = indexAbove(current); above.isValid(); above = indexAbove(above))
        ++row;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(row * model()->columnCount() + current.column());
    QAccessible::updateAccessibility(&focus);
}

} // namespace velbrisk::ui
