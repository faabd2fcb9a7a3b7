#pragma once
// The configuration model as a JSON document, for scripts and fleets. Keys are
// the model's field names; one-character fields are strings ("" for none);
// tables list every row. Reading starts from the model as given (normally a
// cleared one), so keys left out keep their values.

#include "protocol/XmtrConfig.h"

#include <QJsonObject>
#include <QString>

namespace tavin {

QJsonObject ConfigToJson(const XmtrConfig& cfg);

// Fills cfg from doc. On a value of the wrong type or out of range, or a table
// with too many rows, returns false with the offending key path in `error`;
// cfg may then be partly filled.
bool ConfigFromJson(const QJsonObject& doc, XmtrConfig& cfg, QString& error);

} // namespace tavin
