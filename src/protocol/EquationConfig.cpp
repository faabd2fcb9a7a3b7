#include "protocol/EquationConfig.h"

#include "protocol/CommandLine.h"
#include "protocol/TableLine.h"
#include "protocol/Vocabulary.h"

#include <limits>

namespace tavin {
void ParseEquationCmd(std::string_view line, XmtrConfig& cfg, ParseContext&) {
    if (!LineHas(line, mn::EQN) || LineHas(line, "EQN?")) {
        return;
    }
    const auto value = TextAfter(line, '=');
    if (!value) {
        return;
    }
    // The entry number ends at the first comma; everything after it, commas
    // included, is the equation.
    const auto equation = TextAfter(*value, ',');
    const auto entry = RowNumber(TextBefore(*value, ','), std::numeric_limits<int>::max());
    if (!equation || !entry || *equation == "C") {
        return;
    }
    auto& list = cfg.Equations;
    if (static_cast<std::size_t>(*entry) < list.size()) {
        list[*entry] = std::string(*equation);
    } else {
        list.emplace_back(*equation);
    }
}

std::string BuildEquationConfigCmd(const XmtrConfig& cfg, int entry) {
    if (entry < 0 || static_cast<std::size_t>(entry) >= cfg.Equations.size()) {
        return {};
    }
    return SetCmd(mn::EQN, {FormatInt(entry), cfg.Equations[entry]});
}

void ConfigEquations(const XmtrConfig& cfg, const ParseContext&, CommandSink& sink) {
    sink.Add(ClearCmd(mn::EQN));
    for (std::size_t i = 0; i < cfg.Equations.size(); ++i) {
        sink.Add(BuildEquationConfigCmd(cfg, static_cast<int>(i)));
    }
}

} // namespace tavin
