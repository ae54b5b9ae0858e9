// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main/form1layout.h"

#include "core/startfolders.h"
#include "ui/common/colours.h"
#include "ui/common/fonts.h"
#include "ui/main/codebox.h"
#include "ui/main/dirlist.h"
#include "ui/main/form1accessible.h"
#include "ui/main/skinbox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <string_view>
#include <variant>
#include <vector>

using namespace Qt::StringLiterals;

namespace velbrisk::ui {
namespace {

enum class Kind
{
    Frame,       // a frame with its caption in the top border
    Label,       // one line of text, the colour beneath showing through
    Button,      // a push button with its own face colour
    TextBox,     // one line of text
    Combo,       // a skin box
    DirListBox,  // the folder list
    RichTextBox, // a box of several lines holding a code
};

enum Flags
{
    Plain = 0,
    Bold = 1,     // caption in bold
    BlackInk = 2, // label text in black rather than the button-text colour
    Hidden = 4,   // never shown, never focused
};

constexpr QRgb NoFace = 0; // the style's own face colour
constexpr QRgb rgb(QRgb colour)
{
    return 0xff000000u | colour;
}

// The folder field starts on the user's own folder: the home folder, the
// Documents folder on Windows ("~" stands for it).
constexpr QStringView StartFolder = u"~";

using W = Form1Widgets;
using Slot = std::variant<std::monostate, CodeBox * W::*, QComboBox * W::*, QLineEdit * W::*,
                          DirList * W::*, QPushButton * W::*>;

// The names are the controls' own ("Command8", "text1"...), set as their
// object names: the tests and the end-to-end harness find each control by
// its name.
struct Control
{
    QStringView name;
    Kind kind;
    QStringView container;        // empty: the window itself
    int left, top, width, height; // twips, from the container's top-left corner
    QStringView text;             // caption or initial text
    int tabIndex;
    QRgb face;
    int flags;
    Slot widget; // where buildForm1 hands the control to the window
};

using enum Kind;

// clang-format off
constexpr Control Form1Controls[] = {
//   name         kind         container   left    top  width height  caption or initial text                                   tab  face            flags     widget
    {u"Frame3",   Frame,       u"",         120,   120,  5775,  5535,  u"Codes...",                                              14, NoFace,         Plain,    {}},
    {u"Frame4",   Frame,       u"",        6000,   120,  3615,  5535,  u"Transformer pour tous les habillages...",               23, NoFace,         Plain,    {}},
    {u"Command6", Button,      u"",         120,  5760,  1575,  1215,  u"Informations...",                                       22, rgb(0xFFE0C0),  Plain,    &W::showInformation},
    {u"Frame1",   Frame,       u"",        1800,  5760,  4095,  1215,  u"Changement d'Habillage...",                              2, NoFace,         Plain,    {}},
    {u"Frame2",   Frame,       u"",        6000,  5760,  3615,  1215,  u"Changement de caractère(s)",                             6, NoFace,         Plain,    {}},
    {u"txtHab1",  TextBox,     u"",        7560,  9120,  1575,   285,  u"#333333",                                                0, NoFace,         Hidden,   &W::baseColour},
    {u"txtHab2",  TextBox,     u"",        7560,  9480,  1575,   285,  u"#333333",                                                1, NoFace,         Hidden,   &W::targetColour},

    {u"Label1",   Label,       u"Frame3",   240,   360,  2055,   255,  u"Code SkyBlog de la déco :",                             18, NoFace,         BlackInk, {}},
    {u"text1",    RichTextBox, u"Frame3",   240,   600,  4575,  2415,  u"Mettez ici votre code SkyBlog d'une déco...\n",         16, NoFace,         Plain,    &W::inputCode},
    {u"Command5", Button,      u"Frame3",  4920,   600,   735,  1215,  u"Coller",                                                21, rgb(0xFFFFFF),  Plain,    &W::pasteInput},
    {u"Command4", Button,      u"Frame3",  4920,  1920,   735,  1095,  u"Eff",                                                   20, rgb(0xFFFFFF),  Plain,    &W::clearInput},
    {u"Label2",   Label,       u"Frame3",   240,  3120,  2535,   255,  u"Code SkyBlog pour votre article :",                     17, NoFace,         Plain,    {}},
    {u"text2",    RichTextBox, u"Frame3",   240,  3360,  4575,  1935,  u"Le code vous sera donné aprés une transformation...\n",  15, NoFace,         Plain,    &W::outputCode},
    {u"Command3", Button,      u"Frame3",  4920,  3360,   735,  1935,  u"Copier",                                                19, rgb(0xC0FFFF),  Bold,     &W::copyOutput},

    {u"Label8",   Label,       u"Frame4",   240,   360,  2535,   255,  u"Nom des fichiers :",                                    26, NoFace,         BlackInk, {}},
    {u"Text6",    TextBox,     u"Frame4",   240,   600,  1695,   285,  u"habillage",                                             27, NoFace,         Plain,    &W::prefix},
    {u"Label9",   Label,       u"Frame4",  2040,   600,  2535,   255,  u"(1,2,3,4,...) .txt",                                    28, NoFace,         BlackInk, {}},
    {u"Label10",  Label,       u"Frame4",   240,  1080,  2535,   255,  u"Habillage de base :",                                   30, NoFace,         BlackInk, {}},
    {u"Combo3",   Combo,       u"Frame4",   240,  1320,  2295,   315,  u"Habillage 15",                                          29, NoFace,         Plain,    &W::batchBaseSkin},
    {u"Label7",   Label,       u"Frame4",   240,  1800,  2535,   255,  u"Chemin du dossier de stockage :",                       24, NoFace,         BlackInk, {}},
    {u"Text5",    TextBox,     u"Frame4",   240,  2040,  3255,   285,  StartFolder,                                              25, NoFace,         Plain,    &W::folder},
    {u"Dir1",     DirListBox,  u"Frame4",   240,  2400,  3255,  1890,  u"",                                                      32, NoFace,         Plain,    &W::folderList},
    {u"Command8", Button,      u"Frame4",   240,  4440,  3255,   495,  u"Créer les fichiers txt...",                             31, rgb(0xC0FFC0),  Bold,     &W::writeAllSkins},
    {u"Command7", Button,      u"Frame4",   240,  5040,  3255,   255,  u"Aide pour cette option...",                             33, rgb(0xFFFFFF),  Plain,    &W::showHelp},

    {u"Label3",   Label,       u"Frame1",   240,   360,  2055,   255,  u"Remplacer :",                                           10, NoFace,         Plain,    {}},
    {u"Combo1",   Combo,       u"Frame1",  1320,   360,  1335,   315,  u"Habillage 15",                                           5, NoFace,         Plain,    &W::baseSkin},
    {u"Label5",   Label,       u"Frame1",   240,   720,  2055,   255,  u"Par :",                                                 12, NoFace,         Plain,    {}},
    {u"Combo2",   Combo,       u"Frame1",  1320,   720,  1335,   315,  u"Habillage 1",                                            4, NoFace,         Plain,    &W::targetSkin},
    {u"Command1", Button,      u"Frame1",  2760,   360,  1215,   615,  u"Transformer",                                            3, rgb(0xFFFFFF),  Plain,    &W::convertSkin},

    {u"Label4",   Label,       u"Frame2",   240,   360,  2055,   255,  u"Remplacer :",                                           11, NoFace,         Plain,    {}},
    {u"Text3",    TextBox,     u"Frame2",  1320,   360,   855,   285,  u"#000000",                                                7, NoFace,         Plain,    &W::searchText},
    {u"Label6",   Label,       u"Frame2",   240,   720,  2055,   255,  u"Par :",                                                 13, NoFace,         Plain,    {}},
    {u"Text4",    TextBox,     u"Frame2",  1320,   720,   855,   285,  u"#333333",                                                8, NoFace,         Plain,    &W::replacementText},
    {u"Command2", Button,      u"Frame2",  2280,   360,  1215,   615,  u"Transformer",                                            9, rgb(0xFFFFFF),  Plain,    &W::replaceText},
};
// clang-format on

// What a screen reader says of a control, beyond its role: the caption a
// sighted person reads beside it, and its frame where two fields share one.
// A button keeps its caption as name. Controls not listed say their own text.
struct Speech
{
    QStringView control;
    QStringView name;
    QStringView description;
};

// clang-format off
constexpr Speech Form1Speech[] = {
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

constexpr bool sameName(QStringView a, QStringView b)
{
    return std::u16string_view(a.utf16(), size_t(a.size())) ==
           std::u16string_view(b.utf16(), size_t(b.size()));
}

// Only controls that take the focus are spoken of, each once.
constexpr bool speaksOfFocusedControlsOnce()
{
    for (const Speech &s : Form1Speech) {
        const auto same = [&](QStringView name) { return sameName(name, s.control); };
        if (std::ranges::count_if(Form1Speech, [&](const Speech &o) { return same(o.control); }) !=
            1)
            return false;
        if (std::ranges::count_if(Form1Controls, [&](const Control &c) {
                return same(c.name) && c.kind != Frame && c.kind != Label && !(c.flags & Hidden);
            }) != 1)
            return false;
    }
    return true;
}
static_assert(speaksOfFocusedControlsOnce());

constexpr int TwipsPerPixel = 15;

constexpr int pixels(int twips)
{
    return twips / TwipsPerPixel;
}

// Every place and size falls on a whole pixel.
static_assert(std::ranges::all_of(Form1Controls, [](const Control &c) {
    return c.left % TwipsPerPixel == 0 && c.top % TwipsPerPixel == 0 &&
           c.width % TwipsPerPixel == 0 && c.height % TwipsPerPixel == 0;
}));
static_assert(std::size(Form1Controls) == 34);

// Each container is a frame placed before the controls it holds.
constexpr bool containersComeFirst()
{
    for (auto c = std::begin(Form1Controls); c != std::end(Form1Controls); ++c) {
        if (!c->container.isEmpty() &&
            std::none_of(std::begin(Form1Controls), c, [&](const Control &f) {
                return f.kind == Frame && sameName(f.name, c->container);
            }))
            return false;
    }
    return true;
}
static_assert(containersComeFirst());

// Every member of Form1Widgets receives exactly one control, of its own type.
template <typename T> constexpr bool holds(const Slot &slot)
{
    return std::holds_alternative<T * W::*>(slot);
}

// Stands for any control in a brace list of Form1Widgets.
struct AnyControl
{
    template <typename T> constexpr operator T *() const { return nullptr; }
};

// How many members Form1Widgets has: the most controls a brace list of it
// takes. All are pointers to controls; a member of another kind would stop
// the count short, and the check below would fail.
template <typename... Controls> constexpr int widgetMembers()
{
    if constexpr (requires { W{Controls{}..., AnyControl{}}; })
        return widgetMembers<Controls..., AnyControl>();
    else
        return int(sizeof...(Controls));
}

constexpr bool fillsEveryWidgetOnce()
{
    int filled = 0;
    for (const Control &c : Form1Controls) {
        if (std::holds_alternative<std::monostate>(c.widget))
            continue;
        ++filled;
        const bool typed = (c.kind == Button && holds<QPushButton>(c.widget)) ||
                           (c.kind == TextBox && holds<QLineEdit>(c.widget)) ||
                           (c.kind == Combo && holds<QComboBox>(c.widget)) ||
                           (c.kind == DirListBox && holds<DirList>(c.widget)) ||
                           (c.kind == RichTextBox && holds<CodeBox>(c.widget));
        if (!typed || std::ranges::count(Form1Controls, c.widget, &Control::widget) != 1)
            return false;
    }
    return filled == widgetMembers();
}
static_assert(fillsEveryWidgetOnce());

// The window's own settings.
constexpr QRgb FieldBackground = 0xFFFFFF;
constexpr qreal FontPoints = 8.25;
constexpr qreal CodeFontPoints = 8.5;

// The client area, in pixels.
constexpr int Form1Width = 648;
constexpr int Form1Height = 473;

void setColour(QWidget *widget, QPalette::ColorRole role, QRgb rgb)
{
    QPalette palette = widget->palette();
    palette.setColor(role, QColor::fromRgb(rgb));
    widget->setPalette(palette);
}

void setFieldColours(QWidget *widget)
{
    setColour(widget, QPalette::Base, FieldBackground);
    setColour(widget, QPalette::Text, Ink);
}

QString initialText(const Control &c)
{
    if (c.text == u"~")
        return UserFolder();
    return c.text.toString();
}

// Hands a control to its member of Form1Widgets, if it has one.
template <typename T> void hand(const Control &c, T *widget, Form1Widgets &widgets)
{
    if (const auto member = std::get_if<T * W::*>(&c.widget))
        widgets.*(*member) = widget;
}

QWidget *create(const Control &c, QWidget *container, Form1Widgets &widgets)
{
    const QString text = initialText(c);
    QWidget *widget = nullptr;
    switch (c.kind) {
    case Frame: {
        auto *frame = new QGroupBox(text, container);
        setColour(frame, QPalette::WindowText, frame->palette().color(QPalette::ButtonText).rgb());
        widget = frame;
        break;
    }
    case Label: {
        auto *label = new QLabel(text, container);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(false);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (c.flags & BlackInk)
            setColour(label, QPalette::WindowText, Ink);
        else
            setColour(label, QPalette::WindowText,
                      label->palette().color(QPalette::ButtonText).rgb());
        widget = label;
        break;
    }
    case Button: {
        auto *button = new QPushButton(text, container);
        button->setAutoDefault(false);
        button->setDefault(false);
        setColour(button, QPalette::Button, c.face);
        hand(c, button, widgets);
        widget = button;
        break;
    }
    case TextBox: {
        auto *box = new QLineEdit(text, container);
        box->setAlignment(Qt::AlignLeft);
        box->setCursorPosition(0);
        if (!(c.flags & Hidden))
            setFieldColours(box);
        hand(c, box, widgets);
        widget = box;
        break;
    }
    case Combo: {
        QComboBox *combo = new SkinBox(text, container);
        setFieldColours(combo);
        hand(c, combo, widgets);
        widget = combo;
        break;
    }
    case DirListBox: {
        auto *list = new DirList(container);
        hand(c, list, widgets);
        widget = list;
        break;
    }
    case RichTextBox: {
        auto *box = new CodeBox(container);
        box->setFont(tahomaFont(CodeFontPoints));
        // The initial text is where the history starts, no step of it.
        box->setPlainText(text);
        hand(c, box, widgets);
        widget = box;
        break;
    }
    }
    widget->setObjectName(c.name.toString());
    for (const Speech &s : Form1Speech) {
        if (s.control == c.name) {
            widget->setAccessibleName(s.name.toString());
            widget->setAccessibleDescription(s.description.toString());
        }
    }
    // Frame captions are always bold; their controls set their own fonts.
    if (c.kind != RichTextBox)
        widget->setFont(tahomaFont(FontPoints, c.kind == Frame || (c.flags & Bold)));
    widget->setGeometry(pixels(c.left), pixels(c.top), pixels(c.width), pixels(c.height));
    return widget;
}

bool takesFocus(const Control &c)
{
    return c.kind != Frame && c.kind != Label && !(c.flags & Hidden);
}

} // namespace

Form1Widgets buildForm1(QWidget *window)
{
    installForm1Accessibility();
    window->setAutoFillBackground(true);
    setColour(window, QPalette::Window, WindowBackground);
    setColour(window, QPalette::WindowText, Ink);
    window->setFont(tahomaFont(FontPoints));

    Form1Widgets widgets;
    std::vector<std::pair<QStringView, QWidget *>> frames;
    std::vector<std::pair<int, QWidget *>> tabOrder;
    for (const Control &c : Form1Controls) {
        QWidget *container = window;
        for (const auto &[name, frame] : frames) {
            if (name == c.container)
                container = frame;
        }
        QWidget *widget = create(c, container, widgets);
        if (c.kind == Frame)
            frames.emplace_back(c.name, widget);
        if (c.flags & Hidden)
            widget->hide();
        if (c.kind == Label)
            widget->lower(); // fields lie over the right part of their labels
        if (takesFocus(c))
            tabOrder.emplace_back(c.tabIndex, widget);
        else
            widget->setFocusPolicy(Qt::NoFocus);
    }

    std::ranges::sort(tabOrder);
    for (size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    tabOrder.front().second->setFocus();
    window->resize(Form1Width, Form1Height);
    return widgets;
}

} // namespace velbrisk::ui
