#include "workflows/CommandHistory.h"

namespace tavin {

void CommandHistory::Add(const std::string& command) {
    if (!command.empty() && (entries_.empty() || entries_.back() != command)) {
        entries_.push_back(command);
        if (entries_.size() > kMaxEntries) {
            entries_.erase(entries_.begin());
        }
    }
    pos_ = entries_.size();
    draft_.clear();
}

std::string CommandHistory::Up(const std::string& typed) {
    if (pos_ == entries_.size()) {
        draft_ = typed;
    }
    if (pos_ == 0) {
        return entries_.empty() ? typed : entries_.front();
    }
    --pos_;
    return entries_[pos_];
}

std::string CommandHistory::Down(const std::string& typed) {
    if (pos_ >= entries_.size()) {
        return typed;
    }
    ++pos_;
    return pos_ == entries_.size() ? draft_ : entries_[pos_];
}

} // namespace tavin
