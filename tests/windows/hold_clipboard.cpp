// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// Holds the Windows clipboard open, as a clipboard manager or a remote-desktop
// client does for a moment, until its standard input ends: the end-to-end
// roads press "Copier" and "Coller" meanwhile. Says "held" once it holds it.
#include <windows.h>

#include <cstdio>

int main()
{
    // For a window, as such programs do: under Wine, programs that open the
    // clipboard without a window share it, and the first to close it ends
    // the others' hold.
    const HWND window = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        nullptr, nullptr);
    // Wine's bridge to the X11 clipboard may hold it for a moment itself.
    int tries = 0;
    while (!OpenClipboard(window)) {
        if (++tries == 100) {
            std::fprintf(stderr, "OpenClipboard : erreur %lu\n", GetLastError());
            return 1;
        }
        Sleep(50);
    }
    std::puts("held");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    CloseClipboard();
    return 0;
}
