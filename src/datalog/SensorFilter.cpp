#include "datalog/SensorFilter.h"

#include "support/StringRoutines.h"

#include <algorithm>

namespace tavin {

namespace {

std::string EntryText(int n, std::string_view label) {
    return std::to_string(n) + ": " + std::string(label);
}

void Tick(SensorList& list, long long n) {
    if (n >= 0 && n < static_cast<long long>(list.size())) {
        list[static_cast<std::size_t>(n)].checked = true;
    }
}

} // namespace

void InitSensorLists(bool extended, SensorList& sdi12, SensorList& internal) {
    sdi12.clear();
    internal.clear();
    const int sdiCount = extended ? kExtendedSensors : kStandardSdi12Sensors;
    const int internalCount = extended ? kExtendedSensors : kStandardInternalSensors;
    for (int n = 0; n < sdiCount; ++n) {
        sdi12.push_back({EntryText(n, (n < 10 ? "SDI" : "SD") + std::to_string(n)), false});
    }
    for (int n = 0; n < internalCount; ++n) {
        internal.push_back({EntryText(n, (n < 10 ? "INT" : "IN") + std::to_string(n)), false});
    }
}

void SetSensorEntryLabel(SensorList& list, int n, std::string_view label, bool appendBeyond) {
    if (n < 0) {
        return;
    }
    if (n < static_cast<int>(list.size())) {
        list[static_cast<std::size_t>(n)].text = EntryText(n, label);
    } else if (appendBeyond) {
        list.push_back({EntryText(n, label), false});
    }
}

bool AllChecked(const SensorList& list) {
    return std::all_of(list.begin(), list.end(), [](const SensorEntry& e) { return e.checked; });
}

bool NoneChecked(const SensorList& list) {
    return std::none_of(list.begin(), list.end(), [](const SensorEntry& e) { return e.checked; });
}

void CheckAll(SensorList& list, bool checked) {
    for (auto& e : list) {
        e.checked = checked;
    }
}

std::string BuildSensorFilter(std::string_view prefix, const SensorList& list, int count) {
    std::string text(prefix);
    int first = -1;
    int last = -1;
    auto closeGroup = [&](bool atEnd) {
        std::string group;
        if (last - first >= 2 && last > 0) {
            group = std::to_string(first) + "-" + std::to_string(last);
        } else if (last - first > 0 && last > 0) {
            group = std::to_string(first) + (atEnd ? "-" : ",") + std::to_string(last);
        } else if (first >= 0) {
            group = std::to_string(first);
        }
        if (!group.empty()) {
            if (text.empty() || text.back() != '=') {
                text += ',';
            }
            text += group;
        }
        first = -1;
        last = -1;
    };
    const int n = std::min(count, static_cast<int>(list.size()));
    for (int i = 0; i < n; ++i) {
        if (list[static_cast<std::size_t>(i)].checked) {
            if (first == -1) {
                first = i;
            } else {
                last = i;
            }
        } else {
            closeGroup(false);
        }
    }
    closeGroup(true);
    return text;
}

void ApplyFilterList(std::string_view listText, SensorList& list) {
    CheckAll(list, false);
    std::string text(listText);
    std::replace(text.begin(), text.end(), '-', ' ');
    while (!text.empty()) {
        const auto comma = text.find(',');
        const std::string item = text.substr(0, comma);
        std::vector<ScanValue> slots;
        if (item.find(' ') == std::string::npos) {
            if (ScanFormatted(item, "%d", slots, 0) == 1) {
                Tick(list, slots[0].integer);
            }
        } else if (ScanFormatted(item, "%d %d", slots, 1) == 2) {
            const long long a = slots[0].integer;
            const long long b =
                std::min<long long>(slots[1].integer, static_cast<long long>(list.size()) - 1);
            for (long long i = std::max(a, 0LL); i <= b; ++i) {
                Tick(list, i);
            }
        }
        // The item and the comma after it.
        text.erase(0, comma == std::string::npos ? text.size() : comma + 1);
    }
}

} // namespace tavin
