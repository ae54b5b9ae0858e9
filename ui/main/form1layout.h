// The controls of Form1, placed as the window's layout table says.
#pragma once

class QWidget;

namespace velbrisk::ui {

// The client area, in pixels.
inline constexpr int Form1Width = 648;
inline constexpr int Form1Height = 473;

// Creates every control of Form1 on `window`, each named after its control,
// and sets the window's own colours, font and tab order. Connects nothing.
void buildForm1(QWidget *window);

} // namespace velbrisk::ui
