// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// How Form2 reads to a screen reader: the names and descriptions of its
// controls, beyond the texts its table gives, and the interfaces of its own
// classes. The builder applies both as it makes the window
// (ui/common/windowtable.h).
#pragma once

#include "ui/common/windowtable.h"

namespace velbrisk::ui {

// clang-format off
inline constexpr table::Speech InfoSpeech[] = {
//   control      accessible name              accessible description
    {u"Image1",   u"Portrait de ZeNdAl",       u"L'auteur, casque sur les oreilles, sous un ciel de nuit"},
    {u"Picture7", u"Fermeture de la fenêtre",  u""},
    {u"Command1", u"",                         u"Ferme la fenêtre d'information"},
};
// clang-format on

// A link label reads as a link, the window as a window, and the panel under
// "Fermer" as a panel rather than as a border.
QAccessibleInterface *infoInterface(const QString &className, QObject *object);

} // namespace velbrisk::ui
