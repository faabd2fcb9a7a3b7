#include "CliArgs.h"

namespace tavin {

std::optional<std::string> CliArgs::Value(const std::string& longName) const {
    const auto it = values_.find(longName);
    if (it == values_.end() || it->second.empty()) {
        return std::nullopt;
    }
    return it->second.back();
}

std::string CliArgs::Ini() const {
    return Value("ini").value_or(defaultIni_);
}

bool CliArgs::Progress() const {
    return stderrTty_ || Has("progress");
}

int CliArgs::BadInput(const std::string& text) const {
    Err() << "tavin-cli: " << text << "\n";
    Err().flush();
    return kCliExitBadInput;
}

} // namespace tavin
