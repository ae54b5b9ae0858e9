// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The folder list of the batch frame.
//
// It shows the folders from the root down to the open folder, each one step
// further in, then the sub-folders of the open folder. A double-click or
// Enter on a folder opens it and emits changed(). There is no drive selector,
// and a folder that cannot be read simply shows no sub-folders.
#pragma once

#include <QString>
#include <QTreeWidget>

namespace velbrisk::ui {

class DirList : public QTreeWidget
{
    Q_OBJECT
public:
    // Opens on the process's current folder, or on the user's own folder
    // when that is the program's folder or one the user cannot write.
    explicit DirList(QWidget *parent = nullptr);

    // The open folder, with the platform's separators.
    QString path() const;

    // Opens `folder`; emits changed() when it differs from the open one.
    void setPath(const QString &folder);

Q_SIGNALS:
    void changed();

protected:
    void drawBranches(QPainter *painter, const QRect &rect,
                      const QModelIndex &index) const override;
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void fill();
    void showOpenFolder();
    void tellCurrentFolder();

    QString m_path; // absolute, clean, with "/" separators
};

} // namespace velbrisk::ui
