// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Form2 as its description gives it: the window's own settings and the table
// of its controls. What screen readers are told stands in infoaccessible.h,
// the classes of its own kinds are made in infofactory.cpp.
#include "ui/info/infolayout.h"

#include "ui/common/colours.h"
#include "ui/common/fonts.h"
#include "ui/common/windowtable.h"
#include "ui/info/infoaccessible.h"
#include "ui/info/infofactory.h"
#include "ui/info/infowindow.h"

#include <QPushButton>

namespace velbrisk::ui {
namespace {

using namespace table;
using enum Kind;
using I = InfoWidgets;
using InfoSlot = std::variant<std::monostate, LinkLabel * I::*, QPushButton * I::*>;

// Where the client area lies when the window is loaded, in pixels.
constexpr int InfoLeft = 437;
constexpr int InfoTop = 75;
constexpr int InfoWidth = 312;
constexpr int InfoHeight = 187;

// The outline lies over the picture and frames it. A label is as large as
// its text: the widths and heights are what the texts measure in Verdana.
// clang-format off
constexpr Control<InfoSlot> InfoControls[] = {
//   name         kind    container   left   top  width height  text                          tab    colour          style                             widget
    {u"Image1",   Image,  u"",         120,  120,  1455,  2055,  u":/info/image1.png",         NoTab, KindColour,     Plain,                            {}},
    {u"Shape1",   Shape,  u"",         120,  120,  1455,  2055,  u"",                          NoTab, rgb(0x000000),  Plain,                            {}},
    {u"Label1",   Label,  u"",        1800,  120,   420,   180,  u"Nick :",                        0, rgb(0x000000),  Bold | AutoSize,                  {}},
    {u"Label2",   Label,  u"",        1800,  480,  1455,   180,  u"Date de naissance :",           1, rgb(0x000000),  Bold | AutoSize,                  {}},
    {u"Label4",   Label,  u"",        1800,  960,  1020,   180,  u"Blog officiel :",               2, rgb(0x000000),  Bold | AutoSize,                  {}},
    {u"Label5",   Label,  u"",        1800, 1560,   885,   180,  u"Blog perso :",                  3, rgb(0x000000),  Bold | AutoSize,                  {}},
    {u"Label6",   Label,  u"",        2400,  120,  2055,   180,  u"ZeNdAl [ KwR-Production ]",     4, rgb(0x000000),  AutoSize,                         {}},
    {u"Label7",   Label,  u"",        3600,  480,   750,   180,  BirthDate,                        5, rgb(0x000000),  AutoSize,                         {}},
    {u"Label9",   Link,   u"",        1800, 1200,  2355,   180,  OfficialBlogAddress,              6, rgb(0x0000FF),  Underline | AutoSize | HelpPointer, &I::officialBlog},
    {u"Label10",  Link,   u"",        1800, 1800,  2070,   180,  PersonalBlogAddress,              7, rgb(0x0000FF),  Underline | AutoSize | HelpPointer, &I::personalBlog},
    {u"Picture7", Panel,  u"",         120, 2280,  4410,   450,  u"",                              8, KindColour,     Plain,                            {}},
    {u"Command1", Button, u"Picture7",   0,    0,  4335,   375,  u"Fermer",                        9, rgb(0xFFFFFF),  Bold,                             &I::closeButton},
};
// clang-format on

static_assert(Checked<InfoControls, InfoSpeech>::value);

// Every member of InfoWidgets receives exactly one control, of its own type.
constexpr bool handedAsMade(const Control<InfoSlot> &c)
{
    return (c.kind == Link && holds<LinkLabel, I>(c.widget)) ||
           (c.kind == Button && holds<QPushButton, I>(c.widget));
}
static_assert(fillsEveryMemberOnce<I>(InfoControls, handedAsMade));

// Verdana 6.75 pt for every text.
QFont infoFont(Kind, int style)
{
    QFont font = verdanaFont(6.75, style & Bold);
    font.setUnderline(style & Underline);
    return font;
}

} // namespace

InfoWidgets buildInfoWindow(QWidget *window)
{
    const Look look{WindowBackground, KindColour,    infoFont,  false,
                    makeInfoControl,  infoInterface, InfoSpeech};
    InfoWidgets widgets = build<InfoWidgets>(window, InfoControls, look);
    window->setFixedSize(InfoWidth, InfoHeight);
    window->setGeometry(InfoLeft, InfoTop, InfoWidth, InfoHeight);
    return widgets;
}

} // namespace velbrisk::ui
