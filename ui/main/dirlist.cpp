#include "ui/main/dirlist.h"

#include <QDir>
#include <QHeaderView>
#include <QStyle>

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
    m_path = QDir::cleanPath(QDir::currentPath());
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
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon, nullptr, this);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon, nullptr, this);

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
    expandAll();
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

} // namespace velbrisk::ui
