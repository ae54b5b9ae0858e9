// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's identity outside the program: the Windows resources as the
// resource compiler builds them (on Windows: as Windows reads them from the
// built velbrisk.exe), the desktop files, what `cmake --install` puts where,
// and the Debian package.
#include "winresources.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;
using namespace winres;

namespace {

const QString SourceDir = QStringLiteral(VELBRISK_SOURCE_DIR);
const QString BuildDir = QStringLiteral(VELBRISK_BUILD_DIR);
const QString AppId = QStringLiteral(VELBRISK_APP_ID);
// The version of project(), and the form every package shows.
const QString DisplayVersion = QStringLiteral(VELBRISK_DISPLAY_VERSION);
constexpr quint32 Major = VELBRISK_VERSION_MAJOR;
constexpr quint32 Minor = VELBRISK_VERSION_MINOR;
constexpr quint32 Patch = VELBRISK_VERSION_PATCH;
// The copyright holder and the licence, as the root CMakeLists.txt names them.
const QString Copyright = QStringLiteral(VELBRISK_COPYRIGHT);
const QString License = QStringLiteral(VELBRISK_LICENSE);

struct Run
{
    int exitCode = -1;
    QString output;
};

Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120'000))
        return {-1, u"did not finish: "_s + process.errorString()};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

QString tool(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

#ifdef Q_OS_WIN
// The program that was built. A Unix path (the tests run under Wine) is
// reached through Wine's drive Z:.
QString BuiltExe()
{
    const QString path = QStringLiteral(VELBRISK_EXE);
    return QDir::toNativeSeparators(path.startsWith(u'/') ? u"Z:"_s + path : path);
}
#endif

QSize pngSize(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(24);
    if (head.size() < 24 || !head.startsWith("\x89PNG\r\n\x1a\n"))
        return {};
    const auto bigEndian = [&head](int at) {
        return int(quint8(head[at])) << 24 | int(quint8(head[at + 1])) << 16 |
               int(quint8(head[at + 2])) << 8 | int(quint8(head[at + 3]));
    };
    return QSize(bigEndian(16), bigEndian(20));
}

// Colour type of a PNG: 3 is a palette of at most 256 colours.
int pngColourType(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray head = file.read(26);
    return head.size() == 26 ? int(quint8(head[25])) : -1;
}

// The Debian release this runs on, as /etc/os-release numbers it ("13"), or
// empty on another system or a release without a number (testing).
QString DebianRelease()
{
    const QString release = QSysInfo::productVersion();
    return QSysInfo::productType() == u"debian"_s &&
                   QRegularExpression(u"^[0-9]+$"_s).match(release).hasMatch()
               ? release
               : QString();
}

// The Debian package's version: the program's, and the release it was built
// for (2.00+deb13), where there is one.
QString DebVersion()
{
    const QString release = DebianRelease();
    return release.isEmpty() ? DisplayVersion : DisplayVersion + u"+deb"_s + release;
}

// What hardening-check may not ask of a program built on this release for
// amd64, whose own packages cannot give it either; every other check must
// pass. A release or a processor not listed gets every check.
QStringList HardeningExemptions()
{
    if (QSysInfo::currentCpuArchitecture() != u"x86_64"_s)
        return {};
    const QString release = DebianRelease();
    // Fortified calls, on both: hardening-check cannot tell them apart when
    // no libc call has a size the compiler knows (here only memcpy and
    // memmove into Qt's buffers, on Debian 12 and 13 alike).
    // Control-flow marks (IBT and SHSTK): Debian 12 builds without them; on
    // Debian 13, which builds with them (-fcf-protection), glibc's own
    // start-up files (Scrt1.o, crti.o, crtn.o) carry none, so the linker
    // leaves them out of every program, Debian's own /usr/bin/bash and
    // /usr/bin/dpkg too; our own objects carry them.
    if (release == u"12"_s)
        return {u"--nocfprotection"_s, u"--nofortify"_s};
    // Branch protection, on Debian 13, whose hardening-check asks for it on
    // every processor: it looks for AArch64's marks (BTI and PAC), which no
    // amd64 program has.
    if (release == u"13"_s)
        return {u"--nocfprotection"_s, u"--nobranchprotection"_s, u"--nofortify"_s};
    return {};
}

QString desktopKey(const QString &path, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString &line : lines)
        if (line.startsWith(key + u'='))
            return line.mid(key.size() + 1);
    return {};
}

} // namespace

class TestPackaging : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void displayVersion();
    void versionStrings_data();
    void versionStrings();
    void versionNumbersAndLanguage();
    void iconGroup();
    void iconPngs_data();
    void iconPngs();
    void desktopFilesValidate_data();
    void desktopFilesValidate();
    void metainfoRelease();
    void guiSubsystem();
    void installTree();
    void debianPackage();
    void debianChecks_data();
    void debianChecks();

private:
    QTemporaryDir m_temp;
    QList<Resource> m_resources;
    QString m_windresSkip;
    std::optional<VersionNode> m_version;
    QString m_deb;     // the package debianPackage() made
    QString m_debRoot; // and its files, unpacked
};

void TestPackaging::initTestCase()
{
    QVERIFY(m_temp.isValid());
#ifdef Q_OS_WIN
    const auto resources = exeResources(BuiltExe());
    QVERIFY2(resources, qPrintable(u"cannot read the resources of "_s + BuiltExe()));
#else
    // The resource script CMake made is compiled once, with the mingw-w64
    // resource compiler and the host's C preprocessor.
    const QString windres = tool(u"x86_64-w64-mingw32-windres"_s);
    const QString cpp = tool(u"cpp"_s);
    if (windres.isEmpty() || cpp.isEmpty()) {
        m_windresSkip = u"x86_64-w64-mingw32-windres or cpp is missing"_s;
        return;
    }
    const QString res = m_temp.filePath(u"velbrisk.res"_s);
    const Run compiled = run(windres, {u"--preprocessor="_s + cpp, QStringLiteral(VELBRISK_RC),
                                       u"-O"_s, u"res"_s, u"-o"_s, res});
    QVERIFY2(compiled.exitCode == 0, qPrintable(compiled.output));
    QFile file(res);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const auto resources = readRes(file.readAll());
    QVERIFY2(resources, "the .res file is cut short");
#endif
    m_resources = *resources;
    for (const Resource &resource : std::as_const(m_resources))
        if (resource.type == 16)
            m_version = readVersionNode(resource.data, 0);
}

void TestPackaging::displayVersion()
{
    // The major number, a dot, the minor on two digits: 2.0 is "2.00".
    QCOMPARE(DisplayVersion, u"%1.%2"_s.arg(Major).arg(Minor, 2, 10, QChar(u'0')));
}

void TestPackaging::versionStrings_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("FileVersion") << u"FileVersion"_s << DisplayVersion;
    QTest::newRow("ProductVersion") << u"ProductVersion"_s << DisplayVersion;
    QTest::newRow("ProductName") << u"ProductName"_s << u"Velbrisk [par ZeNdAl ]"_s;
    QTest::newRow("InternalName") << u"InternalName"_s << u"velbrisk"_s;
    QTest::newRow("OriginalFilename") << u"OriginalFilename"_s << u"velbrisk.exe"_s;
    QTest::newRow("Comments") << u"Comments"_s << u"serviable pour les blogs de décos :)"_s;
    QTest::newRow("FileDescription")
        << u"FileDescription"_s << u"bin il sert a modifier des décos!"_s;
    QTest::newRow("CompanyName") << u"CompanyName"_s << u"KwR-Production"_s;
    QTest::newRow("LegalCopyright") << u"LegalCopyright"_s << u"© "_s + Copyright;
}

void TestPackaging::versionStrings()
{
    if (!m_windresSkip.isEmpty())
        QSKIP(qPrintable(m_windresSkip));
    QFETCH(QString, key);
    QFETCH(QString, value);
    QVERIFY(m_version);
    const VersionNode *strings = find(*m_version, u"StringFileInfo"_s);
    QVERIFY(strings);
    QCOMPARE(strings->children.size(), 1);
    const VersionNode *table = find(*strings, u"040C04B0"_s);
    QVERIFY(table);
    QCOMPARE(table->children.size(), 9);
    const VersionNode *entry = find(*table, key);
    QVERIFY(entry);
    QVERIFY(entry->text);
    QCOMPARE(textValue(*entry), value);
}

void TestPackaging::versionNumbersAndLanguage()
{
    if (!m_windresSkip.isEmpty())
        QSKIP(qPrintable(m_windresSkip));
    QVERIFY(m_version);
    QCOMPARE(m_version->key, u"VS_VERSION_INFO"_s);
    const QByteArray &fixed = m_version->value;
    QCOMPARE(fixed.size(), 52);
    QCOMPARE(dword(fixed, 0), 0xFEEF04BDu);
    QCOMPARE(dword(fixed, 8), Major << 16 | Minor);  // file version
    QCOMPARE(dword(fixed, 12), Patch << 16);         // .patch.0
    QCOMPARE(dword(fixed, 16), Major << 16 | Minor); // product version
    QCOMPARE(dword(fixed, 20), Patch << 16);
    QCOMPARE(dword(fixed, 32), 0x40004u); // for 32- and 64-bit Windows
    QCOMPARE(dword(fixed, 36), 0x1u);     // an application

    const VersionNode *variables = find(*m_version, u"VarFileInfo"_s);
    QVERIFY(variables);
    const VersionNode *translation = find(*variables, u"Translation"_s);
    QVERIFY(translation);
    QCOMPARE(translation->value.size(), 4);
    QCOMPARE(word(translation->value, 0), quint16(0x040C));
    QCOMPARE(word(translation->value, 2), quint16(1200));

    for (const Resource &resource : std::as_const(m_resources))
        QCOMPARE(resource.language, quint16(0x040C));
}

void TestPackaging::iconGroup()
{
    if (!m_windresSkip.isEmpty())
        QSKIP(qPrintable(m_windresSkip));
    QList<Resource> groups;
    QHash<quint16, QByteArray> icons;
    for (const Resource &resource : std::as_const(m_resources)) {
        if (resource.type == 14)
            groups.append(resource);
        else if (resource.type == 3)
            icons.insert(resource.id, resource.data);
    }
    QCOMPARE(groups.size(), 1);
    QCOMPARE(icons.size(), 3);
    const QByteArray &group = groups[0].data;
    QCOMPARE(word(group, 2), quint16(1)); // icons, not cursors
    QCOMPARE(word(group, 4), quint16(3));
    QCOMPARE(group.size(), 6 + 3 * 14);

    const int sizes[] = {32, 48, 16};
    for (int i = 0; i < 3; ++i) {
        const qsizetype entry = 6 + 14 * i;
        QCOMPARE(int(quint8(group[entry])), sizes[i]);
        QCOMPARE(int(quint8(group[entry + 1])), sizes[i]);
        QCOMPARE(word(group, entry + 6), quint16(8)); // 256 colours
        const QByteArray icon = icons.value(word(group, entry + 12));
        QCOMPARE(quint32(icon.size()), dword(group, entry + 8));
        // Each image: a bitmap header of its size, 8 bits a pixel, twice
        // as high for the transparency mask below the colours.
        QCOMPARE(dword(icon, 0), 40u);
        QCOMPARE(dword(icon, 4), quint32(sizes[i]));
        QCOMPARE(dword(icon, 8), quint32(2 * sizes[i]));
        QCOMPARE(word(icon, 14), quint16(8));
    }
}

void TestPackaging::iconPngs_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 32, 48})
        QTest::addRow("%d px", size) << size;
}

void TestPackaging::iconPngs()
{
    QFETCH(int, size);
    const QString png = SourceDir + u"/packaging/icons/velbrisk-%1.png"_s.arg(size);
    QCOMPARE(pngSize(png), QSize(size, size));
    QCOMPARE(pngColourType(png), 3);
}

void TestPackaging::desktopFilesValidate_data()
{
    QTest::addColumn<QString>("validator");
    QTest::addColumn<QStringList>("arguments");
    const QString linux = SourceDir + u"/packaging/linux/"_s + AppId;
    QTest::newRow("desktop entry")
        << u"desktop-file-validate"_s << QStringList{linux + u".desktop"_s};
    // The AppStream file as CMake made it, the one that is installed.
    QTest::newRow("AppStream") << u"appstreamcli"_s
                               << QStringList{u"validate"_s, u"--no-net"_s,
                                              QStringLiteral(VELBRISK_METAINFO)};
}

void TestPackaging::desktopFilesValidate()
{
    QFETCH(QString, validator);
    QFETCH(QStringList, arguments);
    const QString program = tool(validator);
    if (program.isEmpty())
        QSKIP(qPrintable(validator + u" is missing"_s));
    const Run result = run(program, arguments);
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
}

void TestPackaging::metainfoRelease()
{
    QFile file(QStringLiteral(VELBRISK_METAINFO));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(file.readAll());
    QVERIFY2(xml.contains(u"<release version=\""_s + DisplayVersion + u'"'), qPrintable(xml));
    QVERIFY2(xml.contains(u"<project_license>"_s + License + u"</project_license>"_s),
             qPrintable(xml));
}

void TestPackaging::guiSubsystem()
{
#ifdef Q_OS_WIN
    // A program of the Windows GUI subsystem opens no console window.
    QFile exe(BuiltExe());
    QVERIFY(exe.open(QIODevice::ReadOnly));
    const QByteArray head = exe.read(4096);
    const qsizetype pe = dword(head, 0x3C);
    QCOMPARE(head.mid(pe, 4), "PE\0\0"_ba);
    const qsizetype optional = pe + 24;
    QCOMPARE(word(head, optional), quint16(0x20B));  // a 64-bit program
    QCOMPARE(word(head, optional + 68), quint16(2)); // IMAGE_SUBSYSTEM_WINDOWS_GUI
#else
    QSKIP("Only the Windows build makes velbrisk.exe");
#endif
}

void TestPackaging::installTree()
{
#ifdef Q_OS_WIN
    QSKIP("The Linux install tree; the Windows packages are tested on their own");
#endif
    const QString prefix = m_temp.filePath(u"prefix"_s);
    const Run installed =
        run(QStringLiteral(VELBRISK_CMAKE), {u"--install"_s, BuildDir, u"--prefix"_s, prefix});
    QVERIFY2(installed.exitCode == 0, qPrintable(installed.output));

    QVERIFY(QFileInfo(prefix + u"/bin/velbrisk"_s).isExecutable());
    const QString desktop = prefix + u"/share/applications/"_s + AppId + u".desktop"_s;
    QVERIFY(QFileInfo::exists(desktop));
    QVERIFY(QFileInfo::exists(prefix + u"/share/metainfo/"_s + AppId + u".metainfo.xml"_s));
    // The entry starts what was installed, with the icon installed under its name.
    QCOMPARE(desktopKey(desktop, u"Exec"_s), u"velbrisk"_s);
    QCOMPARE(desktopKey(desktop, u"Icon"_s), AppId);
    const QString icons = prefix + u"/share/icons/hicolor/"_s;
    for (int size : {16, 32, 48}) {
        const QString png = icons + u"%1x%1/apps/"_s.arg(size) + AppId + u".png"_s;
        QCOMPARE(pngSize(png), QSize(size, size));
    }
    QVERIFY(QFileInfo::exists(icons + u"scalable/apps/"_s + AppId + u".svg"_s));
}

void TestPackaging::debianPackage()
{
    for (const QString &needed : {u"dpkg-deb"_s, u"dpkg-shlibdeps"_s})
        if (tool(needed).isEmpty())
            QSKIP(qPrintable(needed + u" is missing"_s));
    const QString out = m_temp.filePath(u"deb"_s);
    const Run packed =
        run(QStringLiteral(VELBRISK_CPACK),
            {u"-G"_s, u"DEB"_s, u"-B"_s, out, u"--config"_s, BuildDir + u"/CPackConfig.cmake"_s});
    QVERIFY2(packed.exitCode == 0, qPrintable(packed.output));
    const QStringList debs = QDir(out).entryList({u"*.deb"_s}, QDir::Files);
    QCOMPARE(debs.size(), 1);
    const QString deb = out + u'/' + debs[0];

    const Run fields = run(tool(u"dpkg-deb"_s), {u"--field"_s, deb, u"Package"_s, u"Version"_s,
                                                 u"Depends"_s, u"Recommends"_s});
    QCOMPARE(fields.exitCode, 0);
    QVERIFY2(fields.output.contains(u"Package: velbrisk\n"_s), qPrintable(fields.output));
    // The package names the release it was built for, in its version and so
    // in its file's name.
    QVERIFY2(fields.output.contains(u"Version: "_s + DebVersion() + u'\n'),
             qPrintable(fields.output));
    QVERIFY2(debs[0].startsWith(u"velbrisk_"_s + DebVersion() + u'_'), qPrintable(debs[0]));
    // The real libraries, found by dpkg-shlibdeps.
    for (const QString &library :
         {u"libqt6widgets6"_s, u"libqt6core6"_s, u"libc6"_s, u"libstdc++6"_s})
        QVERIFY2(fields.output.contains(library), qPrintable(fields.output));
    QVERIFY2(fields.output.contains(u"fonts-wine"_s), qPrintable(fields.output));
    // Qt's French texts, which the program loads from Qt's translations folder.
    QVERIFY2(QRegularExpression(u"^Depends: .*\\bqt6-translations-l10n\\b"_s,
                                QRegularExpression::MultilineOption)
                 .match(fields.output)
                 .hasMatch(),
             qPrintable(fields.output));

    const Run contents = run(tool(u"dpkg-deb"_s), {u"--contents"_s, deb});
    QCOMPARE(contents.exitCode, 0);
    for (const QString &path :
         {u"./usr/bin/velbrisk"_s, u"./usr/share/applications/"_s + AppId + u".desktop"_s,
          u"./usr/share/metainfo/"_s + AppId + u".metainfo.xml"_s,
          u"./usr/share/icons/hicolor/48x48/apps/"_s + AppId + u".png"_s,
          u"./usr/share/doc/velbrisk/copyright"_s, u"./usr/share/doc/velbrisk/changelog.gz"_s,
          u"./usr/share/man/man1/velbrisk.1.gz"_s})
        QVERIFY2(contents.output.contains(path + u'\n'), qPrintable(path));

    // The release history names the version being packaged: a new version
    // needs its entry.
    QFile changelog(SourceDir + u"/packaging/linux/changelog"_s);
    QVERIFY(changelog.open(QIODevice::ReadOnly));
    const QString head = QString::fromUtf8(changelog.readLine());
    QVERIFY2(head.startsWith(u"velbrisk ("_s + DisplayVersion + u") "_s), qPrintable(head));

    m_debRoot = m_temp.filePath(u"deb-root"_s);
    const Run unpacked = run(tool(u"dpkg-deb"_s), {u"-x"_s, deb, m_debRoot});
    QVERIFY2(unpacked.exitCode == 0, qPrintable(unpacked.output));
    m_deb = deb;
}

// Debian's own checkers on the package; each must pass with nothing to say
// beyond information lines.
void TestPackaging::debianChecks_data()
{
    QTest::addColumn<QString>("checker");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    // lintian warns on its own when run as root (CI does): only its tags and
    // its exit code count.
    QTest::newRow("lintian") << u"lintian"_s
                             << QStringList{u"--no-cfg"_s, u"--fail-on"_s, u"error,warning"_s,
                                            u"--display-info"_s, m_deb}
                             << QString();
    // Less the checks the release cannot pass (HardeningExemptions).
    QTest::newRow("hardening-check")
        << u"hardening-check"_s
        << HardeningExemptions() + QStringList{m_debRoot + u"/usr/bin/velbrisk"_s} << QString();
    // Debian's machine-readable format, as Debian's own parser reads it.
    const QString readCopyright = uR"py(import sys
from debian.copyright import Copyright
c = Copyright(open(sys.argv[1], encoding="utf-8"), strict=True)
files = c.find_files_paragraph("usr/bin/velbrisk")
text = [p.license.text for p in c.all_license_paragraphs() if p.license.synopsis == files.license.synopsis]
print(files.copyright, files.license.synopsis, "GPL-3" in "".join(text), sep="|"))py"_s;
    // Debian's python3-debian, for Debian's own Python.
    QTest::newRow("copyright") << u"/usr/bin/python3"_s
                               << QStringList{u"-c"_s, readCopyright,
                                              m_debRoot + u"/usr/share/doc/velbrisk/copyright"_s}
                               << Copyright + u"|GPL-3+|True\n"_s;
}

void TestPackaging::debianChecks()
{
    QFETCH(QString, checker);
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    if (m_deb.isEmpty())
        QSKIP("No package was made");
    const QString program = tool(checker);
    if (program.isEmpty())
        QSKIP(qPrintable(checker + u" is missing"_s));
    if (checker == u"hardening-check"_s && !VELBRISK_HARDENED)
        QSKIP("This build is not hardened (sanitizers, fuzzer or VELBRISK_HARDEN=OFF)");
    const Run result = run(program, arguments);
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    const QStringList tags = result.output.split(u'\n').filter(QRegularExpression(u"^[EW]: "_s));
    QVERIFY2(tags.isEmpty(), qPrintable(tags.join(u'\n')));
    if (!expected.isEmpty())
        QCOMPARE(result.output, expected);
}

QTEST_GUILESS_MAIN(TestPackaging)
#include "test_packaging.moc"
