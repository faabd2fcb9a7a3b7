#pragma once
// Two configurations compared field by field on the model: the settings
// that changed with their old and new values, and the table rows added,
// removed or changed with the changed fields named, in the model's order.
// A row is there when it differs from the row of a cleared model. Editor
// bookkeeping (changes not yet copied back, which grid rows may be edited)
// is not compared.

#include "protocol/XmtrConfig.h"

#include <QJsonObject>
#include <QJsonValue>

#include <string>
#include <vector>

namespace tavin {

struct FieldChange {
    std::string name;
    QJsonValue oldValue; // undefined for an added row
    QJsonValue newValue; // undefined for a removed row
};

struct ConfigDifference {
    enum class Kind { Changed, Added, Removed };
    Kind kind = Kind::Changed;
    std::string path;  // "TimedTx.Channel", or "SDI12[3]" for a row
    std::string table; // empty for a setting
    int row = -1;
    QJsonValue oldValue, newValue;   // a setting
    std::vector<FieldChange> fields; // a row: the fields that differ
};

struct DiffOptions {
    // A template carries no platform ids: they are not compared.
    bool skipPlatformIds = false;
};

// a is the old side, b the new one; cleared is what an empty file loads as,
// which tells an unused row.
std::vector<ConfigDifference> DiffConfigs(const XmtrConfig& a, const XmtrConfig& b,
                                          const XmtrConfig& cleared, const DiffOptions& options);

// One line per difference:
//   TimedTx.Channel: 95 -> 96
//   SDI12[3] added: Label "WIND", Address "1"
//   SDI12[4] removed: Label "RAIN"
//   SDI12[2] changed: Label "LVL" -> "STG", Interval "00:15:00" -> "00:30:00"
std::string DiffText(const std::vector<ConfigDifference>& differences);

// {"a": ..., "b": ..., "equal": bool, "differences": [...]}.
QJsonObject DiffJson(const std::vector<ConfigDifference>& differences, const std::string& a,
                     const std::string& b);

} // namespace tavin
