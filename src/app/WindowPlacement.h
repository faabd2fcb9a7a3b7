#pragma once
// Where the main window opens: the size and place it had when it was last
// closed, kept in the preferences file in a section of its own, brought back
// onto the screen when the screen has changed since.

#include <optional>
#include <string>

namespace tavin {

class IniFile;

struct WindowPlacement {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Maximized = false;

    bool operator==(const WindowPlacement&) const = default;
};

inline constexpr char kWindowSection[] = "WINDOW";

// What the file remembers; nullopt when it holds no usable placement.
std::optional<WindowPlacement> ReadWindowPlacement(const IniFile& doc);
void WriteWindowPlacement(IniFile& doc, const WindowPlacement& placement);

// The placement moved and shrunk so that the whole window lies on a screen
// of this size; sizes below the minimum grow to it.
WindowPlacement FitOnScreen(WindowPlacement placement, const WindowPlacement& screen, int minWidth,
                            int minHeight);

} // namespace tavin
