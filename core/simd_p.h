// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Whether the SSE2 instructions can be used: always on x86-64, and on 32-bit
// x86 when the compiler is told so. Elsewhere the plain loops run alone.
#pragma once

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VELBRISK_SSE2 1
#endif
