// What the small-screen rule reads of the machine, behind a function tests can replace.
#pragma once
#include <functional>

constexpr int kSmallDesktopBottom = 660;  // a desktop whose bottom edge is above this is small

// The bottom edge of the desktop window's rectangle, in pixels.
int DesktopBottom();
bool IsSmallDesktop();
// Replaces the measurement (an empty function restores the real one).
void SetDesktopBottomSource(std::function<int()> source);
