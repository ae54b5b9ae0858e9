// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/skintable.h"
#include "testsupport.h"

#include <QSet>
#include <QTest>

using namespace velbrisk;
using namespace Qt::StringLiterals;

class TestSkinTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tableShape();
    void findKeyColour_data();
    void findKeyColour();
    void lookupKeepsFieldOnNoMatch_data();
    void lookupKeepsFieldOnNoMatch();
};

void TestSkinTable::tableShape()
{
    QSet<QString> colours;
    for (int i = 0; i < SkinCount; ++i) {
        const SkinEntry &entry = SkinColourTable.at(size_t(i));
        QCOMPARE(entry.label.toString(), SkinLabel(i + 1));
        // The colours as the window's users know them, written out apart.
        QCOMPARE(entry.keyColour.toString(), testsupport::skinColour(i + 1));
        colours.insert(entry.keyColour.toString());
    }
    QCOMPARE(colours.size(), 20);
    QCOMPARE(SkinLabel(1), QStringLiteral("Habillage 1"));
    QCOMPARE(SkinLabel(24), QStringLiteral("Habillage 24"));
}

void TestSkinTable::findKeyColour_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("colour");

    QTest::newRow("first") << u"Habillage 1"_s << u"#333333"_s;
    QTest::newRow("second") << u"Habillage 2"_s << u"#7e94a5"_s;
    QTest::newRow("twelve") << u"Habillage 12"_s << u"#ffcecd"_s;
    QTest::newRow("last") << u"Habillage 24"_s << u"#313031"_s;
    QTest::newRow("shared white 9") << u"Habillage 9"_s << u"#ffffff"_s;
    QTest::newRow("shared white 10") << u"Habillage 10"_s << u"#ffffff"_s;
    QTest::newRow("shared white 11") << u"Habillage 11"_s << u"#ffffff"_s;
    QTest::newRow("shared black 13") << u"Habillage 13"_s << u"#000000"_s;
    QTest::newRow("shared black 14") << u"Habillage 14"_s << u"#000000"_s;
    QTest::newRow("shared black 15") << u"Habillage 15"_s << u"#000000"_s;
    // "Habillage 1" is a prefix of 10 to 19 and must match skin 1 alone.
    for (int n = 10; n <= 19; ++n)
        QTest::addRow("skin %d not confused with 1", n)
            << u"Habillage %1"_s.arg(n) << testsupport::skinColour(n);
}

void TestSkinTable::findKeyColour()
{
    QFETCH(QString, label);
    QFETCH(QString, colour);
    const auto found = FindKeyColour(label);
    QVERIFY(found.has_value());
    QCOMPARE(found->toString(), colour);
    QCOMPARE(LookupColourField(label, u"#abcdef"_s), colour);
}

void TestSkinTable::lookupKeepsFieldOnNoMatch_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("field");

    QTest::newRow("empty") << QString() << u"#333333"_s;
    QTest::newRow("word alone") << u"Habillage"_s << u"#333333"_s;
    QTest::newRow("zero") << u"Habillage 0"_s << u"#333333"_s;
    QTest::newRow("twenty-five") << u"Habillage 25"_s << u"#7e94a5"_s;
    QTest::newRow("lower-case initial") << u"habillage 5"_s << u"#ffffff"_s;
    QTest::newRow("trailing blank") << u"Habillage 5 "_s << u"#000000"_s;
    QTest::newRow("leading blank") << u" Habillage 5"_s << u"#000000"_s;
    QTest::newRow("two blanks") << u"Habillage  5"_s << u"#000000"_s;
    QTest::newRow("leading zero") << u"Habillage 05"_s << u"#000000"_s;
    QTest::newRow("no-break space") << u"Habillage\u00a05"_s << u"#000000"_s;
    QTest::newRow("field holds free text") << u"Habillage 99"_s << u"texte libre"_s;
    QTest::newRow("empty field kept") << u"nothing"_s << QString();
}

void TestSkinTable::lookupKeepsFieldOnNoMatch()
{
    QFETCH(QString, label);
    QFETCH(QString, field);
    QVERIFY(!FindKeyColour(label).has_value());
    QCOMPARE(LookupColourField(label, field), field);
}

QTEST_APPLESS_MAIN(TestSkinTable)
#include "test_skintable.moc"
