// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/filedrop_p.h"

#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace velbrisk::ui {
namespace {

bool carriesLocalFiles(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.cbegin(), urls.cend(),
                       [](const QUrl &url) { return url.isLocalFile(); });
}

QStringList droppedPaths(const QMimeData *data)
{
    QStringList paths;
    for (const QUrl &url : data->urls())
        paths.append(url.isLocalFile() ? url.toLocalFile() : url.toString());
    return paths;
}

// The file is read, never moved: a file manager deletes what is moved.
bool takeAsCopy(QDropEvent *event)
{
    if (!(event->possibleActions() & Qt::CopyAction))
        return false;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

} // namespace

FileDrop::FileDrop(QWidget *control, Mode mode) : QObject(control), m_mode(mode)
{
    control->setAcceptDrops(true);
    control->installEventFilter(this);
    if (auto *area = qobject_cast<QAbstractScrollArea *>(control)) {
        area->viewport()->setAcceptDrops(true);
        area->viewport()->installEventFilter(this);
    }
}

bool FileDrop::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto *drop = static_cast<QDropEvent *>(event);
    if (!carriesLocalFiles(drop->mimeData()))
        return QObject::eventFilter(watched, event);

    if (m_mode == Refuse || !takeAsCopy(drop)) {
        drop->ignore();
        return true;
    }
    if (type == QEvent::Drop) {
        QMetaObject::invokeMethod(
            this, [this, paths = droppedPaths(drop->mimeData())] { Q_EMIT dropped(paths); },
            Qt::QueuedConnection);
    }
    return true;
}

} // namespace velbrisk::ui
