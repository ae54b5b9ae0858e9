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
    QTest::addColumn<QString>("combo1");
    QTest::addColumn<QString>("combo2");
    QTest::addColumn<QString>("txtHab1");
    QTest::addColumn<QString>("txtHab2");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("newHab1");
    QTest::addColumn<QString>("newHab2");
    QTest::addColumn<QString>("text2");

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
    QFETCH(QString, combo1);
    QFETCH(QString, combo2);
    QFETCH(QString, txtHab1);
    QFETCH(QString, txtHab2);
    QFETCH(QString, code);
    const ConversionResult result = ConvertSkin(combo1, combo2, txtHab1, txtHab2, code);
    QTEST(result.txtHab1, "newHab1");
    QTEST(result.txtHab2, "newHab2");
    QTEST(result.text2, "text2");
}

void TestConversion::roundTripThroughTargetColour()
{
    // A code that already holds the target colour keeps it, so going to skin
    // 3 and back turns every #333300 of the first code into #333333.
    const QString code = u"a:#333333;b:#333300"_s;
    const QString there = ConvertSkin(u"Habillage 1", u"Habillage 3", {}, {}, code).text2;
    QCOMPARE(there, u"a:#333300;b:#333300"_s);
    const QString back = ConvertSkin(u"Habillage 3", u"Habillage 1", {}, {}, there).text2;
    QCOMPARE(back, u"a:#333333;b:#333333"_s);
}

void TestConversion::replaceInCode_data()
{
    QTest::addColumn<QString>("text3");
    QTest::addColumn<QString>("text4");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("text2");

    QTest::newRow("aa by b, even") << u"aa"_s << u"b"_s << u"aaaa"_s << u"bb"_s;
    QTest::newRow("aa by b, odd") << u"aa"_s << u"b"_s << u"aaa"_s << u"ba"_s;
    QTest::newRow("replacement holds search") << u"a"_s << u"aa"_s << u"aXa"_s << u"aaXaa"_s;
    QTest::newRow("empty search") << QString() << u"x"_s << u"abc"_s << u"abc"_s;
    QTest::newRow("empty replacement") << u"b"_s << QString() << u"abcb"_s << u"ac"_s;
    QTest::newRow("start-up texts")
        << u"#000000"_s << u"#333333"_s << u"#000000;#0000001"_s << u"#333333;#3333331"_s;
}

void TestConversion::replaceInCode()
{
    QFETCH(QString, text3);
    QFETCH(QString, text4);
    QFETCH(QString, code);
    const ConversionResult result = ReplaceInCode(text3, text4, code);
    QCOMPARE(result.txtHab1, text3);
    QCOMPARE(result.txtHab2, text4);
    QTEST(result.text2, "text2");
}

void TestConversion::freeReplacementThenSkinConversion()
{
    const QString code = u"foo #333333 bar"_s;
    const ConversionResult free = ReplaceInCode(u"foo"_s, u"baz"_s, code);

    // A base label naming no skin searches for the free search text left
    // in the base colour field.
    const ConversionResult stale =
        ConvertSkin(u"Habillage X", u"Habillage 2", free.txtHab1, free.txtHab2, code);
    QCOMPARE(stale.txtHab1, u"foo"_s);
    QCOMPARE(stale.text2, u"#7e94a5 #333333 bar"_s);

    // Two labels that name skins ignore what the free replacement left.
    const ConversionResult fresh =
        ConvertSkin(u"Habillage 1", u"Habillage 2", free.txtHab1, free.txtHab2, code);
    QCOMPARE(fresh.text2, u"foo #7e94a5 bar"_s);
}

QTEST_APPLESS_MAIN(TestConversion)
#include "test_conversion.moc"
