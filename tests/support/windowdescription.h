// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Both windows as their description gives them, written out on their own
// (not taken from the program's tables): every control's name, kind,
// container, place and size in twips, text, tab index and bold caption. The
// window tests check the program against these rows.
#pragma once

#include "ui/info/infowindow.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace testsupport {

using namespace Qt::StringLiterals;

struct DescribedControl
{
    QString name;
    QString kind;                 // in the description's words: "frame", "command button"...
    QString container;            // "Form1", "Form2", or a frame or a panel
    int left, top, width, height; // twips, from the container's top-left corner
    QString text;
    int tabIndex; // NoTab: none, a picture or a shape
    int style;

    static constexpr int NoTab = -1;
    enum Style
    {
        Plain = 0,
        Bold = 1,   // caption in bold
        Hidden = 2, // never shown
    };

    // 15 twips make a pixel.
    QRect pixels() const { return QRect(left / 15, top / 15, width / 15, height / 15); }
    bool takesFocus() const
    {
        return tabIndex != NoTab && kind != u"frame"_s && !kind.endsWith(u"label"_s) &&
               !(style & Hidden);
    }
};
using WindowDescription = std::vector<DescribedControl>;

// The folder field's text and the folder list's folder at start-up: the
// user's own folder, which each test works out for its system.
inline const QString StartFolder = u"<dossier de départ>"_s;

inline const WindowDescription &form1Description()
{
    using D = DescribedControl;
    static const WindowDescription rows = {
        {u"Frame3"_s, u"frame"_s, u"Form1"_s, 120, 120, 5775, 5535, u"Codes..."_s, 14, D::Plain},
        {u"Frame4"_s, u"frame"_s, u"Form1"_s, 6000, 120, 3615, 5535,
         u"Transformer pour tous les habillages..."_s, 23, D::Plain},
        {u"Command6"_s, u"command button"_s, u"Form1"_s, 120, 5760, 1575, 1215,
         u"Informations..."_s, 22, D::Plain},
        {u"Frame1"_s, u"frame"_s, u"Form1"_s, 1800, 5760, 4095, 1215,
         u"Changement d'Habillage..."_s, 2, D::Plain},
        {u"Frame2"_s, u"frame"_s, u"Form1"_s, 6000, 5760, 3615, 1215,
         u"Changement de caractère(s)"_s, 6, D::Plain},
        {u"txtHab1"_s, u"text box"_s, u"Form1"_s, 7560, 9120, 1575, 285, u"#333333"_s, 0,
         D::Hidden},
        {u"txtHab2"_s, u"text box"_s, u"Form1"_s, 7560, 9480, 1575, 285, u"#333333"_s, 1,
         D::Hidden},

        {u"Label1"_s, u"label"_s, u"Frame3"_s, 240, 360, 2055, 255, u"Code SkyBlog de la déco :"_s,
         18, D::Plain},
        {u"text1"_s, u"rich-text box"_s, u"Frame3"_s, 240, 600, 4575, 2415,
         u"Mettez ici votre code SkyBlog d'une déco...\n"_s, 16, D::Plain},
        {u"Command5"_s, u"command button"_s, u"Frame3"_s, 4920, 600, 735, 1215, u"Coller"_s, 21,
         D::Plain},
        {u"Command4"_s, u"command button"_s, u"Frame3"_s, 4920, 1920, 735, 1095, u"Eff"_s, 20,
         D::Plain},
        {u"Label2"_s, u"label"_s, u"Frame3"_s, 240, 3120, 2535, 255,
         u"Code SkyBlog pour votre article :"_s, 17, D::Plain},
        {u"text2"_s, u"rich-text box"_s, u"Frame3"_s, 240, 3360, 4575, 1935,
         u"Le code vous sera donné aprés une transformation...\n"_s, 15, D::Plain},
        {u"Command3"_s, u"command button"_s, u"Frame3"_s, 4920, 3360, 735, 1935, u"Copier"_s, 19,
         D::Bold},

        {u"Label8"_s, u"label"_s, u"Frame4"_s, 240, 360, 2535, 255, u"Nom des fichiers :"_s, 26,
         D::Plain},
        {u"Text6"_s, u"text box"_s, u"Frame4"_s, 240, 600, 1695, 285, u"habillage"_s, 27, D::Plain},
        {u"Label9"_s, u"label"_s, u"Frame4"_s, 2040, 600, 2535, 255, u"(1,2,3,4,...) .txt"_s, 28,
         D::Plain},
        {u"Label10"_s, u"label"_s, u"Frame4"_s, 240, 1080, 2535, 255, u"Habillage de base :"_s, 30,
         D::Plain},
        {u"Combo3"_s, u"combo box"_s, u"Frame4"_s, 240, 1320, 2295, 315, u"Habillage 15"_s, 29,
         D::Plain},
        {u"Label7"_s, u"label"_s, u"Frame4"_s, 240, 1800, 2535, 255,
         u"Chemin du dossier de stockage :"_s, 24, D::Plain},
        {u"Text5"_s, u"text box"_s, u"Frame4"_s, 240, 2040, 3255, 285, StartFolder, 25, D::Plain},
        {u"Dir1"_s, u"directory list box"_s, u"Frame4"_s, 240, 2400, 3255, 1890, StartFolder, 32,
         D::Plain},
        {u"Command8"_s, u"command button"_s, u"Frame4"_s, 240, 4440, 3255, 495,
         u"Créer les fichiers txt..."_s, 31, D::Bold},
        {u"Command7"_s, u"command button"_s, u"Frame4"_s, 240, 5040, 3255, 255,
         u"Aide pour cette option..."_s, 33, D::Plain},

        {u"Label3"_s, u"label"_s, u"Frame1"_s, 240, 360, 2055, 255, u"Remplacer :"_s, 10, D::Plain},
        {u"Combo1"_s, u"combo box"_s, u"Frame1"_s, 1320, 360, 1335, 315, u"Habillage 15"_s, 5,
         D::Plain},
        {u"Label5"_s, u"label"_s, u"Frame1"_s, 240, 720, 2055, 255, u"Par :"_s, 12, D::Plain},
        {u"Combo2"_s, u"combo box"_s, u"Frame1"_s, 1320, 720, 1335, 315, u"Habillage 1"_s, 4,
         D::Plain},
        {u"Command1"_s, u"command button"_s, u"Frame1"_s, 2760, 360, 1215, 615, u"Transformer"_s, 3,
         D::Plain},

        {u"Label4"_s, u"label"_s, u"Frame2"_s, 240, 360, 2055, 255, u"Remplacer :"_s, 11, D::Plain},
        {u"Text3"_s, u"text box"_s, u"Frame2"_s, 1320, 360, 855, 285, u"#000000"_s, 7, D::Plain},
        {u"Label6"_s, u"label"_s, u"Frame2"_s, 240, 720, 2055, 255, u"Par :"_s, 13, D::Plain},
        {u"Text4"_s, u"text box"_s, u"Frame2"_s, 1320, 720, 855, 285, u"#333333"_s, 8, D::Plain},
        {u"Command2"_s, u"command button"_s, u"Frame2"_s, 2280, 360, 1215, 615, u"Transformer"_s, 9,
         D::Plain},
    };
    return rows;
}

// The labels' widths and heights are what their texts measure in Verdana;
// the date and the addresses are the program's own.
inline const WindowDescription &form2Description()
{
    using D = DescribedControl;
    using namespace velbrisk::ui;
    static const WindowDescription rows = {
        {u"Image1"_s, u"image"_s, u"Form2"_s, 120, 120, 1455, 2055, {}, D::NoTab, D::Plain},
        {u"Shape1"_s, u"shape"_s, u"Form2"_s, 120, 120, 1455, 2055, {}, D::NoTab, D::Plain},
        {u"Label1"_s, u"label"_s, u"Form2"_s, 1800, 120, 420, 180, u"Nick :"_s, 0, D::Bold},
        {u"Label6"_s, u"label"_s, u"Form2"_s, 2400, 120, 2055, 180, u"ZeNdAl [ KwR-Production ]"_s,
         4, D::Plain},
        {u"Label2"_s, u"label"_s, u"Form2"_s, 1800, 480, 1455, 180, u"Date de naissance :"_s, 1,
         D::Bold},
        {u"Label7"_s, u"label"_s, u"Form2"_s, 3600, 480, 750, 180, BirthDate.toString(), 5,
         D::Plain},
        {u"Label4"_s, u"label"_s, u"Form2"_s, 1800, 960, 1020, 180, u"Blog officiel :"_s, 2,
         D::Bold},
        {u"Label9"_s, u"link label"_s, u"Form2"_s, 1800, 1200, 2355, 180,
         OfficialBlogAddress.toString(), 6, D::Plain},
        {u"Label5"_s, u"label"_s, u"Form2"_s, 1800, 1560, 885, 180, u"Blog perso :"_s, 3, D::Bold},
        {u"Label10"_s, u"link label"_s, u"Form2"_s, 1800, 1800, 2070, 180,
         PersonalBlogAddress.toString(), 7, D::Plain},
        {u"Picture7"_s, u"panel"_s, u"Form2"_s, 120, 2280, 4410, 450, {}, 8, D::Plain},
        {u"Command1"_s, u"command button"_s, u"Picture7"_s, 0, 0, 4335, 375, u"Fermer"_s, 9,
         D::Bold},
    };
    return rows;
}

inline const DescribedControl &described(const WindowDescription &window, const QString &name)
{
    const auto found = std::ranges::find(window, name, &DescribedControl::name);
    if (found == window.end())
        qFatal("no control %s in the description", qPrintable(name));
    return *found;
}

// The controls that take the focus, in the order of their tab indices.
inline QStringList tabOrder(const WindowDescription &window)
{
    WindowDescription focused;
    std::ranges::copy_if(window, std::back_inserter(focused), &DescribedControl::takesFocus);
    std::ranges::sort(focused, {}, &DescribedControl::tabIndex);
    QStringList names;
    for (const DescribedControl &c : focused)
        names.append(c.name);
    return names;
}

} // namespace testsupport
