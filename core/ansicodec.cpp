#include "core/ansicodec.h"

namespace velbrisk {

int Windows1252Byte(char16_t unit)
{
    return unit < 0x80 ? int(unit) : -1;
}

bool FitsWindows1252(QStringView text)
{
    for (const QChar c : text)
        if (Windows1252Byte(c.unicode()) < 0)
            return false;
    return true;
}

SkinFileEncoding SkinFileEncodingFor(QStringView text)
{
    return FitsWindows1252(text) ? SkinFileEncoding::Windows1252 : SkinFileEncoding::Utf8;
}

QByteArray SkinFileBytes(QStringView text)
{
    return text.toUtf8() + "\r\n";
}

} // namespace velbrisk
