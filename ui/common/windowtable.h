// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// A window as a table of its controls, in the words and numbers of the
// window's own description, and the one builder both windows are made by.
//
// Each window writes its table once (ui/main/form1layout.cpp,
// ui/info/infolayout.cpp), what screen readers are told beside it
// (form1accessible.h, infoaccessible.h), and makes the controls of its own
// classes in its factory; the checks below hold every table at compile time.
#pragma once

#include <QAccessible>
#include <QColor>
#include <QFont>
#include <QStringView>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <span>
#include <string_view>
#include <variant>

class QWidget;

namespace velbrisk::ui::table {

enum class Kind
{
    Frame,       // a frame with its caption in the top border
    Label,       // one line of text, the colour beneath showing through
    Link,        // a label that is clicked
    Button,      // a push button with its own face colour
    TextBox,     // one line of text
    Combo,       // an editable drop-down list
    DirListBox,  // the folder list
    RichTextBox, // a box of several lines holding a code
    Image,       // a picture stretched over its place
    Shape,       // an outline, transparent inside
    Panel,       // a sunken panel in the button-face colour, holding controls
};

enum Style
{
    Plain = 0,
    Bold = 1,        // text in bold
    Underline = 2,   // text underlined
    Hidden = 4,      // never shown, never focused
    AutoSize = 8,    // a label as large as its text, which its width and height measure
    HelpPointer = 16 // the help cursor over it
};

// No colour of the control's own: its kind's.
inline constexpr QRgb KindColour = 0;
constexpr QRgb rgb(QRgb colour)
{
    return 0xff000000u | colour;
}

// The initial text of a folder field that starts on the user's own folder:
// the home folder, the Documents folder on Windows.
inline constexpr QStringView UsersFolder = u"~";

// A control without a tab index, a picture or a shape.
inline constexpr int NoTab = -1;

inline constexpr int TwipsPerPixel = 15;
constexpr int pixels(int twips)
{
    return twips / TwipsPerPixel;
}

// One row of a window's table. The names are the controls' own ("Command8",
// "text1"...), set as their object names: the tests and the end-to-end
// harness find each control by its name. `Slot` says where the builder hands
// the control to the window: a std::variant of std::monostate (nowhere) and
// pointers to the members of the window's struct of controls.
template <typename Slot> struct Control
{
    QStringView name;
    Kind kind;
    QStringView container;        // empty: the window itself
    int left, top, width, height; // twips, from the container's top-left corner
    QStringView text;             // caption, initial text or the picture's resource
    int tabIndex;
    QRgb colour; // a button's face, a label's ink, a shape's outline
    int style;
    Slot widget;

    // The row without its slot, for the part of the builder that is the same
    // for every window.
    constexpr Control<std::monostate> untyped() const
    {
        return {name, kind, container, left, top, width, height, text, tabIndex, colour, style, {}};
    }
};
using Row = Control<std::monostate>;

// What a screen reader says of a control beyond its role: the caption a
// sighted person reads beside it, and its frame where two fields share one.
// A button keeps its caption as name. Controls not listed say their own text.
struct Speech
{
    QStringView control;
    QStringView name;
    QStringView description;
};

// What a window's controls share beyond their rows.
struct Look
{
    QRgb face;                      // the window's background
    QRgb ink;                       // the window's text colour; KindColour: the style's
    QFont (*font)(Kind, int style); // of a control that shows text (and of the window)
    bool windowFont;                // whether the window itself is set in font(Label, Plain)
    // Makes a control of a kind the window has a class of its own for
    // (Combo, DirListBox, RichTextBox, Link, Shape); the builder does the rest.
    QWidget *(*make)(const Row &control, const QString &text, QWidget *container);
    // The interfaces of the window's own classes, installed before any
    // control exists: an interface, once asked for, is kept.
    QAccessible::InterfaceFactory interfaces;
    std::span<const Speech> speech;
};

constexpr bool sameName(QStringView a, QStringView b)
{
    return std::u16string_view(a.utf16(), size_t(a.size())) ==
           std::u16string_view(b.utf16(), size_t(b.size()));
}

// Frames, labels, pictures, shapes and hidden fields never take the focus.
constexpr bool takesFocus(Kind kind, int style)
{
    using enum Kind;
    return kind != Frame && kind != Label && kind != Link && kind != Image && kind != Shape &&
           !(style & Hidden);
}

// Every place and size falls on a whole pixel.
template <typename Table> constexpr bool onWholePixels(const Table &controls)
{
    return std::ranges::all_of(controls, [](const auto &c) {
        return c.left % TwipsPerPixel == 0 && c.top % TwipsPerPixel == 0 &&
               c.width % TwipsPerPixel == 0 && c.height % TwipsPerPixel == 0;
    });
}

// No two controls share a name, and each container is a frame or a panel
// placed before the controls it holds.
template <typename Table> constexpr bool namedOnceContainersFirst(const Table &controls)
{
    for (auto c = std::begin(controls); c != std::end(controls); ++c) {
        const auto named = [&](QStringView name) {
            return [name](const auto &o) { return sameName(o.name, name); };
        };
        if (std::count_if(std::begin(controls), std::end(controls), named(c->name)) != 1)
            return false;
        if (!c->container.isEmpty() && std::none_of(std::begin(controls), c, [&](const auto &f) {
                return (f.kind == Kind::Frame || f.kind == Kind::Panel) &&
                       sameName(f.name, c->container);
            }))
            return false;
    }
    return true;
}

// The tab indices number the controls that have one from 0, without gaps.
template <typename Table> constexpr bool tabIndicesWithoutGaps(const Table &controls)
{
    const auto numbered =
        std::ranges::count_if(controls, [](const auto &c) { return c.tabIndex != NoTab; });
    for (int index = 0; index < numbered; ++index) {
        if (std::ranges::count(controls, index, [](const auto &c) { return c.tabIndex; }) != 1)
            return false;
    }
    return true;
}

// Each row of the screen-reader table speaks of one control of the window,
// one that says no text of its own (no frame, no label, no hidden field), and
// no control is spoken of twice.
template <typename Table>
constexpr bool speaksOfEachControlOnce(const Table &controls, std::span<const Speech> speech)
{
    for (const Speech &s : speech) {
        if (std::ranges::count_if(
                speech, [&](const Speech &o) { return sameName(o.control, s.control); }) != 1)
            return false;
        if (std::ranges::count_if(controls, [&](const auto &c) {
                return sameName(c.name, s.control) && c.kind != Kind::Frame &&
                       c.kind != Kind::Label && !(c.style & Hidden);
            }) != 1)
            return false;
    }
    return true;
}

// Every check above, on one window's table and screen-reader table:
// static_assert(table::Checked<Controls, Speech>::value).
template <const auto &Controls, const auto &Speech> struct Checked
{
    static_assert(onWholePixels(Controls), "a place or size between two pixels");
    static_assert(namedOnceContainersFirst(Controls),
                  "a name twice, or a container after its controls");
    static_assert(tabIndicesWithoutGaps(Controls), "tab indices with a gap or twice the same");
    static_assert(speaksOfEachControlOnce(Controls, Speech),
                  "a screen-reader row for no control, or twice");
    static constexpr bool value = true;
};

// Stands for any control in a brace list of a struct of controls.
struct AnyControl
{
    template <typename T> constexpr operator T *() const { return nullptr; }
};

// How many members a struct of controls has: the most controls a brace list
// of it takes. All are pointers to controls; a member of another kind would
// stop the count short, and the check below would fail.
template <typename Widgets, typename... Controls> constexpr int widgetMembers()
{
    if constexpr (requires { Widgets{Controls{}..., AnyControl{}}; })
        return widgetMembers<Widgets, Controls..., AnyControl>();
    else
        return int(sizeof...(Controls));
}

// Whether a row hands its control to a member of `Widgets` of type T *.
template <typename T, typename Widgets, typename Slot> constexpr bool holds(const Slot &slot)
{
    return std::holds_alternative<T * Widgets::*>(slot);
}

// Every member of `Widgets` receives exactly one control, of a type that
// `typed` says the control's kind is made of.
template <typename Widgets, typename Table, typename Typed>
constexpr bool fillsEveryMemberOnce(const Table &controls, Typed typed)
{
    int filled = 0;
    for (const auto &c : controls) {
        if (std::holds_alternative<std::monostate>(c.widget))
            continue;
        ++filled;
        if (!typed(c) ||
            std::ranges::count(controls, c.widget, [](const auto &o) { return o.widget; }) != 1)
            return false;
    }
    return filled == widgetMembers<Widgets>();
}

// Builds the controls of one window in the order of its table, then their
// tab order; the same for every window.
class Builder
{
public:
    // Installs the window's interfaces and gives the window its face, ink
    // and font.
    Builder(QWidget *window, const Look &look);
    Builder(const Builder &) = delete;
    Builder &operator=(const Builder &) = delete;
    ~Builder();

    QWidget *add(const Row &control);
    // Links the controls that take the focus in the order of their tab
    // indices and gives the focus to the first.
    void finish();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

template <typename Widgets> void hand(Widgets &, std::monostate, QWidget *) {}

template <typename Widgets, typename T>
void hand(Widgets &widgets, T *Widgets::*member, QWidget *widget)
{
    widgets.*member = static_cast<T *>(widget);
}

// Creates every control of `controls` on `window` and hands each to its
// member of `Widgets`. Connects nothing.
template <typename Widgets, typename Slot, std::size_t N>
Widgets build(QWidget *window, const Control<Slot> (&controls)[N], const Look &look)
{
    Widgets widgets;
    Builder builder(window, look);
    for (const Control<Slot> &c : controls) {
        QWidget *widget = builder.add(c.untyped());
        std::visit([&](auto member) { hand(widgets, member, widget); }, c.widget);
    }
    builder.finish();
    return widgets;
}

} // namespace velbrisk::ui::table
