// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/conversion.h"

#include <QTest>

using namespace velbrisk;
using namespace Qt::StringLiterals;

class TestConversion : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void convertSkin_data();
    void convertSkin();
    void roundTripThroughTargetColour();
    void replaceInCode_data();
    void replaceInCode();
    void freeReplacementThenSkinConversion();
};

void TestConversion::convertSkin_data()
{
    QTest::addColumn<QString>("baseSkin");
    QTest::addColumn<QString>("targetSkin");
    QTest::addColumn<QString>("baseColour");
    QTest::addColumn<QString>("targetColour");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("newBaseColour");
    QTest::addColumn<QString>("newTargetColour");
    QTest::addColumn<QString>("convertedCode");

    const QString css = u"body{color:#333333;background:#3333330}\na{color:#333;border:#333333}"_s;
    QTest::newRow("skin 1 to 2")
        << u"Habillage 1"_s << u"Habillage 2"_s << u"#333333"_s << u"#333333"_s << css
        << u"#333333"_s << u"#7e94a5"_s
        << u"body{color:#7e94a5;background:#7e94a50}\na{color:#333;border:#7e94a5}"_s;
    QTest::newRow("start-up texts") << u"Habillage 15"_s << u"Habillage 1"_s << u"#333333"_s
                                    << u"#333333"_s << u"p{color:#000000}#000000"_s << u"#000000"_s
                                    << u"#333333"_s << u"p{color:#333333}#333333"_s;
    QTest::newRow("same skin") << u"Habillage 7"_s << u"Habillage 7"_s << u"#333333"_s
                               << u"#333333"_s << u"x#629962"_s << u"#629962"_s << u"#629962"_s
                               << u"x#629962"_s;
    QTest::newRow("shared white") << u"Habillage 9"_s << u"Habillage 10"_s << u"a"_s << u"b"_s
                                  << u"#ffffff"_s << u"#ffffff"_s << u"#ffffff"_s << u"#ffffff"_s;
    QTest::newRow("shared black") << u"Habillage 13"_s << u"Habillage 15"_s << u"a"_s << u"b"_s
                                  << u"#000000;"_s << u"#000000"_s << u"#000000"_s << u"#000000;"_s;
    QTest::newRow("code without base colour")
        << u"Habillage 1"_s << u"Habillage 2"_s << u"#333333"_s << u"#333333"_s << u"#FFFFFF"_s
        << u"#333333"_s << u"#7e94a5"_s << u"#FFFFFF"_s;
    QTest::newRow("empty code") << u"Habillage 1"_s << u"Habillage 2"_s << u"#333333"_s
                                << u"#333333"_s << QString() << u"#333333"_s << u"#7e94a5"_s
                                << QString();
    QTest::newRow("base names no skin keeps field")
        << u"habillage 1"_s << u"Habillage 2"_s << u"#abcdef"_s << u"#333333"_s
        << u"#abcdef #333333"_s << u"#abcdef"_s << u"#7e94a5"_s << u"#7e94a5 #333333"_s;
    QTest::newRow("target names no skin keeps field")
        << u"Habillage 1"_s << u"Habillage 0"_s << u"#333333"_s << u"zz"_s << u"#333333"_s
        << u"#333333"_s << u"zz"_s << u"zz"_s;
}

void TestConversion::convertSkin()
{
    QFETCH(QString, baseSkin);
    QFETCH(QString, targetSkin);
    QFETCH(QString, baseColour);
    QFETCH(QString, targetColour);
    QFETCH(QString, code);
    const ConversionResult result =
        ConvertSkin(baseSkin, targetSkin, baseColour, targetColour, code);
    QTEST(result.baseColour, "newBaseColour");
    QTEST(result.targetColour, "newTargetColour");
    QTEST(result.convertedCode, "convertedCode");
}

void TestConversion::roundTripThroughTargetColour()
{
    // A code that already holds the target colour keeps it, so going to skin
    // 3 and back turns every #333300 of the first code into #333333.
    const QString code = u"a:#333333;b:#333300"_s;
    const QString there = ConvertSkin(u"Habillage 1", u"Habillage 3", {}, {}, code).convertedCode;
    QCOMPARE(there, u"a:#333300;b:#333300"_s);
    const QString back = ConvertSkin(u"Habillage 3", u"Habillage 1", {}, {}, there).convertedCode;
    QCOMPARE(back, u"a:#333333;b:#333333"_s);
}

void TestConversion::replaceInCode_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("convertedCode");
    QTest::addColumn<QString>("report");

    QTest::newRow("aa by b, even")
        << u"aa"_s << u"b"_s << u"aaaa"_s << u"bb"_s << u"2 remplacements de « aa » par « b »"_s;
    QTest::newRow("aa by b, odd") << u"aa"_s << u"b"_s << u"aaa"_s << u"ba"_s
                                  << u"1 remplacement de « aa » par « b »"_s;
    QTest::newRow("replacement holds search")
        << u"a"_s << u"aa"_s << u"aXa"_s << u"aaXaa"_s << u"2 remplacements de « a » par « aa »"_s;
    QTest::newRow("empty search") << QString() << u"x"_s << u"abc"_s << u"abc"_s
                                  << u"Aucun texte à remplacer : le code est inchangé."_s;
    QTest::newRow("empty replacement")
        << u"b"_s << QString() << u"abcb"_s << u"ac"_s << u"2 occurrences de « b » supprimées"_s;
    QTest::newRow("one deleted") << u"x"_s << QString() << u"axb"_s << u"ab"_s
                                 << u"1 occurrence de « x » supprimée"_s;
    QTest::newRow("start-up texts")
        << u"#000000"_s << u"#333333"_s << u"#000000;#0000001"_s << u"#333333;#3333331"_s
        << u"2 remplacements de « #000000 » par « #333333 »"_s;
    QTest::newRow("no occurrence")
        << u"#000000"_s << u"#333333"_s << u"p{color:#fff}"_s << u"p{color:#fff}"_s
        << u"Aucune occurrence de « #000000 » : le code est inchangé."_s;
    QTest::newRow("search is its own replacement")
        << u"#000000"_s << u"#000000"_s << u"#000000"_s << u"#000000"_s
        << u"« #000000 » remplacé par lui-même : le code est inchangé."_s;
    const QString longSearch = u"abcdefghijklmnopqrstuvwxyz0123456789"_s;
    QTest::newRow("long search cut")
        << longSearch << u"z"_s << longSearch + u'!' << u"z!"_s
        << u"1 remplacement de « abcdefghijklmnopqrstuvwxyz0123… » par « z »"_s;
    QTest::newRow("lines cut") << u"a\nb"_s << u"😀\u2028d"_s << u"a\nb"_s << u"😀\u2028d"_s
                               << u"1 remplacement de « a… » par « 😀… »"_s;
}

void TestConversion::replaceInCode()
{
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(QString, code);
    const ConversionResult result = ReplaceInCode(search, replacement, code);
    QCOMPARE(result.baseColour, search);
    QCOMPARE(result.targetColour, replacement);
    QTEST(result.convertedCode, "convertedCode");
    QTEST(ConversionReport(result), "report");
}

void TestConversion::freeReplacementThenSkinConversion()
{
    const QString code = u"foo #333333 bar"_s;
    const ConversionResult free = ReplaceInCode(u"foo"_s, u"baz"_s, code);

    // A base label naming no skin searches for the free search text left
    // in the base colour field.
    const ConversionResult stale =
        ConvertSkin(u"Habillage X", u"Habillage 2", free.baseColour, free.targetColour, code);
    QCOMPARE(stale.baseColour, u"foo"_s);
    QCOMPARE(stale.convertedCode, u"#7e94a5 #333333 bar"_s);

    // Two labels that name skins ignore what the free replacement left.
    const ConversionResult fresh =
        ConvertSkin(u"Habillage 1", u"Habillage 2", free.baseColour, free.targetColour, code);
    QCOMPARE(fresh.convertedCode, u"foo #7e94a5 bar"_s);
}

QTEST_APPLESS_MAIN(TestConversion)
#include "test_conversion.moc"
