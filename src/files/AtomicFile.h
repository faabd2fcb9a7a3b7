#pragma once
// Replacing a file so that it is never seen half-written: the new contents go
// to a temporary file in the same folder, are flushed to the disk, and the
// temporary then takes the target's name in one rename. If anything fails,
// the old file is left exactly as it was and the temporary is removed.

#include <string>
#include <string_view>

namespace tavin {

// The whole contents of a file; false (with a reason) when it cannot be read
// or is larger than maxBytes. `missing` is set when the file does not exist.
bool ReadWholeFile(const std::string& path, std::string& contents, std::string* error = nullptr,
                   bool* missing = nullptr, std::size_t maxBytes = 64u << 20);

// Writes data to path atomically. A symbolic link is followed, so the file it
// names is replaced and the link kept. The file keeps its permissions; a new
// file gets read-write for the owner and read for others.
bool WriteFileAtomically(const std::string& path, std::string_view data,
                         std::string* error = nullptr);

} // namespace tavin
