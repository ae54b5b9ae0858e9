// SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
// SPDX-License-Identifier: GPL-3.0-or-later

// How Form1 reads to a screen reader, beyond the names its table gives.
#pragma once

namespace velbrisk::ui {

// Makes the main window and its skin boxes read by the accessible interfaces
// of form1accessible.cpp. The factory it installs answers for these two
// classes of Velbrisk alone, so no other widget reads differently. Once is
// enough, later calls do nothing. Call it before any control of Form1 is
// created: an interface, once asked for, is kept.
void installForm1Accessibility();

} // namespace velbrisk::ui
