// The two conversions of a code, in window-free form.
//
// Both take the texts of the main window's fields and give back the new texts
// of the two colour fields (the search and replacement texts in use) and the
// converted code. The input code itself is never changed.
#pragma once

#include <QString>
#include <QStringView>

namespace velbrisk {

struct ConversionResult
{
    QString txtHab1; // search text used: the base colour field's new text
    QString txtHab2; // replacement text used: the target colour field's new text
    QString text2;   // the converted code
};

// Skin to skin: looks both key colours up afresh from the two skin labels
// (keeping a field's text when its label names no skin), then replaces the
// base colour by the target colour throughout the code.
ConversionResult ConvertSkin(QStringView combo1, QStringView combo2, const QString &txtHab1,
                             const QString &txtHab2, QStringView code);

// Free replacement: `text3` by `text4` throughout the code.
ConversionResult ReplaceInCode(const QString &text3, const QString &text4, QStringView code);

} // namespace velbrisk
