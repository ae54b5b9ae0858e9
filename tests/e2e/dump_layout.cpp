// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the controls of both windows lie, as the program itself places them,
// for the end-to-end harness (run_e2e.py --layout FILE):
//   dump_layout [Qt options] FILE.json
// writes {"main": {NAME: [x, y, width, height]...}, "info": {...},
// "tab": {"main": [NAME...], "info": [...]}, "addresses": {...}}, rectangles
// in pixels from the top-left corner of the window's client area. A combo
// box gives its edit part, where a click lands in the text rather than on
// the arrow. "tab" lists the controls Tab reaches, from the first focused.
// "keyColours" adds the tests' own key colours (skincolours.h), never the
// program's, so that the harness keeps no copy of them.
#include "skincolours.h"
#include "ui/common/look.h"
#include "ui/info/infowindow.h"
#include "ui/main/mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QJsonObject controls(QWidget *window)
{
    QJsonObject rects;
    const QList<QWidget *> children = window->findChildren<QWidget *>();
    for (QWidget *child : children) {
        const QString name = child->objectName();
        if (name.isEmpty() || name.startsWith(u"qt_"))
            continue;
        QWidget *part = child;
        if (auto *combo = qobject_cast<QComboBox *>(child); combo && combo->lineEdit())
            part = combo->lineEdit();
        const QPoint at = part->mapTo(window, QPoint(0, 0));
        rects.insert(name, QJsonArray{at.x(), at.y(), part->width(), part->height()});
    }
    return rects;
}

// The control a widget is part of: a combo box owns its edit part, a code
// box and the folder list their viewports.
QString controlOf(QWidget *widget)
{
    while (widget && (widget->objectName().isEmpty() || widget->objectName().startsWith(u"qt_")))
        widget = widget->parentWidget();
    return widget ? widget->objectName() : QString();
}

// The controls in the order Tab goes through them, as Qt picks the next one.
QJsonArray tabOrder(QWidget *window)
{
    QJsonArray names;
    QWidget *first = window->focusWidget();
    QWidget *widget = first;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy() &&
            widget->isVisibleTo(window) && widget->isEnabled() &&
            !names.contains(controlOf(widget)))
            names.append(controlOf(widget));
        widget = widget->nextInFocusChain();
    } while (widget && widget != first);
    return names;
}

QJsonArray keyColours()
{
    QJsonArray colours;
    for (int skin = 1; skin <= 24; ++skin)
        colours.append(testsupport::skinColour(skin));
    return colours;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The file comes last: Qt's own options come before it.
    const QString file = QApplication::arguments().constLast();
    if (argc < 2 || !file.endsWith(u".json")) {
        std::fputs("usage: dump_layout [Qt options] FILE.json\n", stderr);
        return 2;
    }
    // As at start-up: the style places a combo's edit part.
    velbrisk::ui::setUpProgramLook();

    velbrisk::ui::MainWindow main;
    velbrisk::ui::InfoWindow info;
    // Shown, so that every control has had its resize and laid out its parts.
    main.show();
    info.show();
    QApplication::processEvents();

    const QJsonObject layout{
        {u"main"_s, controls(&main)},
        {u"info"_s, controls(&info)},
        {u"tab"_s, QJsonObject{{u"main"_s, tabOrder(&main)}, {u"info"_s, tabOrder(&info)}}},
        {u"addresses"_s,
         QJsonObject{
             {u"OfficialBlogAddress"_s, velbrisk::ui::OfficialBlogAddress.toString()},
             {u"PersonalBlogAddress"_s, velbrisk::ui::PersonalBlogAddress.toString()},
             {u"HomePageAddress"_s, velbrisk::ui::HomePageAddress.toString()},
         }},
        {u"keyColours"_s, keyColours()},
    };
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(QJsonDocument(layout).toJson()) < 0 || !out.flush()) {
        std::fprintf(stderr, "dump_layout: %s\n", qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
