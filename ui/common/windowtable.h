// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// A window as a table of its controls, in the words and numbers of the
// window's own description, and the one builder both windows are made by.
//
// Each window writes its table once (ui/main/form1layout.cpp,
// ui/info/infolayout.cpp): one row for each control, with what screen readers
// are told of it and the member of the window's struct of controls it goes
// to. The checks below hold every table at compile time.
#pragma once

#include <QAccessible>
#include <QColor>
#include <QFont>
#include <QStringView>
#include <QWidget>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string_view>
#include <type_traits>

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

// A control without a tab index, a picture or a shape.
inline constexpr int NoTab = -1;

inline constexpr int TwipsPerPixel = 15;
constexpr int pixels(int twips)
{
    return twips / TwipsPerPixel;
}

// Gives a control, once made, to the member of the window's struct of
// controls that holds it.
template <typename Widgets> using Hand = void (*)(Widgets &, QWidget *);

// The hand of a member: `to<&Form1Widgets::inputCode>`. A control of another
// class than its member's, or a second control for one member, stops the
// program as it starts. (Said here, not checked with the table's other rules
// at compile time: GCC cannot compare these functions' addresses there under
// the sanitizers.)
template <auto Member, typename Widgets> void to(Widgets &widgets, QWidget *widget)
{
    auto &member = widgets.*Member;
    if (member)
        qFatal("%s: its member already holds a control", qPrintable(widget->objectName()));
    member = qobject_cast<std::remove_reference_t<decltype(member)>>(widget);
    if (!member)
        qFatal("%s is not of its member's class", qPrintable(widget->objectName()));
}

struct NoWidgets
{
};

// One row of a window's table. The names are the controls' own ("Command8",
// "text1"...), set as their object names: the tests and the end-to-end
// harness find each control by its name. The member the control goes to
// comes before what a screen reader is told of it, which most controls do
// without.
template <typename Widgets> struct Control
{
    QStringView name;
    Kind kind;
    QStringView container;        // empty: the window itself
    int left, top, width, height; // twips, from the container's top-left corner
    QStringView text;             // caption, initial text or the picture's resource
    int tabIndex;
    QRgb colour; // a button's face, a label's ink, a shape's outline
    int style;
    Hand<Widgets> widget = nullptr; // none: the window does not use the control
    // What a screen reader says of a control beyond its role, where its own
    // text says too little: the caption a sighted person reads beside a
    // field, and its frame where two fields share one; what a button does.
    // Empty: the control's own text.
    QStringView spokenName = {};
    QStringView spokenDescription = {};

    // The row without its member, for the part of the builder that is the
    // same for every window.
    constexpr Control<NoWidgets> row() const
    {
        return {name, kind,     container, left,  top,     width,      height,
                text, tabIndex, colour,    style, nullptr, spokenName, spokenDescription};
    }
};
using Row = Control<NoWidgets>;

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

// Only a control that says no text of its own to a screen reader (no frame,
// no label, no hidden field) is given words of the table's.
template <typename Table> constexpr bool speaksOnlyForSilentControls(const Table &controls)
{
    return std::ranges::none_of(controls, [](const auto &c) {
        return (!c.spokenName.isEmpty() || !c.spokenDescription.isEmpty()) &&
               (c.kind == Kind::Frame || c.kind == Kind::Label || (c.style & Hidden));
    });
}

// Every check above, on one window's table:
// static_assert(table::Checked<Controls>::value).
template <const auto &Controls> struct Checked
{
    static_assert(onWholePixels(Controls), "a place or size between two pixels");
    static_assert(namedOnceContainersFirst(Controls),
                  "a name twice, or a container after its controls");
    static_assert(tabIndicesWithoutGaps(Controls), "tab indices with a gap or twice the same");
    static_assert(speaksOnlyForSilentControls(Controls),
                  "words for a screen reader on a frame, a label or a hidden field");
    static constexpr bool value = true;
};

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

// Creates every control of `controls` on `window` and hands each to its
// member of `Widgets`. Connects nothing.
template <typename Widgets, std::size_t N>
Widgets build(QWidget *window, const Control<Widgets> (&controls)[N], const Look &look)
{
    Widgets widgets;
    Builder builder(window, look);
    for (const Control<Widgets> &c : controls) {
        QWidget *widget = builder.add(c.row());
        if (c.widget)
            c.widget(widgets, widget);
    }
    builder.finish();
    return widgets;
}

} // namespace velbrisk::ui::table
