#include "editor/ChannelSelectRules.h"

namespace tavin {

namespace {

bool HasAny(const std::string& text, const char* letters) {
    return text.find_first_of(letters) != std::string::npos;
}

std::vector<std::string> Numbered(const char* prefix, int last) {
    std::vector<std::string> list;
    for (int i = 1; i <= last; ++i) {
        list.push_back(prefix + std::to_string(i));
    }
    return list;
}

} // namespace

const std::vector<std::string>& ArgosChannelList() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> l{""};
        for (auto part : {Numbered("A", 17), Numbered("S", 14), Numbered("L", 3)}) {
            l.insert(l.end(), part.begin(), part.end());
        }
        return l;
    }();
    return list;
}

const std::vector<std::string>& ScdChannelList() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> l = Numbered("C", 9);
        const auto d = Numbered("D", 17);
        l.insert(l.end(), d.begin(), d.end());
        return l;
    }();
    return list;
}

ChannelSelection SplitChannelText(const std::string& text, bool scdSelected) {
    ChannelSelection c;
    const std::size_t plus = text.find('+');
    if (plus == std::string::npos) {
        if (HasAny(text, "ASL")) {
            c.Argos = text;
        } else if (scdSelected && HasAny(text, "CD")) {
            c.Scd = text;
        }
        return c;
    }
    const std::string x = text.substr(0, plus);
    const std::string y = text.substr(plus + 1);
    if (HasAny(x, "ASL")) {
        c.Argos = x;
    } else if (HasAny(y, "A") || HasAny(y, "SL")) {
        c.Argos = y;
    }
    if (scdSelected) {
        if (HasAny(x, "CD")) {
            c.Scd = x;
        } else if (HasAny(y, "C") || HasAny(y, "D")) {
            c.Scd = y;
        }
    }
    return c;
}

std::string JoinChannelText(const ChannelSelection& choice, bool scdSelected) {
    if (!scdSelected) {
        return choice.Argos;
    }
    if (choice.Scd.empty()) {
        return {};
    }
    return choice.Argos.empty() ? choice.Scd : choice.Scd + "+" + choice.Argos;
}

} // namespace tavin
