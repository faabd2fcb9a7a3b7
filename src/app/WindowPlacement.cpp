#include "app/WindowPlacement.h"

#include "files/IniFile.h"
#include "support/StringRoutines.h"

#include <algorithm>

namespace tavin {

namespace {

std::optional<int> ReadInt(const IniFile& doc, const char* key) {
    const auto text = doc.Get(kWindowSection, key);
    if (!text || !IsIntegerText(*text, true) || text->size() > 6) {
        return std::nullopt;
    }
    return std::stoi(*text);
}

} // namespace

std::optional<WindowPlacement> ReadWindowPlacement(const IniFile& doc) {
    const auto left = ReadInt(doc, "Left");
    const auto top = ReadInt(doc, "Top");
    const auto width = ReadInt(doc, "Width");
    const auto height = ReadInt(doc, "Height");
    if (!left || !top || !width || !height || *width <= 0 || *height <= 0) {
        return std::nullopt;
    }
    WindowPlacement p{*left, *top, *width, *height, false};
    p.Maximized = ReadInt(doc, "Maximized").value_or(0) != 0;
    return p;
}

void WriteWindowPlacement(IniFile& doc, const WindowPlacement& p) {
    doc.Set(kWindowSection, "Left", std::to_string(p.Left));
    doc.Set(kWindowSection, "Top", std::to_string(p.Top));
    doc.Set(kWindowSection, "Width", std::to_string(p.Width));
    doc.Set(kWindowSection, "Height", std::to_string(p.Height));
    doc.Set(kWindowSection, "Maximized", p.Maximized ? "1" : "0");
}

WindowPlacement FitOnScreen(WindowPlacement p, const WindowPlacement& screen, int minWidth,
                            int minHeight) {
    p.Width = std::clamp(p.Width, std::min(minWidth, screen.Width), screen.Width);
    p.Height = std::clamp(p.Height, std::min(minHeight, screen.Height), screen.Height);
    p.Left = std::clamp(p.Left, screen.Left, screen.Left + screen.Width - p.Width);
    p.Top = std::clamp(p.Top, screen.Top, screen.Top + screen.Height - p.Height);
    return p;
}

} // namespace tavin
