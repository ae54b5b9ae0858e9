// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/skinbatch.h"

#include "core/conversion.h"

#include <QTest>

#include <numeric>

using namespace velbrisk;
using namespace Qt::StringLiterals;

namespace {

#ifdef Q_OS_WIN
constexpr QStringView Sep = u"\\";
#else
constexpr QStringView Sep = u"/";
#endif

BatchInput startUpInput(const QString &code)
{
    return {u"Habillage 15"_s, u"/home/zoe"_s, u"habillage"_s, code, u"#333333"_s};
}

} // namespace

class TestSkinBatch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fileNames_data();
    void fileNames();
    void eachFileIsOneConversion();
    void skinsSharingBaseColourKeepCode_data();
    void skinsSharingBaseColourKeepCode();
    void lastConversionAndMessage();
    void baseNamingNoSkinUsesField();
};

void TestSkinBatch::fileNames_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("skin");
    QTest::addColumn<QString>("expected");

    const QString sep = Sep.toString();
    QTest::newRow("start-up prefix, skin 9")
        << u"/home/zoe"_s << u"habillage"_s << 9 << u"/home/zoe"_s + sep + u"habillage9.txt"_s;
    QTest::newRow("no leading zero, skin 10")
        << u"/home/zoe"_s << u"habillage"_s << 10 << u"/home/zoe"_s + sep + u"habillage10.txt"_s;
    QTest::newRow("folder ending with separator gives two")
        << u"/home/zoe"_s + sep << u"habillage"_s << 1
        << u"/home/zoe"_s + sep + sep + u"habillage1.txt"_s;
    QTest::newRow("empty prefix") << u"/tmp"_s << QString() << 24 << u"/tmp"_s + sep + u"24.txt"_s;
    QTest::newRow("empty folder") << QString() << u"h"_s << 3 << sep + u"h3.txt"_s;
    QTest::newRow("nothing trimmed") << u" d "_s << u" p "_s << 5 << u" d "_s + sep + u" p 5.txt"_s;
}

void TestSkinBatch::fileNames()
{
    QFETCH(QString, folder);
    QFETCH(QString, prefix);
    QFETCH(int, skin);
    QTEST(SkinFileName(folder, prefix, skin), "expected");
    const SkinBatch batch({u"Habillage 1"_s, folder, prefix, {}, {}});
    QTEST(batch.fileName(skin), "expected");
}

void TestSkinBatch::eachFileIsOneConversion()
{
    // Each variant is what "Transformer" gives with the batch's labels.
    const QString code = u"a{color:#000000}\nb{color:#0000001;x:#000000}"_s;
    const SkinBatch batch(startUpInput(code));
    for (int n = 1; n <= SkinCount; ++n) {
        const ConversionResult one =
            ConvertSkin(u"Habillage 15", SkinLabel(n), u"#333333"_s, u"#333333"_s, code);
        QCOMPARE(batch.content(n), one.convertedCode);
        const ConversionResult shown = batch.conversion(n);
        QCOMPARE(shown.baseColour, one.baseColour);
        QCOMPARE(shown.targetColour, one.targetColour);
        QCOMPARE(shown.convertedCode, one.convertedCode);
        QCOMPARE(shown.replacements, one.replacements);
    }
    QCOMPARE(batch.content(1), u"a{color:#333333}\nb{color:#3333331;x:#333333}"_s);
}

void TestSkinBatch::skinsSharingBaseColourKeepCode_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QList<int>>("unchanged");

    QTest::newRow("base 9") << u"Habillage 9"_s << QList<int>{9, 10, 11};
    QTest::newRow("base 15") << u"Habillage 15"_s << QList<int>{13, 14, 15};
    QTest::newRow("base 2") << u"Habillage 2"_s << QList<int>{2};
    // No skin named and the base colour field empty: nothing is searched for.
    QList<int> every(SkinCount);
    std::iota(every.begin(), every.end(), 1);
    QTest::newRow("base names no skin, field empty") << u"pas un habillage"_s << every;
}

void TestSkinBatch::skinsSharingBaseColourKeepCode()
{
    QFETCH(QString, base);
    QFETCH(QList<int>, unchanged);
    const QString code = u"#ffffff #000000 #7e94a5"_s;
    const SkinBatch batch({base, u"/d"_s, u"p"_s, code, {}});
    for (int n = 1; n <= SkinCount; ++n)
        QCOMPARE(batch.content(n) == code, unchanged.contains(n));
}

void TestSkinBatch::lastConversionAndMessage()
{
    const SkinBatch batch(startUpInput(u"x#000000"_s));
    const ConversionResult last = batch.conversion(SkinCount);
    QCOMPARE(last.baseColour, u"#000000"_s);
    QCOMPARE(last.targetColour, u"#313031"_s);
    QCOMPARE(last.convertedCode, u"x#313031"_s);
    QCOMPARE(batch.closingMessage(), u"Vos 24 Habillages sont créés et placés dans :\n/home/zoe"_s);

    const SkinBatch empty(startUpInput({}));
    for (int n = 1; n <= SkinCount; ++n)
        QCOMPARE(empty.content(n), QString());
}

void TestSkinBatch::baseNamingNoSkinUsesField()
{
    // The base colour field still holds the search text of a free replacement.
    const SkinBatch batch({u"pas un habillage"_s, u"/d"_s, u"p"_s, u"foo#000000"_s, u"foo"_s});
    QCOMPARE(batch.conversion(2).baseColour, u"foo"_s);
    QCOMPARE(batch.content(2), u"#7e94a5#000000"_s);
}

QTEST_APPLESS_MAIN(TestSkinBatch)
#include "test_skinbatch.moc"
