// What several tests share: files read back, the skin colours and skin-file
// bytes worked out on their own (not taken from the program), and a tiny
// disk that fills up. QtCore only, so the core tests can use it too.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace testsupport {

using namespace Qt::StringLiterals;

// The whole content of a file, or "<absent>" when it cannot be read.
inline QByteArray FileBytes(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<absent>");
}

// Writes a whole file; false when any step fails.
inline bool PutFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// Everything in a folder, hidden files included: a failed write must leave
// no unfinished file behind.
inline QStringList Entries(const QString &folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

// The key colour of skin 1 to 24.
inline QString KeyColour(int skin)
{
    static const QString colours[] = {
        u"#333333"_s, u"#7e94a5"_s, u"#333300"_s, u"#ccd6e0"_s, u"#9c0062"_s, u"#6599ff"_s,
        u"#629962"_s, u"#cd6562"_s, u"#ffffff"_s, u"#ffffff"_s, u"#ffffff"_s, u"#ffcecd"_s,
        u"#000000"_s, u"#000000"_s, u"#000000"_s, u"#ffbe39"_s, u"#ffffcd"_s, u"#c5c6de"_s,
        u"#ee449c"_s, u"#4a5052"_s, u"#4a4c52"_s, u"#6a0420"_s, u"#f6a5ee"_s, u"#313031"_s,
    };
    return colours[skin - 1];
}

// A skin file for a code whose line breaks are LF: CR LF line ends and one
// more CR LF, in Windows-1252 when every character fits, in UTF-8 otherwise.
inline QByteArray SkinFile(const QString &text)
{
    QString crlf = text;
    crlf.replace(u"\n"_s, u"\r\n"_s).append(u"\r\n"_s);
    QStringEncoder encoder("windows-1252");
    QStringDecoder decoder("windows-1252");
    const QByteArray ansi = encoder.encode(crlf);
    const QString back = decoder.decode(ansi);
    return back == crlf ? ansi : crlf.toUtf8();
}

#ifdef Q_OS_LINUX
// A tmpfs of 64 KiB mounted on a fresh folder, unmounted on every way out.
// Only root may mount it; REQUIRE_TINY_DISK skips the test otherwise.
class TinyDisk
{
public:
    TinyDisk()
    {
        if (geteuid() != 0 || !m_parent.isValid())
            return;
        m_path = m_parent.path() + u"/disque"_s;
        if (!QDir().mkdir(m_path))
            return;
        m_mounted =
            ::mount("tmpfs", QFile::encodeName(m_path).constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~TinyDisk()
    {
        if (m_mounted && ::umount2(QFile::encodeName(m_path).constData(), 0) != 0)
            ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
    }
    TinyDisk(const TinyDisk &) = delete;
    TinyDisk &operator=(const TinyDisk &) = delete;

    bool mounted() const { return m_mounted; }
    QString path() const { return m_path; }
    bool makeReadOnly()
    {
        return ::mount("tmpfs", QFile::encodeName(m_path).constData(), "tmpfs",
                       MS_REMOUNT | MS_RDONLY, "size=64k") == 0;
    }

private:
    QTemporaryDir m_parent;
    QString m_path;
    bool m_mounted = false;
};

#define REQUIRE_TINY_DISK(disk)                                                                    \
    if (geteuid() != 0)                                                                            \
        QSKIP("Mounting a tiny tmpfs needs root");                                                 \
    if (!(disk).mounted())                                                                         \
        QSKIP("This system refused to mount a tmpfs");
#endif

} // namespace testsupport
