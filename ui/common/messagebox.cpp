// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/common/messagebox.h"

#include <QMessageBox>

namespace velbrisk::ui {
namespace {

constexpr QStringView InformationTitle = u"Velbrisk par ZeNdAl";
constexpr QStringView ErrorTitle = u"Velbrisk [par ZeNdAl ]";

BoxHandler &boxHandler()
{
    static BoxHandler handler;
    return handler;
}

void show(QWidget *parent, BoxKind kind, const QString &text)
{
    const BoxRequest request{
        kind, (kind == BoxKind::Error ? ErrorTitle : InformationTitle).toString(), text};
    if (boxHandler()) {
        boxHandler()(request);
        return;
    }
    QMessageBox box(kind == BoxKind::Error ? QMessageBox::Critical : QMessageBox::Information,
                    request.title, request.text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

void showInformation(QWidget *parent, const QString &text)
{
    show(parent, BoxKind::Information, text);
}

void showError(QWidget *parent, const QString &text)
{
    show(parent, BoxKind::Error, text);
}

void setBoxHandler(BoxHandler handler)
{
    boxHandler() = std::move(handler);
}

} // namespace velbrisk::ui
