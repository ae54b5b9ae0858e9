// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Form1 as its description gives it: the window's own settings and the table
// of its controls. What screen readers are told stands in form1accessible.h,
// the classes of its own kinds are made in form1factory.cpp.
#include "ui/main/form1layout.h"

#include "ui/common/colours.h"
#include "ui/common/fonts.h"
#include "ui/common/windowtable.h"
#include "ui/main/codebox.h"
#include "ui/main/dirlist.h"
#include "ui/main/form1accessible.h"
#include "ui/main/form1factory.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace velbrisk::ui {
namespace {

using namespace table;
using enum Kind;
using W = Form1Widgets;
using Form1Slot = std::variant<std::monostate, CodeBox * W::*, QComboBox * W::*, QLineEdit * W::*,
                               DirList * W::*, QPushButton * W::*>;

// The window's own settings.
constexpr qreal FontPoints = 8.25;
constexpr qreal CodeFontPoints = 8.5;
// The client area, in pixels.
constexpr int Form1Width = 648;
constexpr int Form1Height = 473;

// clang-format off
constexpr Control<Form1Slot> Form1Controls[] = {
//   name         kind         container  left    top  width height  caption or initial text                                    tab colour          style     widget
    {u"Frame3",   Frame,       u"",        120,   120,  5775,  5535,  u"Codes...",                                               14, KindColour,     Plain,    {}},
    {u"Frame4",   Frame,       u"",       6000,   120,  3615,  5535,  u"Transformer pour tous les habillages...",                23, KindColour,     Plain,    {}},
    {u"Command6", Button,      u"",        120,  5760,  1575,  1215,  u"Informations...",                                        22, rgb(0xFFE0C0),  Plain,    &W::showInformation},
    {u"Frame1",   Frame,       u"",       1800,  5760,  4095,  1215,  u"Changement d'Habillage...",                               2, KindColour,     Plain,    {}},
    {u"Frame2",   Frame,       u"",       6000,  5760,  3615,  1215,  u"Changement de caractère(s)",                              6, KindColour,     Plain,    {}},
    {u"txtHab1",  TextBox,     u"",       7560,  9120,  1575,   285,  u"#333333",                                                 0, KindColour,     Hidden,   &W::baseColour},
    {u"txtHab2",  TextBox,     u"",       7560,  9480,  1575,   285,  u"#333333",                                                 1, KindColour,     Hidden,   &W::targetColour},

    {u"Label1",   Label,       u"Frame3",  240,   360,  2055,   255,  u"Code SkyBlog de la déco :",                              18, rgb(0x000000),  Plain,    {}},
    {u"text1",    RichTextBox, u"Frame3",  240,   600,  4575,  2415,  u"Mettez ici votre code SkyBlog d'une déco...\n",          16, KindColour,     Plain,    &W::inputCode},
    {u"Command5", Button,      u"Frame3", 4920,   600,   735,  1215,  u"Coller",                                                 21, rgb(0xFFFFFF),  Plain,    &W::pasteInput},
    {u"Command4", Button,      u"Frame3", 4920,  1920,   735,  1095,  u"Eff",                                                    20, rgb(0xFFFFFF),  Plain,    &W::clearInput},
    {u"Label2",   Label,       u"Frame3",  240,  3120,  2535,   255,  u"Code SkyBlog pour votre article :",                      17, KindColour,     Plain,    {}},
    {u"text2",    RichTextBox, u"Frame3",  240,  3360,  4575,  1935,  u"Le code vous sera donné aprés une transformation...\n",  15, KindColour,     Plain,    &W::outputCode},
    {u"Command3", Button,      u"Frame3", 4920,  3360,   735,  1935,  u"Copier",                                                 19, rgb(0xC0FFFF),  Bold,     &W::copyOutput},

    {u"Label8",   Label,       u"Frame4",  240,   360,  2535,   255,  u"Nom des fichiers :",                                     26, rgb(0x000000),  Plain,    {}},
    {u"Text6",    TextBox,     u"Frame4",  240,   600,  1695,   285,  u"habillage",                                              27, KindColour,     Plain,    &W::prefix},
    {u"Label9",   Label,       u"Frame4", 2040,   600,  2535,   255,  u"(1,2,3,4,...) .txt",                                     28, rgb(0x000000),  Plain,    {}},
    {u"Label10",  Label,       u"Frame4",  240,  1080,  2535,   255,  u"Habillage de base :",                                    30, rgb(0x000000),  Plain,    {}},
    {u"Combo3",   Combo,       u"Frame4",  240,  1320,  2295,   315,  u"Habillage 15",                                           29, KindColour,     Plain,    &W::batchBaseSkin},
    {u"Label7",   Label,       u"Frame4",  240,  1800,  2535,   255,  u"Chemin du dossier de stockage :",                        24, rgb(0x000000),  Plain,    {}},
    {u"Text5",    TextBox,     u"Frame4",  240,  2040,  3255,   285,  UsersFolder,                                               25, KindColour,     Plain,    &W::folder},
    {u"Dir1",     DirListBox,  u"Frame4",  240,  2400,  3255,  1890,  u"",                                                       32, KindColour,     Plain,    &W::folderList},
    {u"Command8", Button,      u"Frame4",  240,  4440,  3255,   495,  u"Créer les fichiers txt...",                              31, rgb(0xC0FFC0),  Bold,     &W::writeAllSkins},
    {u"Command7", Button,      u"Frame4",  240,  5040,  3255,   255,  u"Aide pour cette option...",                              33, rgb(0xFFFFFF),  Plain,    &W::showHelp},

    {u"Label3",   Label,       u"Frame1",  240,   360,  2055,   255,  u"Remplacer :",                                            10, KindColour,     Plain,    {}},
    {u"Combo1",   Combo,       u"Frame1", 1320,   360,  1335,   315,  u"Habillage 15",                                            5, KindColour,     Plain,    &W::baseSkin},
    {u"Label5",   Label,       u"Frame1",  240,   720,  2055,   255,  u"Par :",                                                  12, KindColour,     Plain,    {}},
    {u"Combo2",   Combo,       u"Frame1", 1320,   720,  1335,   315,  u"Habillage 1",                                             4, KindColour,     Plain,    &W::targetSkin},
    {u"Command1", Button,      u"Frame1", 2760,   360,  1215,   615,  u"Transformer",                                             3, rgb(0xFFFFFF),  Plain,    &W::convertSkin},

    {u"Label4",   Label,       u"Frame2",  240,   360,  2055,   255,  u"Remplacer :",                                            11, KindColour,     Plain,    {}},
    {u"Text3",    TextBox,     u"Frame2", 1320,   360,   855,   285,  u"#000000",                                                 7, KindColour,     Plain,    &W::searchText},
    {u"Label6",   Label,       u"Frame2",  240,   720,  2055,   255,  u"Par :",                                                  13, KindColour,     Plain,    {}},
    {u"Text4",    TextBox,     u"Frame2", 1320,   720,   855,   285,  u"#333333",                                                 8, KindColour,     Plain,    &W::replacementText},
    {u"Command2", Button,      u"Frame2", 2280,   360,  1215,   615,  u"Transformer",                                             9, rgb(0xFFFFFF),  Plain,    &W::replaceText},
};
// clang-format on

static_assert(Checked<Form1Controls, Form1Speech>::value);

// Every member of Form1Widgets receives exactly one control, of its own type.
constexpr bool handedAsMade(const Control<Form1Slot> &c)
{
    switch (c.kind) {
    case Button:
        return holds<QPushButton, W>(c.widget);
    case TextBox:
        return holds<QLineEdit, W>(c.widget);
    case Combo:
        return holds<QComboBox, W>(c.widget);
    case DirListBox:
        return holds<DirList, W>(c.widget);
    case RichTextBox:
        return holds<CodeBox, W>(c.widget);
    default:
        return false;
    }
}
static_assert(fillsEveryMemberOnce<W>(Form1Controls, handedAsMade));

// Tahoma throughout, frame captions in bold, the codes a little larger.
QFont form1Font(Kind kind, int style)
{
    return tahomaFont(kind == RichTextBox ? CodeFontPoints : FontPoints,
                      kind == Frame || (style & Bold));
}

} // namespace

Form1Widgets buildForm1(QWidget *window)
{
    const Look look{WindowBackground, rgb(Ink),       form1Font,  true,
                    makeForm1Control, form1Interface, Form1Speech};
    Form1Widgets widgets = build<Form1Widgets>(window, Form1Controls, look);
    window->resize(Form1Width, Form1Height);
    return widgets;
}

} // namespace velbrisk::ui
