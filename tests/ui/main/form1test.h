// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// What the tests of the main window share: a window shown and active, its
// controls by name, and the message boxes answered and recorded.
#pragma once

#include "ui/common/look.h"
#include "ui/common/messagebox.h"
#include "ui/main/codebox.h"
#include "ui/main/mainwindow.h"
#include "windowtestsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace form1test {

using namespace Qt::StringLiterals;

// The folder field's start: the user's Documents folder on Windows, the home
// folder elsewhere.
inline QString startFolder()
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
#else
    return QDir::toNativeSeparators(QDir::homePath());
#endif
}

// Every box the window shows, answered at once.
class Boxes
{
public:
    Boxes()
    {
        velbrisk::ui::setBoxHandler([this](const velbrisk::ui::BoxRequest &box) {
            shown.append(box);
            if (onBox)
                onBox(box);
        });
    }
    ~Boxes() { velbrisk::ui::setBoxHandler({}); }
    Boxes(const Boxes &) = delete;
    Boxes &operator=(const Boxes &) = delete;

    QList<velbrisk::ui::BoxRequest> shown;
    std::function<void(const velbrisk::ui::BoxRequest &)> onBox;
};

// A main window, shown and active, as right after start-up.
class Form1
{
public:
    Form1() : window(std::make_unique<velbrisk::ui::MainWindow>())
    {
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the main window did not become active");
    }

    template <typename T = QWidget> T *get(const QString &name) const
    {
        return testsupport::control<T>(window.get(), name);
    }
    QPushButton *button(const QString &name) const { return get<QPushButton>(name); }
    QComboBox *combo(const QString &name) const { return get<QComboBox>(name); }
    QLineEdit *field(const QString &name) const { return get<QLineEdit>(name); }
    velbrisk::ui::CodeBox *codeBox(const QString &name) const
    {
        return get<velbrisk::ui::CodeBox>(name);
    }
    QString code(const QString &name) const { return codeBox(name)->code(); }

    void click(const QString &name) const { QTest::mouseClick(button(name), Qt::LeftButton); }

    // Replaces a field's text as a person does: select all, then type.
    void type(QWidget *field, const QString &text) const
    {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i].unicode() < 0x80) {
                QTest::keyClick(field, char(text[i].unicode()));
                continue;
            }
            // Keys beyond ASCII arrive as text, a surrogate pair as one key.
            const qsizetype length = text[i].isHighSurrogate() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, text.mid(i, length),
                                Qt::NoModifier);
            i += length - 1;
        }
    }
    void type(const QString &name, const QString &text) const
    {
        QWidget *widget = get(name);
        if (auto *combo = qobject_cast<QComboBox *>(widget))
            widget = combo->lineEdit();
        type(widget, text);
    }

    std::unique_ptr<velbrisk::ui::MainWindow> window;
};

} // namespace form1test
