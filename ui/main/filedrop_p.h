// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Files and folders dropped on a control from a file manager (Explorer, a
// desktop's file manager, any program offering files).
//
// Watching a control, it takes every drag that carries local files before
// the control sees it: a text box would otherwise write the files' addresses
// ("file:///...") into its text, as Qt does on Windows. Other drags (text from
// a browser or an editor) go on to the control as before, inserted where they
// are dropped. The dropped paths are reported once the drop is over, so that
// an error box never holds the file manager that is waiting for it.
//
//   new FileDrop(box, FileDrop::Take)   -> dropped({u"/x/deco.txt"_s}) after a drop
//   new FileDrop(box, FileDrop::Refuse) -> files cannot be dropped there at all
#pragma once

#include <QObject>
#include <QStringList>

class QWidget;

namespace velbrisk::ui {

class FileDrop : public QObject
{
    Q_OBJECT
public:
    enum Mode
    {
        Take,   // files are accepted and reported by dropped()
        Refuse, // files are refused, the control left as it was
    };

    // Watches `control`, and its viewport for a scrolling control, which is
    // where drops on it land; it then belongs to `control`.
    FileDrop(QWidget *control, Mode mode);

Q_SIGNALS:
    // One path per dropped item, in the system's own form ("C:/x/deco.txt"),
    // a non-local address as it was given.
    void dropped(const QStringList &paths);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const Mode m_mode;
};

} // namespace velbrisk::ui
