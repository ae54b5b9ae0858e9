// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// A skin box: an editable list of the 24 skin labels, each drawn in the list
// beside a square of its skin's key colour.
#pragma once

#include <QComboBox>

class QAccessibleInterface;

namespace velbrisk::ui {

// The list never grows and typed text is never completed. A class of its own
// so that what a screen reader is told of a skin box (skinBoxInterface)
// applies to these boxes alone, never to another combo box.
class SkinBox : public QComboBox
{
    Q_OBJECT
public:
    // Starts on `text`, the matching label being the current one, if any.
    explicit SkinBox(const QString &text, QWidget *parent = nullptr);

    // The program's own setting of the text: the matching label, if any,
    // becomes the current one. No colour is looked up, as only typing is
    // connected.
    void setSkin(const QString &text);

    // The list opens wide enough for each label whole beside its square.
    void showPopup() override;
};

// A skin box's interface, read by its accessible name, its text being its
// value; null for any other class.
QAccessibleInterface *skinBoxInterface(const QString &className, QObject *object);

} // namespace velbrisk::ui
