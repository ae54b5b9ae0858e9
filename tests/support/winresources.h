// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// The Windows resources of a program, read back: from the .res file that the
// resource compiler makes of a resource script, or (on Windows) from the
// built program through the system's resource functions; and its version
// block, node by node.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

#ifdef Q_OS_WIN
#include <windows.h> // NOMINMAX comes from the build
#endif

namespace winres {

// One resource of a compiled .res file.
struct Resource
{
    quint16 type = 0;
    quint16 id = 0;
    quint16 language = 0;
    QByteArray data;
};

// Little-endian numbers of a compiled resource; 0 past its end, so that a
// file cut short ends every loop over it.
inline quint16 word(const QByteArray &bytes, qsizetype at)
{
    if (at < 0 || at + 2 > bytes.size())
        return 0;
    return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

inline quint32 dword(const QByteArray &bytes, qsizetype at)
{
    return word(bytes, at) | quint32(word(bytes, at + 2)) << 16;
}

inline qsizetype align4(qsizetype at)
{
    return (at + 3) & ~qsizetype(3);
}

// Reads a type or name field: 0xFFFF and a number, or a string (skipped).
inline qsizetype readOrdinal(const QByteArray &bytes, qsizetype at, quint16 *ordinal)
{
    if (word(bytes, at) == 0xFFFF) {
        *ordinal = word(bytes, at + 2);
        return at + 4;
    }
    *ordinal = 0;
    while (word(bytes, at) != 0)
        at += 2;
    return at + 2;
}

// Every resource of a compiled .res file; nothing if the file is cut short.
inline std::optional<QList<Resource>> readRes(const QByteArray &bytes)
{
    QList<Resource> resources;
    qsizetype at = 0;
    while (at + 32 <= bytes.size()) {
        const quint32 dataSize = dword(bytes, at);
        const quint32 headerSize = dword(bytes, at + 4);
        Resource resource;
        qsizetype field = readOrdinal(bytes, at + 8, &resource.type);
        field = align4(readOrdinal(bytes, field, &resource.id));
        resource.language = word(bytes, field + 6);
        if (at + qsizetype(headerSize) + qsizetype(dataSize) > bytes.size())
            return std::nullopt;
        resource.data = bytes.mid(at + headerSize, dataSize);
        if (dataSize != 0)
            resources.append(resource);
        at = align4(at + headerSize + dataSize);
    }
    return resources;
}

// One node of a version block: key, value bytes, children.
struct VersionNode
{
    QString key;
    QByteArray value;
    bool text = false;
    QList<VersionNode> children;
};

inline VersionNode readVersionNode(const QByteArray &bytes, qsizetype at)
{
    VersionNode node;
    const qsizetype end = at + word(bytes, at);
    const quint16 valueLength = word(bytes, at + 2);
    node.text = word(bytes, at + 4) == 1;
    qsizetype key = at + 6;
    while (word(bytes, key) != 0) {
        node.key.append(QChar(word(bytes, key)));
        key += 2;
    }
    qsizetype value = align4(key + 2);
    // A text value counts UTF-16 units, its final NUL included.
    const qsizetype valueBytes = node.text ? 2 * valueLength : valueLength;
    node.value = bytes.mid(value, valueBytes);
    for (qsizetype child = align4(value + valueBytes); child < end;) {
        const quint16 length = word(bytes, child);
        if (length == 0)
            break;
        node.children.append(readVersionNode(bytes, child));
        child = align4(child + length);
    }
    return node;
}

inline const VersionNode *find(const VersionNode &node, const QString &key)
{
    for (const VersionNode &child : node.children)
        if (child.key == key)
            return &child;
    return nullptr;
}

inline QString textValue(const VersionNode &node)
{
    QString text;
    for (qsizetype i = 0; i + 1 < node.value.size(); i += 2) {
        const quint16 unit = word(node.value, i);
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return text;
}

#ifdef Q_OS_WIN
namespace detail {
// The enumeration's callbacks: each language of each name of each type,
// added to the list that `list` points to.
inline BOOL CALLBACK onLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language,
                                LONG_PTR list)
{
    const HRSRC found = FindResourceExW(module, type, name, language);
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void *data = loaded ? LockResource(loaded) : nullptr;
    if (data && IS_INTRESOURCE(type) && IS_INTRESOURCE(name))
        reinterpret_cast<QList<Resource> *>(list)->append(
            {quint16(quintptr(type)), quint16(quintptr(name)), language,
             QByteArray(static_cast<const char *>(data), SizeofResource(module, found))});
    return TRUE;
}

inline BOOL CALLBACK onName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR list)
{
    return EnumResourceLanguagesW(module, type, name, onLanguage, list);
}

inline BOOL CALLBACK onType(HMODULE module, LPWSTR type, LONG_PTR list)
{
    return EnumResourceNamesW(module, type, onName, list);
}
} // namespace detail

// Every resource of `exe`, read through the system's resource functions.
inline std::optional<QList<Resource>> exeResources(const QString &exe)
{
    const HMODULE module =
        LoadLibraryExW(reinterpret_cast<LPCWSTR>(exe.utf16()), nullptr,
                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        return std::nullopt;
    QList<Resource> resources;
    EnumResourceTypesW(module, detail::onType, reinterpret_cast<LONG_PTR>(&resources));
    FreeLibrary(module);
    return resources;
}
#endif

} // namespace winres
