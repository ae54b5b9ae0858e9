// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Form2 as its description gives it: the window's own settings and the table
// of its controls, each with what screen readers are told of it; then how
// the controls of its own kinds are made, and the interfaces of its own
// classes.
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/windowtable.h"
#include "ui/info/infowindow.h"
#include "ui/info/linklabel_p.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <QPushButton>

namespace velbrisk::ui {
namespace {

using namespace table;
using enum Kind;
using I = InfoWidgets;

// Where the client area lies when the window is loaded, in pixels.
constexpr int InfoLeft = 437;
constexpr int InfoTop = 75;
constexpr int InfoWidth = 312;
constexpr int InfoHeight = 187;

// The outline lies over the picture and frames it. A label is as large as
// its text: the widths and heights are what the texts measure in Verdana.
// clang-format off
constexpr Control<I> InfoControls[] = {
//   name         kind    container   left   top  width height  text                          tab    colour          style                             member of InfoWidgets, and what a screen reader is told: name, description
    {u"Image1",   Image,  u"",         120,  120,  1455,  2055,  u":/info/image1.png",         NoTab, KindColour,     Plain,                            {},                       u"Portrait de ZeNdAl",      u"L'auteur, casque sur les oreilles, sous un ciel de nuit"},
    {u"Shape1",   Shape,  u"",         120,  120,  1455,  2055,  u"",                          NoTab, rgb(0x000000),  Plain},
    {u"Label1",   Label,  u"",        1800,  120,   420,   180,  u"Nick :",                        0, rgb(0x000000),  Bold | AutoSize},
    {u"Label2",   Label,  u"",        1800,  480,  1455,   180,  u"Date de naissance :",           1, rgb(0x000000),  Bold | AutoSize},
    {u"Label4",   Label,  u"",        1800,  960,  1020,   180,  u"Blog officiel :",               2, rgb(0x000000),  Bold | AutoSize},
    {u"Label5",   Label,  u"",        1800, 1560,   885,   180,  u"Blog perso :",                  3, rgb(0x000000),  Bold | AutoSize},
    {u"Label6",   Label,  u"",        2400,  120,  2055,   180,  u"ZeNdAl [ KwR-Production ]",     4, rgb(0x000000),  AutoSize},
    {u"Label7",   Label,  u"",        3600,  480,   750,   180,  BirthDate,                        5, rgb(0x000000),  AutoSize},
    {u"Label9",   Link,   u"",        1800, 1200,  2355,   180,  OfficialBlogAddress,              6, rgb(0x0000FF),  Underline | AutoSize | HelpPointer, to<&I::officialBlog>},
    {u"Label10",  Link,   u"",        1800, 1800,  2070,   180,  PersonalBlogAddress,              7, rgb(0x0000FF),  Underline | AutoSize | HelpPointer, to<&I::personalBlog>},
    {u"Picture7", Panel,  u"",         120, 2280,  4410,   450,  u"",                              8, KindColour,     Plain,                            {},                       u"Fermeture de la fenêtre"},
    {u"Command1", Button, u"Picture7",   0,    0,  4335,   375,  u"Fermer",                        9, rgb(0xFFFFFF),  Bold,                             to<&I::closeButton>,      {},                         u"Ferme la fenêtre d'information"},
};
// clang-format on

static_assert(Checked<InfoControls>::value);

// Verdana 6.75 pt for every text.
QFont infoFont(Kind, int style)
{
    QFont font = verdanaFont(6.75, style & Bold);
    font.setUnderline(style & Underline);
    return font;
}

// A one-pixel outline, transparent inside, and to the mouse.
class Outline : public QWidget
{
public:
    Outline(const QColor &outline, QWidget *parent) : QWidget(parent), m_outline(outline)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(QPen(m_outline, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    QColor m_outline;
};

// A link label showing `text` or the outline, as the row's kind says; the
// builder makes the other kinds.
QWidget *makeInfoControl(const Row &control, const QString &text, QWidget *container)
{
    switch (control.kind) {
    case Link:
        return new LinkLabel(text, container);
    case Shape:
        return new Outline(QColor(control.colour), container);
    default:
        qFatal("Form2 has no control of its own of kind %d", int(control.kind));
    }
}

// A link label reads as a link, the window as a window, and the panel under
// "Fermer" as a panel rather than as a border.
QAccessibleInterface *infoInterface(const QString &className, QObject *object)
{
    if (className == QLatin1StringView(InfoWindow::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    if (className == u"QFrame" && qobject_cast<InfoWindow *>(object->parent()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Grouping);
    return linkLabelInterface(className, object);
}

} // namespace

InfoWidgets buildInfoWindow(QWidget *window)
{
    const Look look{.face = WindowBackground,
                    .ink = KindColour,
                    .font = infoFont,
                    .windowFont = false,
                    .make = makeInfoControl,
                    .interfaces = infoInterface};
    InfoWidgets widgets = build(window, InfoControls, look);
    window->setFixedSize(InfoWidth, InfoHeight);
    window->setGeometry(InfoLeft, InfoTop, InfoWidth, InfoHeight);
    return widgets;
}

} // namespace velbrisk::ui
