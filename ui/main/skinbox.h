// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// A skin box: an editable list of the 24 skin labels, each drawn in the list
// beside a square of its skin's key colour.
#pragma once

#include <QComboBox>

namespace velbrisk::ui {

// The list never grows and typed text is never completed. A class of its own
// so that what a screen reader is told of a skin box (form1accessible.cpp)
// applies to these boxes alone, never to another combo box.
class SkinBox : public QComboBox
{
    Q_OBJECT
public:
    // Starts on `text`, the matching label being the current one, if any.
    explicit SkinBox(const QString &text, QWidget *parent = nullptr);

    // The list opens wide enough for each label whole beside its square.
    void showPopup() override;
};

} // namespace velbrisk::ui
