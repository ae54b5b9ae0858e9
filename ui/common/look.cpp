// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/common/look.h"

#include "ui/common/fonts.h"

#include <QApplication>
#include <QEvent>
#include <QStyleFactory>
#include <QToolTip>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace velbrisk::ui {
namespace {

// Qt's light palette, the one a desktop without a theme gives, written out so
// that a dark or high-contrast theme cannot change it.
QPalette lightPalette()
{
    const QColor face(239, 239, 239);
    const QColor dark = face.darker(150);
    const QColor disabledText(190, 190, 190);
    const QColor disabledHighlight(145, 145, 145);
    QPalette palette(Qt::black, face, face.lighter(150), dark, face.darker(130), Qt::black,
                     Qt::white);
    palette.setColor(QPalette::Midlight, face.darker(130).lighter(110));
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::Shadow, dark.darker(135));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Disabled, QPalette::Text, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, face);
    palette.setColor(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
    palette.setColor(QPalette::Disabled, QPalette::Shadow, dark.darker(135).lighter(150));
    const QColor highlight(48, 140, 198);
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, highlight);
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        palette.setColor(group, QPalette::Accent, highlight);
#endif
    }
    palette.setColor(QPalette::Disabled, QPalette::Highlight, disabledHighlight);
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    palette.setColor(QPalette::Disabled, QPalette::Accent, disabledHighlight);
#endif
    QColor placeholder(Qt::black);
    placeholder.setAlpha(128);
    palette.setColor(QPalette::PlaceholderText, placeholder);

    // Every role of every group marked as the program's own: a platform theme
    // fills in only the roles an application leaves unset.
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            if (role == QPalette::NoRole)
                continue;
            const auto g = QPalette::ColorGroup(group);
            const auto r = QPalette::ColorRole(role);
            palette.setBrush(g, r, palette.brush(g, r));
        }
    }
    return palette;
}

// Qt gives tooltips the theme's colours again at each change of the desktop's
// theme; this gives them back the program's, before any is shown.
class TooltipColours : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ThemeChange)
            QToolTip::setPalette(QApplication::palette());
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void setUpProgramLook()
{
    QApplication::setStyle(QStyleFactory::create(u"Windows"_s));
    // The application's palette, set whole, also drops the palettes a theme
    // gives some kinds of controls (menus, lists, text boxes), and keeps them
    // dropped when the theme changes.
    QApplication::setPalette(lightPalette());
    QToolTip::setPalette(QApplication::palette());
    qApp->installEventFilter(new TooltipColours(qApp));
    loadProgramFonts();
}

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace velbrisk::ui
