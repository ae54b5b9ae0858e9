// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Every message box of the program goes through here, so that tests can
// answer a box instead of a person and no modal box ever hangs them.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace velbrisk::ui {

enum class BoxKind
{
    Information, // the program's own boxes, titled "Velbrisk par ZeNdAl"
    Error,       // a failure, titled with the application title
};

struct BoxRequest
{
    BoxKind kind;
    QString title;
    QString text;
};

// Shows a modal box with one OK button and returns when it is closed.
void showInformation(QWidget *parent, const QString &text);
void showError(QWidget *parent, const QString &text);

// Replaces the real boxes by `handler` (tests); an empty handler restores them.
using BoxHandler = std::function<void(const BoxRequest &)>;
void setBoxHandler(BoxHandler handler);

} // namespace velbrisk::ui
