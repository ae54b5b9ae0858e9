// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Both windows as their description gives them, written out on their own
// (not taken from the program's tables): every control's name, kind,
// container, place and size in twips, text, tab index and bold caption. The
// window tests check the program against these rows.
#pragma once

#include "ui/info/infowindow.h"

#include <QRect>
#include <QStringList>
#include <QStringView>

#include <algorithm>
#include <span>
#include <vector>

namespace testsupport {

struct DescribedControl
{
    QStringView name;
    QStringView kind;             // in the description's words: "frame", "command button"...
    QStringView container;        // "Form1", "Form2", or a frame or a panel
    int left, top, width, height; // twips, from the container's top-left corner
    QStringView text;
    int tabIndex; // NoTab: none, a picture or a shape
    int style;

    // 15 twips make a pixel.
    QRect pixels() const { return QRect(left / 15, top / 15, width / 15, height / 15); }
    bool takesFocus() const;
};
using WindowDescription = std::span<const DescribedControl>;

inline constexpr int NoTab = -1;
enum Style
{
    Plain = 0,
    Bold = 1,   // caption in bold
    Hidden = 2, // never shown
};

inline bool DescribedControl::takesFocus() const
{
    return tabIndex != NoTab && kind != u"frame" && !kind.endsWith(u"label") && !(style & Hidden);
}

// The folder field's text and the folder list's folder at start-up: the
// user's own folder, which each test works out for its system.
inline constexpr QStringView StartFolder = u"<dossier de départ>";

// clang-format off
inline constexpr DescribedControl Form1[] = {
//   name         kind                   container     left   top width height  text                                                       tab   style
    {u"Frame3",   u"frame",              u"Form1",     120,  120, 5775, 5535,  u"Codes...",                                                14, Plain},
    {u"Frame4",   u"frame",              u"Form1",    6000,  120, 3615, 5535,  u"Transformer pour tous les habillages...",                 23, Plain},
    {u"Command6", u"command button",     u"Form1",     120, 5760, 1575, 1215,  u"Informations...",                                         22, Plain},
    {u"Frame1",   u"frame",              u"Form1",    1800, 5760, 4095, 1215,  u"Changement d'Habillage...",                                2, Plain},
    {u"Frame2",   u"frame",              u"Form1",    6000, 5760, 3615, 1215,  u"Changement de caractère(s)",                               6, Plain},
    {u"txtHab1",  u"text box",           u"Form1",    7560, 9120, 1575,  285,  u"#333333",                                                  0, Hidden},
    {u"txtHab2",  u"text box",           u"Form1",    7560, 9480, 1575,  285,  u"#333333",                                                  1, Hidden},

    {u"Label1",   u"label",              u"Frame3",    240,  360, 2055,  255,  u"Code SkyBlog de la déco :",                               18, Plain},
    {u"text1",    u"rich-text box",      u"Frame3",    240,  600, 4575, 2415,  u"Mettez ici votre code SkyBlog d'une déco...\n",           16, Plain},
    {u"Command5", u"command button",     u"Frame3",   4920,  600,  735, 1215,  u"Coller",                                                  21, Plain},
    {u"Command4", u"command button",     u"Frame3",   4920, 1920,  735, 1095,  u"Eff",                                                     20, Plain},
    {u"Label2",   u"label",              u"Frame3",    240, 3120, 2535,  255,  u"Code SkyBlog pour votre article :",                       17, Plain},
    {u"text2",    u"rich-text box",      u"Frame3",    240, 3360, 4575, 1935,  u"Le code vous sera donné aprés une transformation...\n",   15, Plain},
    {u"Command3", u"command button",     u"Frame3",   4920, 3360,  735, 1935,  u"Copier",                                                  19, Bold},

    {u"Label8",   u"label",              u"Frame4",    240,  360, 2535,  255,  u"Nom des fichiers :",                                      26, Plain},
    {u"Text6",    u"text box",           u"Frame4",    240,  600, 1695,  285,  u"habillage",                                               27, Plain},
    {u"Label9",   u"label",              u"Frame4",   2040,  600, 2535,  255,  u"(1,2,3,4,...) .txt",                                      28, Plain},
    {u"Label10",  u"label",              u"Frame4",    240, 1080, 2535,  255,  u"Habillage de base :",                                     30, Plain},
    {u"Combo3",   u"combo box",          u"Frame4",    240, 1320, 2295,  315,  u"Habillage 15",                                            29, Plain},
    {u"Label7",   u"label",              u"Frame4",    240, 1800, 2535,  255,  u"Chemin du dossier de stockage :",                         24, Plain},
    {u"Text5",    u"text box",           u"Frame4",    240, 2040, 3255,  285,  StartFolder,                                                25, Plain},
    {u"Dir1",     u"directory list box", u"Frame4",    240, 2400, 3255, 1890,  StartFolder,                                                32, Plain},
    {u"Command8", u"command button",     u"Frame4",    240, 4440, 3255,  495,  u"Créer les fichiers txt...",                               31, Bold},
    {u"Command7", u"command button",     u"Frame4",    240, 5040, 3255,  255,  u"Aide pour cette option...",                               33, Plain},

    {u"Label3",   u"label",              u"Frame1",    240,  360, 2055,  255,  u"Remplacer :",                                             10, Plain},
    {u"Combo1",   u"combo box",          u"Frame1",   1320,  360, 1335,  315,  u"Habillage 15",                                             5, Plain},
    {u"Label5",   u"label",              u"Frame1",    240,  720, 2055,  255,  u"Par :",                                                   12, Plain},
    {u"Combo2",   u"combo box",          u"Frame1",   1320,  720, 1335,  315,  u"Habillage 1",                                              4, Plain},
    {u"Command1", u"command button",     u"Frame1",   2760,  360, 1215,  615,  u"Transformer",                                              3, Plain},

    {u"Label4",   u"label",              u"Frame2",    240,  360, 2055,  255,  u"Remplacer :",                                             11, Plain},
    {u"Text3",    u"text box",           u"Frame2",   1320,  360,  855,  285,  u"#000000",                                                  7, Plain},
    {u"Label6",   u"label",              u"Frame2",    240,  720, 2055,  255,  u"Par :",                                                   13, Plain},
    {u"Text4",    u"text box",           u"Frame2",   1320,  720,  855,  285,  u"#333333",                                                  8, Plain},
    {u"Command2", u"command button",     u"Frame2",   2280,  360, 1215,  615,  u"Transformer",                                              9, Plain},
};

// The labels' widths and heights are what their texts measure in Verdana;
// the date and the addresses are the program's own.
inline constexpr DescribedControl Form2[] = {
//   name         kind                   container     left   top width height  text                                                       tab   style
    {u"Image1",   u"image",              u"Form2",     120,  120, 1455, 2055,  u"",                                                     NoTab, Plain},
    {u"Shape1",   u"shape",              u"Form2",     120,  120, 1455, 2055,  u"",                                                     NoTab, Plain},
    {u"Label1",   u"label",              u"Form2",    1800,  120,  420,  180,  u"Nick :",                                                   0, Bold},
    {u"Label6",   u"label",              u"Form2",    2400,  120, 2055,  180,  u"ZeNdAl [ KwR-Production ]",                                4, Plain},
    {u"Label2",   u"label",              u"Form2",    1800,  480, 1455,  180,  u"Date de naissance :",                                      1, Bold},
    {u"Label7",   u"label",              u"Form2",    3600,  480,  750,  180,  velbrisk::ui::BirthDate,                                     5, Plain},
    {u"Label4",   u"label",              u"Form2",    1800,  960, 1020,  180,  u"Blog officiel :",                                          2, Bold},
    {u"Label9",   u"link label",         u"Form2",    1800, 1200, 2355,  180,  velbrisk::ui::OfficialBlogAddress,                           6, Plain},
    {u"Label5",   u"label",              u"Form2",    1800, 1560,  885,  180,  u"Blog perso :",                                             3, Bold},
    {u"Label10",  u"link label",         u"Form2",    1800, 1800, 2070,  180,  velbrisk::ui::PersonalBlogAddress,                           7, Plain},
    {u"Picture7", u"panel",              u"Form2",     120, 2280, 4410,  450,  u"",                                                         8, Plain},
    {u"Command1", u"command button",     u"Picture7",    0,    0, 4335,  375,  u"Fermer",                                                   9, Bold},
};
// clang-format on

inline WindowDescription form1Description()
{
    return Form1;
}

inline WindowDescription form2Description()
{
    return Form2;
}

inline const DescribedControl &described(WindowDescription window, QStringView name)
{
    const auto found = std::ranges::find(window, name, &DescribedControl::name);
    if (found == window.end())
        qFatal("no control %s in the description", qPrintable(name.toString()));
    return *found;
}

// The controls that take the focus, in the order of their tab indices.
inline QStringList tabOrder(WindowDescription window)
{
    std::vector<DescribedControl> focused;
    std::ranges::copy_if(window, std::back_inserter(focused), &DescribedControl::takesFocus);
    std::ranges::sort(focused, {}, &DescribedControl::tabIndex);
    QStringList names;
    for (const DescribedControl &c : focused)
        names.append(c.name.toString());
    return names;
}

} // namespace testsupport
