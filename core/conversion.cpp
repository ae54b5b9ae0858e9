#include "core/conversion.h"

#include "core/replaceall.h"
#include "core/skintable.h"

namespace velbrisk {

ConversionResult ConvertSkin(QStringView combo1, QStringView combo2, const QString &txtHab1,
                             const QString &txtHab2, QStringView code)
{
    ConversionResult result;
    result.txtHab1 = LookupColourField(combo1, txtHab1);
    result.txtHab2 = LookupColourField(combo2, txtHab2);
    result.text2 = ReplaceAll(code, result.txtHab1, result.txtHab2);
    return result;
}

ConversionResult ReplaceInCode(const QString &text3, const QString &text4, QStringView code)
{
    return {text3, text4, ReplaceAll(code, text3, text4)};
}

} // namespace velbrisk
