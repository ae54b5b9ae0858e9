// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/skinfilebytes.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

using namespace velbrisk;
using namespace Qt::StringLiterals;

namespace {

// The one byte a skin file holds for `unit`, or -1 when it sends the file to
// UTF-8. Line breaks are rewritten as CR LF, so they are taken as they are.
int byteOf(char16_t unit)
{
    if (unit == u'\n' || unit == u'\r')
        return unit;
    const QByteArray bytes = SkinFileBytes(QStringView(&unit, 1));
    return bytes.size() == 3 ? uchar(bytes.at(0)) : -1;
}

// The text of Windows-1252 bytes, from the reference table of the tests.
QString referenceWindows1252(QByteArrayView bytes)
{
    static const QList<char16_t> chars = [] {
        QList<char16_t> table(256, 0);
        for (char32_t c = 0; c <= 0xFFFF; ++c) {
            if (const int byte = testsupport::referenceWindows1252Byte(char16_t(c)); byte >= 0)
                table[byte] = char16_t(c);
        }
        return table;
    }();
    QString text;
    for (const char byte : bytes)
        text.append(QChar(chars[uchar(byte)]));
    return text;
}

QString lineFeeds(QString text)
{
    return text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
}

} // namespace

class TestSkinFileBytes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fileBytes_data();
    void fileBytes();
    void matchesPlainEncoding_data();
    void matchesPlainEncoding();
    void reusedBuffer();
    void surrogatesNeverFit();
    void decode_data();
    void decode();
    void decodeAtEveryPlaceOfTheFastRuns_data();
    void decodeAtEveryPlaceOfTheFastRuns();
    void decodeMatchesQtsDecoders();
    void skinFileReadsBack_data();
    void skinFileReadsBack();
    void tableMatchesIcuEncoder();
    void tableMatchesIcuDecoder();
};

void TestSkinFileBytes::fileBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    // Windows-1252: one byte per character.
    QTest::newRow("empty text") << QString() << "\r\n"_ba;
    QTest::newRow("ascii") << u"a{color:#333333}"_s << "a{color:#333333}\r\n"_ba;
    QTest::newRow("é") << u"é"_s << "\xE9\r\n"_ba;
    QTest::newRow("€") << u"€"_s << "\x80\r\n"_ba;
    QTest::newRow("the 27 characters of 0x80-0x9F")
        << u"€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"_s
        << "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E"
           "\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F\r\n"_ba;
    QTest::newRow("the five bytes without a character")
        << u"\u0081\u008D\u008F\u0090\u009D"_s << "\x81\x8D\x8F\x90\x9D\r\n"_ba;
    QTest::newRow("Latin-1 edges") << u"\u00A0ÿ\u007F"_s << "\xA0\xFF\x7F\r\n"_ba;
    QTest::newRow("nul and tab kept") << u"a\0\tb"_s << QByteArray("a\0\tb\r\n", 6);

    // Every kind of line break becomes CR LF.
    QTest::newRow("LF") << u"a\nb"_s << "a\r\nb\r\n"_ba;
    QTest::newRow("CR LF") << u"a\r\nb"_s << "a\r\nb\r\n"_ba;
    QTest::newRow("lone CR") << u"a\rb"_s << "a\r\nb\r\n"_ba;
    QTest::newRow("LF CR is two breaks") << u"a\n\rb"_s << "a\r\n\r\nb\r\n"_ba;
    QTest::newRow("CR CR LF is two breaks") << u"a\r\r\nb"_s << "a\r\n\r\nb\r\n"_ba;
    QTest::newRow("break at the end") << u"é\n"_s << "\xE9\r\n\r\n"_ba;
    QTest::newRow("CR at the end") << u"é\r"_s << "\xE9\r\n\r\n"_ba;
    QTest::newRow("only breaks") << u"\r\n\n\r"_s << "\r\n\r\n\r\n\r\n"_ba;
    // Blank lines: two breaks in a row stay two.
    QTest::newRow("LF LF") << u"a\n\nb"_s << "a\r\n\r\nb\r\n"_ba;
    QTest::newRow("CR LF CR LF") << u"a\r\n\r\nb"_s << "a\r\n\r\nb\r\n"_ba;
    QTest::newRow("CR CR") << u"a\r\rb"_s << "a\r\n\r\nb\r\n"_ba;

    // One character outside Windows-1252 sends the whole file to UTF-8.
    QTest::newRow("★") << u"★"_s << "\xE2\x98\x85\r\n"_ba;
    QTest::newRow("é then ★") << u"é€★"_s << "\xC3\xA9\xE2\x82\xAC\xE2\x98\x85\r\n"_ba;
    QTest::newRow("★ then é") << u"★é"_s << "\xE2\x98\x85\xC3\xA9\r\n"_ba;
    QTest::newRow("emoji with breaks")
        << u"é\n😀\r\nx\r"_s << "\xC3\xA9\r\n\xF0\x9F\x98\x80\r\nx\r\n\r\n"_ba;
    QTest::newRow("Č (Latin Extended-A, not in the table)") << u"Č"_s << "\xC4\x8C\r\n"_ba;
    // Where UTF-8 takes one byte more.
    QTest::newRow("U+007F one byte, U+0080 two")
        << u"Č\u007F\u0080"_s << "\xC4\x8C\x7F\xC2\x80\r\n"_ba;
    QTest::newRow("U+07FF two bytes, U+0800 three")
        << u"\u07FF\u0800"_s << "\xDF\xBF\xE0\xA0\x80\r\n"_ba;
    QTest::newRow("U+FFFF three bytes, U+10000 four")
        << u"\uFFFF\U00010000"_s << "\xEF\xBF\xBF\xF0\x90\x80\x80\r\n"_ba;

    // Unicode's own separators are characters of the code, not line breaks.
    QTest::newRow("U+2028 kept") << u"a\u2028b"_s
                                 << "a\xE2\x80\xA8"
                                    "b\r\n"_ba;
    QTest::newRow("U+2029 kept") << u"a\u2029b"_s
                                 << "a\xE2\x80\xA9"
                                    "b\r\n"_ba;
    QTest::newRow("U+0085 kept, not the byte of …") << u"a\u0085b"_s
                                                    << "a\xC2\x85"
                                                       "b\r\n"_ba;
    QTest::newRow("zero-width space kept") << u"a\u200Bb"_s
                                           << "a\xE2\x80\x8B"
                                              "b\r\n"_ba;
    // A surrogate without its partner is no character: it cannot be written
    // in UTF-8 and becomes the replacement character U+FFFD.
    QTest::newRow("lone surrogate becomes U+FFFD") << u"a"_s + QChar(0xD800) + u"b"_s
                                                   << "a\xEF\xBF\xBD"
                                                      "b\r\n"_ba;
    QTest::newRow("unpaired low, then high before a letter, then high at the end")
        << u"é"_s + QChar(0xDC00) + QChar(0xD800) + u"x"_s + QChar(0xD83D)
        << "\xC3\xA9\xEF\xBF\xBD\xEF\xBF\xBDx\xEF\xBF\xBD\r\n"_ba;
}

void TestSkinFileBytes::fileBytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(SkinFileBytes(text), bytes);
}

void TestSkinFileBytes::matchesPlainEncoding_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    QTest::newRow("LF") << u"\n"_s << QString();
    QTest::newRow("CR LF") << u"\r\n"_s << QString();
    QTest::newRow("lone CR") << u"\r"_s << QString();
    QTest::newRow("DEL, last ASCII") << u"\u007F"_s << QString();
    QTest::newRow("é") << u"é"_s << QString();
    QTest::newRow("€") << u"€"_s << QString();
    QTest::newRow("U+0080 does not fit") << u"\u0080"_s << QString();
    QTest::newRow("U+FFFF") << u"\uFFFF"_s << QString();
    QTest::newRow("emoji") << u"😀"_s << QString();
    QTest::newRow("é then ★") << u"é"_s << u"★"_s;
    QTest::newRow("€ then CR") << u"€"_s << u"\r"_s;
    QTest::newRow("★ then CR LF") << u"★"_s << u"\r\n"_s;
    QTest::newRow("ÿ then emoji") << u"ÿ"_s << u"𝄞"_s;
}

void TestSkinFileBytes::matchesPlainEncoding()
{
    // Runs of plain ASCII are copied several characters at a time: put one
    // or two special characters at every place of texts of every length
    // around that stride and compare with a plain character-by-character
    // encoding.
    QFETCH(QString, first);
    QFETCH(QString, second);
    const auto plain = [](QString text) {
        return testsupport::skinFile(text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n'));
    };
    for (qsizetype length = 0; length <= 40; ++length) {
        for (qsizetype at = 0; at <= length; ++at) {
            QString text(length, u'x');
            text.insert(at, first);
            if (!second.isEmpty())
                text.insert(text.size() - (length - at) / 2, second);
            QCOMPARE(SkinFileBytes(text), plain(text));
        }
    }
}

void TestSkinFileBytes::reusedBuffer()
{
    QByteArray buffer;
    SkinFileBytes(QString(1000, u'é'), buffer);
    const QByteArray kept = buffer;
    SkinFileBytes(u"court\n", buffer);
    QCOMPARE(buffer, "court\r\n\r\n"_ba);
    QCOMPARE(kept, QByteArray(1000, '\xE9') + "\r\n"); // a copy is never written into
    SkinFileBytes(u"★", buffer);
    QCOMPARE(buffer, "\xE2\x98\x85\r\n"_ba);
}

void TestSkinFileBytes::surrogatesNeverFit()
{
    for (char16_t unit = 0xD800; unit <= 0xDFFF; ++unit)
        QCOMPARE(byteOf(unit), -1);
    QCOMPARE(SkinFileBytes(u"😀"), "\xF0\x9F\x98\x80\r\n"_ba);
}

void TestSkinFileBytes::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty file") << QByteArray() << QString();
    QTest::newRow("ascii") << "a{color:#333333}"_ba << u"a{color:#333333}"_s;
    // Windows-1252 when the bytes are no UTF-8.
    QTest::newRow("Windows-1252") << "\xE9t\xE9 \xE0 5\xA0\x80"_ba << u"été à 5\u00A0€"_s;
    QTest::newRow("the five bytes without a character, as Windows reads them")
        << "\xE9\x81\x8D\x8F\x90\x9D"_ba << u"é\u0081\u008D\u008F\u0090\u009D"_s;
    // UTF-8, with or without the byte-order mark, which is not text.
    QTest::newRow("UTF-8") << "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC"_ba << u"été €"_s;
    QTest::newRow("UTF-8 with byte-order mark") << "\xEF\xBB\xBF\xC3\xA9t\xC3\xA9"_ba << u"été"_s;
    QTest::newRow("byte-order mark before Windows-1252 is Windows-1252 too")
        << "\xEF\xBB\xBF\xE9"_ba << u"ï»¿é"_s;
    QTest::newRow("emoji, two units") << "a\xF0\x9F\x98\x80z"_ba << u"a😀z"_s;
    // Windows-1252 bytes that happen to form UTF-8 are read as UTF-8.
    QTest::newRow("Windows-1252 Ã© reads as UTF-8 é") << "\xC3\xA9"_ba << u"é"_s;

    // The edges of UTF-8: the smallest and largest of each length.
    QTest::newRow("U+0080 and U+07FF") << "\xC2\x80\xDF\xBF"_ba << u"\u0080\u07FF"_s;
    QTest::newRow("U+0800 and U+FFFF") << "\xE0\xA0\x80\xEF\xBF\xBF"_ba << u"\u0800\uFFFF"_s;
    QTest::newRow("U+D7FF and U+E000, around the surrogates")
        << "\xED\x9F\xBF\xEE\x80\x80"_ba << u"\uD7FF\uE000"_s;
    QTest::newRow("U+10000 and U+10FFFF")
        << "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"_ba << u"\U00010000\U0010FFFF"_s;
    // Just beyond them the bytes are no UTF-8 (decodeMatchesQtsDecoders).

    // Line breaks.
    QTest::newRow("CR LF") << "a\r\nb\r\n"_ba << u"a\nb\n"_s;
    QTest::newRow("lone CR") << "a\rb\r"_ba << u"a\nb\n"_s;
    QTest::newRow("CR CR LF is two breaks") << "a\r\r\nb"_ba << u"a\n\nb"_s;
    QTest::newRow("NEL byte of Windows-1252 is …, not a break") << "a\x85\xE9"_ba << u"a…é"_s;
}

void TestSkinFileBytes::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DecodeCodeFile(bytes), text);
}

void TestSkinFileBytes::decodeAtEveryPlaceOfTheFastRuns_data()
{
    QTest::addColumn<QByteArray>("special");
    QTest::addColumn<QString>("text");

    QTest::newRow("CR LF") << "\r\n"_ba << u"\n"_s;
    QTest::newRow("lone CR") << "\r"_ba << u"\n"_s;
    QTest::newRow("UTF-8 é") << "\xC3\xA9"_ba << u"é"_s;
    QTest::newRow("UTF-8 emoji") << "\xF0\x9F\x98\x80"_ba << u"😀"_s;
    QTest::newRow("Windows-1252 é") << "\xE9"_ba << u"é"_s;
}

void TestSkinFileBytes::decodeAtEveryPlaceOfTheFastRuns()
{
    // Qt's decoder takes plain ASCII many bytes at a time, and line ends are
    // mended from one CR to the next: a special sequence at every place of
    // texts of every length around such strides.
    QFETCH(QByteArray, special);
    QFETCH(QString, text);
    for (qsizetype length = 0; length <= 40; ++length) {
        for (qsizetype at = 0; at <= length; ++at) {
            QByteArray bytes(length, 'x');
            bytes.insert(at, special);
            QString expected(length, u'x');
            expected.insert(at, text);
            QCOMPARE(DecodeCodeFile(bytes), expected);
        }
    }
}

void TestSkinFileBytes::decodeMatchesQtsDecoders()
{
    // Random files from pieces: valid characters of each length, line
    // breaks, a byte-order mark, each way of not being UTF-8 (too short a
    // form, a surrogate, beyond U+10FFFF, a lead or a continuation alone) and
    // a run of ASCII longer than the strides Qt takes at a time. Where Qt's
    // UTF-8 decoder, reading the file whole, takes the bytes without error,
    // the text is Qt's (its byte-order mark dropped), otherwise the bytes'
    // Windows-1252 by the tests' own table; line breaks become "\n" either
    // way. The program decodes UTF-8 with Qt too: what this holds is the
    // choice between the two encodings, the Windows-1252 text and the line
    // ends, over every way of not being UTF-8.
    const QList<QByteArray> pieces =
        QByteArray("a|\r|\n|\r\n|\xC3\xA9|\xE9|\xEF\xBB\xBF|"
                   "\xE2\x82\xAC|\xF0\x9F\x98\x80|\xF4\x8F\xBF\xBF|"
                   "\xED\xA0\x80|\xC0\xAF|\x80|\xF0\x8F\xBF\xBF|\xF5\x80|"
                   "\xF4\x90\x80\x80|\xE0\x9F\xBF|\xC3|0123456789abcdefg")
            .split('|');
    QRandomGenerator random(20260417);
    int asUtf8 = 0;
    for (int round = 0; round < 5000; ++round) {
        QByteArray bytes;
        const int count = random.bounded(12);
        for (int i = 0; i < count; ++i)
            bytes += pieces[random.bounded(int(pieces.size()))];
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8.decode(bytes);
        const bool valid = !utf8.hasError();
        asUtf8 += valid;
        const QString expected = lineFeeds(valid ? decoded : referenceWindows1252(bytes));
        QVERIFY2(DecodeCodeFile(bytes) == expected, bytes.toHex(' ').constData());
    }
    // Both ways were taken often.
    QVERIFY2(asUtf8 > 500 && asUtf8 < 4500, QByteArray::number(asUtf8).constData());
}

void TestSkinFileBytes::skinFileReadsBack_data()
{
    QTest::addColumn<QString>("code");

    QTest::newRow("ascii with breaks") << u"<style>\n.a{color:#000000}\n</style>"_s;
    QTest::newRow("Windows-1252 file")
        << u"/* déco à l'été\u00A0: 5\u00A0€ — «\u00A0œuvre\u00A0» */"_s;
    QTest::newRow("the five bytes without a character") << u"\u0081\u008D\u008F\u0090\u009D"_s;
    QTest::newRow("UTF-8 file") << u"é😀 ★ ĳ\u00A0#000000\n\u2028\u0085"_s;
    QTest::newRow("ends with a break") << u"a\n"_s;
}

void TestSkinFileBytes::skinFileReadsBack()
{
    // A skin file this program wrote gives back its code, followed by the
    // line break the file ends with.
    QFETCH(QString, code);
    QCOMPARE(DecodeCodeFile(SkinFileBytes(code)), code + u"\n"_s);
}

void TestSkinFileBytes::tableMatchesIcuEncoder()
{
    // Our table must give the bytes that ICU gives, so that a Qt without ICU
    // writes the same files. ICU writes 0x1A for a character it cannot encode
    // and writes nothing at all for a default-ignorable one (U+200B, U+FEFF,
    // the variation selectors...), raising an error either way; fitting is
    // therefore judged by that error and the length of what it wrote. Both
    // kinds of misfit send our file to UTF-8, so nothing is dropped there.
    if (!QStringEncoder("windows-1252").isValid())
        QSKIP("This Qt has no Windows-1252 encoder (built without ICU)");

    int fitting = 0;
    for (char32_t cp = 0; cp <= 0xFFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            continue;
        const QChar ch{char16_t(cp)};
        QStringEncoder icu("windows-1252"); // its error is sticky: one per character
        const QByteArray icuBytes = icu.encode(QStringView(&ch, 1));
        const bool icuFits = !icu.hasError() && icuBytes.size() == 1;
        const int ours = byteOf(char16_t(cp));
        const QByteArray label = QByteArray::number(uint(cp), 16);
        QVERIFY2((ours >= 0) == icuFits, label.constData());
        if (icuFits) {
            QVERIFY2(ours == uchar(icuBytes.at(0)), label.constData());
            ++fitting;
        }
    }
    QCOMPARE(fitting, 256);
}

void TestSkinFileBytes::tableMatchesIcuDecoder()
{
    // Every byte read back by ICU gives the character our table writes it
    // from: the files round-trip.
    QStringDecoder icu("windows-1252");
    if (!icu.isValid())
        QSKIP("This Qt has no Windows-1252 decoder (built without ICU)");
    for (int byte = 0; byte <= 0xFF; ++byte) {
        const char b = char(byte);
        const QString decoded = icu.decode(QByteArrayView(&b, 1));
        QCOMPARE(decoded.size(), 1);
        QCOMPARE(byteOf(decoded.at(0).unicode()), byte);
    }
    QVERIFY(!icu.hasError());
}

QTEST_APPLESS_MAIN(TestSkinFileBytes)
#include "test_skinfilebytes.moc"
