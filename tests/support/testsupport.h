// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// What several tests share: files read back, the skin colours
// (skincolours.h) and skin-file bytes worked out on their own (not taken from
// the program), and a tiny disk that fills up. QtCore only, so the core tests can use it too.
#pragma once

#include "skincolours.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
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
inline QByteArray fileBytes(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<absent>");
}

// Writes a whole file; false when any step fails.
inline bool putFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// Everything in a folder, hidden files included: a failed write must leave
// no unfinished file behind.
inline QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

// The byte of Windows-1252 for `c`, or -1 when it has none. Spelled out
// here, not taken from an encoder, which a Qt built without ICU lacks. The
// five bytes that Windows-1252 leaves undefined stand for the control
// characters of the same number.
inline int referenceWindows1252Byte(char16_t c)
{
    static constexpr char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
    };
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (high[i] == c)
            return 0x80 + i;
    return -1;
}

// A skin file for a code whose line breaks are LF: CR LF line ends and one
// more CR LF, in Windows-1252 when every character fits, in UTF-8 otherwise.
inline QByteArray skinFile(const QString &text)
{
    QString crlf = text;
    crlf.replace(u"\n"_s, u"\r\n"_s).append(u"\r\n"_s);
    QByteArray ansi;
    ansi.reserve(crlf.size());
    for (const QChar c : std::as_const(crlf)) {
        const int byte = referenceWindows1252Byte(c.unicode());
        if (byte < 0)
            return crlf.toUtf8();
        ansi.append(char(byte));
    }
    return ansi;
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
#elif defined(Q_OS_WIN)
// A Windows program cannot mount a disk: the tests under Wine are given a
// drive of 64 KiB (a tmpfs behind a drive letter of the Wine prefix) in
// VELBRISK_TINY_DISK. Each test works in a fresh folder of it, removed on
// every way out, so the drive is empty again for the next one.
class TinyDisk
{
public:
    TinyDisk()
    {
        const QString root = qEnvironmentVariable("VELBRISK_TINY_DISK");
        if (root.isEmpty() || !QDir(root).exists())
            return;
        m_path = QDir(root).filePath(u"disque-%1"_s.arg(QCoreApplication::applicationPid()));
        m_mounted = QDir().mkpath(m_path);
    }
    ~TinyDisk()
    {
        if (m_mounted)
            QDir(m_path).removeRecursively();
    }
    TinyDisk(const TinyDisk &) = delete;
    TinyDisk &operator=(const TinyDisk &) = delete;

    bool mounted() const { return m_mounted; }
    QString path() const { return m_path; }

private:
    QString m_path;
    bool m_mounted = false;
};

#define REQUIRE_TINY_DISK(disk)                                                                    \
    if (!(disk).mounted())                                                                         \
        QSKIP("No tiny drive given in VELBRISK_TINY_DISK");
#endif

} // namespace testsupport
