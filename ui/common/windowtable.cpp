// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/common/windowtable.h"

#include "ui/common/look.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace velbrisk::ui::table {
namespace {

// The fields (text boxes and combo boxes): black on white.
constexpr QRgb FieldBackground = 0xFFFFFF;

void installInterfaces(QAccessible::InterfaceFactory factory)
{
    static std::vector<QAccessible::InterfaceFactory> installed;
    if (!factory || std::ranges::find(installed, factory) != installed.end())
        return;
    QAccessible::installFactory(factory);
    installed.push_back(factory);
}

void setFieldColours(QWidget *widget)
{
    setColour(widget, QPalette::Base, FieldBackground);
    setColour(widget, QPalette::Text, Ink);
}

// One line, in the control's ink or else the button-text colour.
QLabel *setUpLabel(QLabel *label, const Row &c)
{
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setColour(label, QPalette::WindowText,
              c.colour != KindColour ? QColor(c.colour)
                                     : label->palette().color(QPalette::ButtonText));
    return label;
}

QWidget *create(const Row &c, const Look &look, QWidget *container)
{
    const QString text = c.text.toString();
    switch (c.kind) {
    case Kind::Frame: {
        auto *frame = new QGroupBox(text, container);
        setColour(frame, QPalette::WindowText, frame->palette().color(QPalette::ButtonText));
        return frame;
    }
    case Kind::Label:
        return setUpLabel(new QLabel(text, container), c);
    case Kind::Link:
        return setUpLabel(qobject_cast<QLabel *>(look.make(c, text, container)), c);
    case Kind::Button: {
        auto *button = new QPushButton(text, container);
        button->setAutoDefault(false);
        button->setDefault(false);
        if (c.colour != KindColour)
            setColour(button, QPalette::Button, c.colour);
        return button;
    }
    case Kind::TextBox: {
        auto *box = new QLineEdit(text, container);
        box->setAlignment(Qt::AlignLeft);
        box->setCursorPosition(0);
        if (!(c.style & Hidden))
            setFieldColours(box);
        return box;
    }
    case Kind::Combo: {
        QWidget *combo = look.make(c, text, container);
        setFieldColours(combo);
        return combo;
    }
    case Kind::DirListBox:
    case Kind::RichTextBox:
    case Kind::Shape:
        return look.make(c, text, container);
    case Kind::Image: {
        auto *image = new QLabel(container);
        image->setPixmap(QPixmap(text));
        image->setScaledContents(true);
        return image;
    }
    case Kind::Panel: {
        auto *panel = new QFrame(container);
        panel->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        panel->setFocusPolicy(Qt::StrongFocus);
        setColour(panel, QPalette::Window, panel->palette().color(QPalette::Button));
        panel->setAutoFillBackground(true);
        return panel;
    }
    }
    return nullptr;
}

bool showsText(Kind kind)
{
    return kind != Kind::Image && kind != Kind::Shape && kind != Kind::Panel;
}

struct Container
{
    QStringView name;
    QWidget *widget;
    QPoint origin; // where Left and Top count from
};

} // namespace

struct Builder::Private
{
    QWidget *window;
    const Look &look;
    std::vector<Container> containers;
    std::vector<std::pair<int, QWidget *>> tabOrder;
};

Builder::Builder(QWidget *window, const Look &look) : d(new Private{window, look, {}, {}})
{
    installInterfaces(look.interfaces);
    window->setAutoFillBackground(true);
    setColour(window, QPalette::Window, look.face);
    if (look.ink != KindColour)
        setColour(window, QPalette::WindowText, look.ink);
    if (look.windowFont)
        window->setFont(look.font(Kind::Label, Plain));
}

Builder::~Builder() = default;

QWidget *Builder::add(const Row &c)
{
    Container in{{}, d->window, {}};
    for (const Container &container : d->containers) {
        if (container.name == c.container)
            in = container;
    }
    QWidget *widget = create(c, d->look, in.widget);
    widget->setObjectName(c.name.toString());
    if (!c.spokenName.isEmpty())
        widget->setAccessibleName(c.spokenName.toString());
    if (!c.spokenDescription.isEmpty())
        widget->setAccessibleDescription(c.spokenDescription.toString());
    if (showsText(c.kind))
        widget->setFont(d->look.font(c.kind, c.style));
    widget->setGeometry(QRect(in.origin + QPoint(pixels(c.left), pixels(c.top)),
                              QSize(pixels(c.width), pixels(c.height))));
    if (c.style & AutoSize)
        widget->adjustSize();
    if (c.style & HelpPointer)
        widget->setCursor(Qt::WhatsThisCursor);

    // A frame counts from its outer corner, caption band included; a panel
    // from inside its border.
    if (c.kind == Kind::Frame)
        d->containers.push_back({c.name, widget, {}});
    if (c.kind == Kind::Panel)
        d->containers.push_back({c.name, widget, widget->contentsRect().topLeft()});
    if (c.style & Hidden)
        widget->hide();
    // A label of a fixed size reaches under the field beside it.
    if (c.kind == Kind::Label && !(c.style & AutoSize))
        widget->lower();
    if (takesFocus(c.kind, c.style))
        d->tabOrder.emplace_back(c.tabIndex, widget);
    else
        widget->setFocusPolicy(Qt::NoFocus);
    return widget;
}

void Builder::finish()
{
    std::ranges::sort(d->tabOrder);
    for (size_t i = 1; i < d->tabOrder.size(); ++i)
        QWidget::setTabOrder(d->tabOrder[i - 1].second, d->tabOrder[i].second);
    if (!d->tabOrder.empty())
        d->tabOrder.front().second->setFocus();
}

} // namespace velbrisk::ui::table
