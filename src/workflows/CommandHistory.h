#pragma once
// The commands typed in the direct control window, recalled with Up and
// Down as a terminal does: Up goes back to older commands, Down forward and,
// past the newest, back to what was being typed before the recall began.

#include <cstddef>
#include <string>
#include <vector>

namespace tavin {

class CommandHistory {
public:
    static constexpr std::size_t kMaxEntries = 200;

    // A command was sent: it becomes the newest entry (unless it repeats the
    // newest one) and the recall starts again from the bottom.
    void Add(const std::string& command);
    // The text the box shows after Up or Down; `typed` is the box's text now,
    // kept when the recall begins so that Down can give it back.
    std::string Up(const std::string& typed);
    std::string Down(const std::string& typed);

    const std::vector<std::string>& Entries() const { return entries_; }

private:
    std::vector<std::string> entries_;
    std::size_t pos_ = 0; // == entries_.size(): not recalling
    std::string draft_;
};

} // namespace tavin
