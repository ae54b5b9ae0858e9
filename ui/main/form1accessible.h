// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// How Form1 reads to a screen reader: the names and descriptions of its
// controls, beyond the texts its table gives, and the interfaces of its own
// classes. The builder applies both as it makes the window
// (ui/common/windowtable.h).
#pragma once

#include "ui/common/windowtable.h"

namespace velbrisk::ui {

// Beside its caption, what a field is for, and which frame it is in where two
// fields share a caption; what the code buttons do, their captions saying
// least.
// clang-format off
inline constexpr table::Speech Form1Speech[] = {
//   control      accessible name                            accessible description
    {u"text1",    u"Code SkyBlog de la déco",                 u""},
    {u"text2",    u"Code SkyBlog pour votre article",         u""},
    {u"Command5", u"",                                        u"Colle le presse-papiers dans le code de la déco"},
    {u"Command4", u"",                                        u"Efface le code de la déco"},
    {u"Command3", u"",                                        u"Copie le code transformé dans le presse-papiers"},
    {u"Text6",    u"Nom des fichiers",                        u""},
    {u"Combo3",   u"Habillage de base",                       u""},
    {u"Text5",    u"Chemin du dossier de stockage",           u""},
    {u"Dir1",     u"Dossier de stockage",                     u""},
    {u"Combo1",   u"Remplacer (changement d'habillage)",      u""},
    {u"Combo2",   u"Par (changement d'habillage)",            u""},
    {u"Command1", u"",                                        u"Changement d'Habillage"},
    {u"Text3",    u"Remplacer (changement de caractères)",    u""},
    {u"Text4",    u"Par (changement de caractères)",          u""},
    {u"Command2", u"",                                        u"Changement de caractère(s)"},
};
// clang-format on

// The accessible interfaces of the main window and its skin boxes. It answers
// for these two classes of Velbrisk alone, so no other widget reads
// differently.
QAccessibleInterface *form1Interface(const QString &className, QObject *object);

} // namespace velbrisk::ui
