// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/replaceall_p.h"

#include <QRandomGenerator>
#include <QTest>

using namespace velbrisk;
using namespace Qt::StringLiterals;

namespace {

// The rule written as plainly as possible, to check the fast one against;
// `positions` gets where each occurrence replaced starts in the code.
QString referenceReplaceAll(const QString &code, const QString &search, const QString &replacement,
                            std::vector<qsizetype> *positions = nullptr)
{
    if (search.isEmpty())
        return code;
    QString out;
    qsizetype i = 0;
    while (i < code.size()) {
        // A view, not a copy: long searches over codes of several blocks.
        if (QStringView(code).mid(i, search.size()) == search) {
            if (positions)
                positions->push_back(i);
            out += replacement;
            i += search.size();
        } else {
            out += code.at(i);
            ++i;
        }
    }
    return out;
}

// ReplaceAllCounted against the reference: the same code, each occurrence
// replaced where the rule finds it, and each replacement where it stands in
// the result; none when the search is its own replacement.
void checkCounted(const QString &code, const QString &search, const QString &replacement)
{
    std::vector<qsizetype> positions;
    const QString expected = referenceReplaceAll(code, search, replacement, &positions);
    if (search == replacement)
        positions.clear();
    const ReplacedCode counted = ReplaceAllCounted(code, search, replacement);
    QCOMPARE(counted.code, expected);
    QCOMPARE(counted.replacements.inCode, positions);
    for (const qsizetype at : counted.replacements.resultPositions())
        QCOMPARE(expected.mid(at, replacement.size()), replacement);
}

QString randomText(QRandomGenerator &random, const QList<QString> &alphabet, int maxLength)
{
    QString text;
    const int length = int(random.bounded(maxLength + 1));
    for (int i = 0; i < length; ++i)
        text += alphabet.at(qsizetype(random.bounded(int(alphabet.size()))));
    return text;
}

// The blocks the same-length path writes its result in.
constexpr qsizetype Block = 16 * 1024;

// `count` units of `motif` over and over.
QString periodic(const QString &motif, qsizetype count)
{
    QString text;
    while (text.size() < count)
        text += motif;
    text.truncate(count);
    return text;
}

// `code` with `search` written over it at each of `positions`.
QString withSearchAt(QString code, const QString &search, const QList<qsizetype> &positions)
{
    for (const qsizetype at : positions)
        code.replace(at, search.size(), search);
    return code;
}

} // namespace

class TestReplaceAll : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void namedCases_data();
    void namedCases();
    void matchesReference_data();
    void matchesReference();
    void occurrencesAndReplaceAt();
    void longCodes_data();
    void longCodes();
    void longSameLengthSearches_data();
    void longSameLengthSearches();
};

void TestReplaceAll::namedCases_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty code") << QString() << u"a"_s << u"b"_s << QString();
    QTest::newRow("empty search") << u"abc"_s << QString() << u"x"_s << u"abc"_s;
    QTest::newRow("aa by b in aaaa") << u"aaaa"_s << u"aa"_s << u"b"_s << u"bb"_s;
    QTest::newRow("aa by b in aaa") << u"aaa"_s << u"aa"_s << u"b"_s << u"ba"_s;
    QTest::newRow("replacement contains search") << u"aXa"_s << u"a"_s << u"aa"_s << u"aaXaa"_s;
    QTest::newRow("empty replacement deletes") << u"a#1b#1"_s << u"#1"_s << QString() << u"ab"_s;
    QTest::newRow("search is its own replacement") << u"a#1b"_s << u"#1"_s << u"#1"_s << u"a#1b"_s;
    QTest::newRow("no occurrence")
        << u"color:#fff"_s << u"#333333"_s << u"#7e94a5"_s << u"color:#fff"_s;
    QTest::newRow("colour with a further digit")
        << u"a{color:#3333334}"_s << u"#333333"_s << u"#7e94a5"_s << u"a{color:#7e94a54}"_s;
    QTest::newRow("upper-case and short forms kept")
        << u"#333333 #333 #33333A #333333"_s << u"#333333"_s << u"#7e94a5"_s
        << u"#7e94a5 #333 #33333A #7e94a5"_s;
    QTest::newRow("search longer than code") << u"#33"_s << u"#333333"_s << u"x"_s << u"#33"_s;
    QTest::newRow("whole code") << u"#333333"_s << u"#333333"_s << u"#ff00ff00ff"_s
                                << u"#ff00ff00ff"_s;
    QTest::newRow("line breaks are characters")
        << u"a\nb\r\nc"_s << u"\n"_s << u"<br>"_s << u"a<br>b\r<br>c"_s;
    QTest::newRow("outside the BMP") << u"x😀y😀"_s << u"😀"_s << u"★"_s << u"x★y★"_s;
    QTest::newRow("no-break space is not a blank")
        << u"a b\u00a0c"_s << u" "_s << u"_"_s << u"a_b\u00a0c"_s;
    const QString longSearch = QString(40, u'a') + u'b';
    QTest::newRow("long search, overlapping prefix")
        << QString(100, u'a') + u'b' + QString(41, u'a') + u'b' << longSearch << u"X"_s
        << QString(60, u'a') + u'X' + u'a' + u'X';
    // A candidate that fails, and whose every shorter candidate then fails
    // on the same character: several fallbacks in a row, in the search's
    // own table and while scanning.
    const QString abaSearch = periodic(u"aba"_s, 33) + u"bb"_s;
    QTest::newRow("long search, table falls back twice")
        << periodic(u"aba"_s, 35) + abaSearch << abaSearch << u"X"_s
        << periodic(u"aba"_s, 35) + u'X';
    QTest::newRow("long search, scan falls back twice")
        << abaSearch.left(8) + abaSearch << abaSearch << u"X"_s << abaSearch.left(8) + u'X';
}

void TestReplaceAll::namedCases()
{
    QFETCH(QString, code);
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    QCOMPARE(ReplaceAll(code, search, replacement), expected);
    QCOMPARE(referenceReplaceAll(code, search, replacement), expected);
    checkCounted(code, search, replacement);
}

void TestReplaceAll::matchesReference_data()
{
    QTest::addColumn<QStringList>("alphabet");
    QTest::addColumn<int>("maxSearch");

    QTest::newRow("two letters") << QStringList{u"a"_s, u"b"_s} << 4;
    QTest::newRow("colour-like") << QStringList{u"#"_s, u"3"_s, u"0"_s, u"f"_s} << 7;
    QTest::newRow("awkward characters")
        << QStringList{u"a"_s, u"\u00a0"_s, u"\t"_s, u"\n"_s, u"\r"_s, u"😀"_s, u"\u2028"_s} << 3;
    // Long searches over two letters exercise the linear search with
    // heavily overlapping candidates.
    QTest::newRow("long searches") << QStringList{u"a"_s, u"b"_s} << 70;
}

void TestReplaceAll::matchesReference()
{
    QFETCH(QStringList, alphabet);
    QFETCH(int, maxSearch);
    QRandomGenerator random(20261207);
    for (int round = 0; round < 3000; ++round) {
        const QString code = randomText(random, alphabet, 160);
        QString search = randomText(random, alphabet, maxSearch);
        // Often take the search from the code itself, so that it occurs.
        if (!code.isEmpty() && random.bounded(2) == 0) {
            const auto from = qsizetype(random.bounded(int(code.size())));
            search = code.mid(from, random.bounded(maxSearch) + 1);
        }
        const QString replacement = randomText(random, alphabet, 9);
        const QString expected = referenceReplaceAll(code, search, replacement);
        const QString actual = ReplaceAll(code, search, replacement);
        if (actual != expected)
            qWarning() << "code" << code << "search" << search << "replacement" << replacement;
        QCOMPARE(actual, expected);
        checkCounted(code, search, replacement);
        if (QTest::currentTestFailed())
            return;
    }
}

void TestReplaceAll::occurrencesAndReplaceAt()
{
    const QString code = u"aaaXaa"_s;
    const std::vector<qsizetype> expected{0, 4};
    QCOMPARE(findOccurrences(code, u"aa"), expected);
    QCOMPARE(replaceAt(code, findOccurrences(code, u"aa"), 2, u"bbb"), u"bbbaXbbb"_s);
    QVERIFY(findOccurrences(code, u"").empty());
}

void TestReplaceAll::longCodes_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");

    // Codes far longer than the blocks the fast paths work in, with
    // occurrences straddling every block boundary sooner or later.
    QTest::newRow("same length") << u"#3333"_s << u"#abcd"_s;
    QTest::newRow("longer replacement") << u"#333"_s << u"#ff00f"_s;
    QTest::newRow("replacement over twice as long") << u"#333"_s << u"#ff00ff00ff"_s;
    QTest::newRow("shorter replacement") << u"3#3"_s << u"x"_s;
    QTest::newRow("long search") << u"#3333333333333333333333333333333333333333"_s << u"y"_s;
}

void TestReplaceAll::longCodes()
{
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QRandomGenerator random(7);
    QString code;
    while (code.size() < 100000)
        code += random.bounded(4) == 0 ? u"#"_s : QString(int(random.bounded(48)), u'3');
    QCOMPARE(ReplaceAll(code, search, replacement), referenceReplaceAll(code, search, replacement));
    checkCounted(code, search, replacement);
}

void TestReplaceAll::longSameLengthSearches_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("search");

    const QString blocks = periodic(u"abcd"_s, 4 * Block + 5);
    const QList<qsizetype> straddling{0, Block - 16, 2 * Block - 1, 3 * Block - 33, 4 * Block - 32};
    QTest::newRow("33 units straddling boundaries")
        << withSearchAt(blocks, periodic(u"xyz"_s, 33), straddling) << periodic(u"xyz"_s, 33);
    QTest::newRow("100 units straddling boundaries")
        << withSearchAt(blocks, periodic(u"xyz"_s, 100), straddling) << periodic(u"xyz"_s, 100);
    QTest::newRow("32 units, overlapping candidates")
        << periodic(u"ab"_s, 3 * Block + 1) << periodic(u"ab"_s, 32);
    QTest::newRow("33 units, overlapping candidates")
        << periodic(u"ab"_s, 3 * Block + 1) << periodic(u"ab"_s, 33);
    QTest::newRow("100 units, overlapping candidates")
        << periodic(u"aab"_s, 4 * Block) << periodic(u"aab"_s, 100);
    // Breaks in the period cut long candidates short, far from where they began.
    const QString broken = withSearchAt(periodic(u"abcde"_s, 5 * Block), u"x"_s,
                                        {Block + 9, 2 * Block + 2, 2 * Block + 3, 4 * Block - 1});
    QTest::newRow("16 K + 1 units") << broken << broken.mid(2 * Block + 4, Block + 1);
    QTest::newRow("16 K + 1 units with a break") << broken << broken.mid(Block - 3, Block + 1);
    const QString code = periodic(u"abcdefg"_s, 3 * Block + 10);
    QTest::newRow("half the code") << code << code.left(code.size() / 2);
    QTest::newRow("half the code, shifted") << code << code.mid(3, code.size() / 2);
    // A candidate that runs through a whole block before it fails.
    const QString as = QString(Block, u'a');
    QTest::newRow("candidate longer than a block")
        << as + QString(100, u'a') + u"ba"_s + QString(Block + 5, u'a') + u'b' + as + as
        << as + u"ba"_s;
}

void TestReplaceAll::longSameLengthSearches()
{
    QFETCH(QString, code);
    QFETCH(QString, search);
    const QString replacement = search.toUpper();
    const QString expected = referenceReplaceAll(code, search, replacement);
    QVERIFY(expected != code);
    QCOMPARE(ReplaceAll(code, search, replacement), expected);
    QCOMPARE(replaceAt(code, findOccurrences(code, search), search.size(), replacement), expected);
    checkCounted(code, search, replacement);
}

QTEST_APPLESS_MAIN(TestReplaceAll)
#include "test_replaceall.moc"
