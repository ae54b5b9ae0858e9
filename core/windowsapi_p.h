// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// <windows.h> with the error codes MinGW's headers lack. Windows only; the
// build defines NOMINMAX and WIN32_LEAN_AND_MEAN for every file.
#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>

#ifndef ERROR_DISK_QUOTA_EXCEEDED
#define ERROR_DISK_QUOTA_EXCEEDED 1295L
#endif
#endif
