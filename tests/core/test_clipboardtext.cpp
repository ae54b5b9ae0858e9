// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/clipboardtext.h"

#include <QTest>

using namespace velbrisk;
using namespace Qt::StringLiterals;

class TestClipboardText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readBack_data();
    void readBack();
};

// A copy that took must never be reported as failed, whatever the line ends
// Windows hands back; any other difference is a copy that did not take.
void TestClipboardText::readBack_data()
{
    QTest::addColumn<QString>("copied");
    QTest::addColumn<QString>("readBack");
    QTest::addColumn<bool>("same");

    const QString code = u"<style>\n.a{color:#000000}\n</style>\n"_s;
    QTest::newRow("the same text") << code << code << true;
    QTest::newRow("CR LF handed back") << code << QString(code).replace(u"\n"_s, u"\r\n"_s) << true;
    QTest::newRow("the old content") << code << u"ancien contenu"_s << false;
    QTest::newRow("empty copied, old text left") << QString() << u"ancien"_s << false;
    QTest::newRow("cut short") << code << code.chopped(1) << false;
    QTest::newRow("one more line break") << u"a\n"_s << u"a\r\n\r\n"_s << false;
    QTest::newRow("a lone CR is not a line feed") << u"a\nb"_s << u"a\rb"_s << false;
}

void TestClipboardText::readBack()
{
    QFETCH(QString, copied);
    QFETCH(QString, readBack);
    QFETCH(bool, same);

    QCOMPARE(IsSameClipboardText(copied, readBack), same);
}

QTEST_APPLESS_MAIN(TestClipboardText)
#include "test_clipboardtext.moc"
