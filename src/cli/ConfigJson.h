#pragma once
// The configuration model as a JSON document, for scripts and fleets. Keys are
// the model's field names; one-character fields are strings ("" for none);
// tables list every row. Reading starts from the model as given (normally a
// cleared one), so keys left out keep their values.

#include "protocol/XmtrConfig.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <string>
#include <vector>

namespace tavin {

QJsonObject ConfigToJson(const XmtrConfig& cfg);

// Fills cfg from doc. On a value of the wrong type or out of range, or a table
// with too many rows, returns false with the offending key path in `error`;
// cfg may then be partly filled.
bool ConfigFromJson(const QJsonObject& doc, XmtrConfig& cfg, QString& error);

// One field of the model with its JSON value, for comparing models field by
// field in the model's own order.
struct ConfigField {
    std::string path;  // "TimedTx.Channel", "SDI12[3].Label"
    std::string table; // "SDI12" for a table row's field, else empty
    int row = -1;
    std::string name; // "Label"
    QJsonValue value;
};

// Every field, in the order of the JSON document's visitors.
std::vector<ConfigField> ConfigFields(const XmtrConfig& cfg);

} // namespace tavin
