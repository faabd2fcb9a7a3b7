#pragma once
// The main window's own captions and texts, byte for byte.

namespace tavin::texts {

inline constexpr char kApplicationTitle[] = "Quillfen TAVIN Utility";
inline constexpr char kMainCaption[] = "Quillfen Design TAVIN Utility";
inline constexpr char kMainCaptionArgos[] = "Quillfen Design TAVIN Utility - ARGOS Operation";
inline constexpr char kMainCaptionArgosScd[] =
    "Quillfen Design TAVIN Utility - ARGOS & SCD Operation";
inline constexpr char kTabConfigOptions[] = "Configuration Options";
inline constexpr char kComNone[] = "COM None";

} // namespace tavin::texts
