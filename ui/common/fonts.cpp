// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/common/fonts.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace velbrisk::ui {
namespace {

const QString Tahoma = u"Tahoma"_s;

// Wine's own Tahoma (Debian, Fedora and Arch put it there). Only the regular
// face is loaded: Wine's bold face has bold widths but thin strokes, and
// reads as regular at 8 pt; bold is drawn from the regular face instead.
constexpr QStringView WineTahoma = u"/usr/share/wine/fonts/tahoma.ttf";

QFont face(const QStringList &families, qreal points, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setBold(bold);
#ifdef Q_OS_WIN
    // GDI rounds every glyph's advance to whole pixels, which makes these
    // small sizes a few pixels wider than the faces were drawn for, and
    // captions no longer fit their controls. Without horizontal hinting Qt
    // draws them through DirectWrite, with the widths of the design.
    font.setHintingPreference(QFont::PreferVerticalHinting);
#endif
    return font;
}

} // namespace

QString loadProgramFonts()
{
    // The font database is read and the family matched only on the first call.
    static const QString family = [] {
        if (!QFontDatabase::hasFamily(Tahoma) && QFileInfo::exists(WineTahoma.toString()))
            QFontDatabase::addApplicationFont(WineTahoma.toString());
        return QFontInfo(tahomaFont(8.25)).family();
    }();
    return family;
}

QFont tahomaFont(qreal points, bool bold)
{
    return face({Tahoma, u"DejaVu Sans"_s}, points, bold);
}

QFont verdanaFont(qreal points, bool bold)
{
    return face({u"Verdana"_s, u"DejaVu Sans"_s}, points, bold);
}

} // namespace velbrisk::ui
