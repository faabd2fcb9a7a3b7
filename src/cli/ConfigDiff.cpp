#include "ConfigDiff.h"

#include "ConfigJson.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <map>

namespace tavin {

namespace {

// Editor bookkeeping rather than settings: whether the editor holds changes
// not yet copied back, and whether a grid row may be edited (the row after
// the last defined one may).
bool IsBookkeeping(const ConfigField& f) {
    return f.path == "TimedTx.Modified" || f.path == "RandomTx.Modified" ||
           (f.table == "SDI12" && f.name == "Enabled");
}

// The fields that are compared.
std::vector<ConfigField> Compared(const XmtrConfig& cfg, const DiffOptions& options) {
    std::vector<ConfigField> fields = ConfigFields(cfg);
    std::erase_if(fields, [&](const ConfigField& f) {
        return IsBookkeeping(f) || (options.skipPlatformIds &&
                                    (f.path == "PlatformIdGoes" || f.path == "PlatformIdArgos"));
    });
    return fields;
}

// A value as JSON writes it: strings quoted, numbers, true and false, arrays.
std::string Shown(const QJsonValue& v) {
    const QByteArray text = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact);
    return text.mid(1, text.size() - 2).toStdString();
}

using Row = std::vector<const ConfigField*>;

// The fields of every row, by table and row, in the model's order.
std::map<std::pair<std::string, int>, Row> RowsOf(const std::vector<ConfigField>& fields) {
    std::map<std::pair<std::string, int>, Row> rows;
    for (const ConfigField& f : fields) {
        if (!f.table.empty()) {
            rows[{f.table, f.row}].push_back(&f);
        }
    }
    return rows;
}

bool SameRow(const Row& x, const Row& y) {
    for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) {
        if (x[i]->value != y[i]->value) {
            return false;
        }
    }
    return x.size() == y.size();
}

} // namespace

std::vector<ConfigDifference> DiffConfigs(const XmtrConfig& a, const XmtrConfig& b,
                                          const XmtrConfig& cleared, const DiffOptions& options) {
    const std::vector<ConfigField> fa = Compared(a, options);
    const std::vector<ConfigField> fb = Compared(b, options);
    const std::vector<ConfigField> fc = Compared(cleared, options);
    auto rowsA = RowsOf(fa);
    auto rowsB = RowsOf(fb);
    auto rowsC = RowsOf(fc);

    std::vector<ConfigDifference> out;
    for (std::size_t i = 0; i < fa.size() && i < fb.size(); ++i) {
        const ConfigField& x = fa[i];
        if (x.table.empty()) {
            if (x.value != fb[i].value) {
                ConfigDifference d;
                d.path = x.path;
                d.oldValue = x.value;
                d.newValue = fb[i].value;
                out.push_back(std::move(d));
            }
            continue;
        }
        if (x.name != rowsA[{x.table, x.row}].front()->name) {
            continue; // a row is compared once, at its first field
        }
        const Row& ra = rowsA[{x.table, x.row}];
        const Row& rb = rowsB[{x.table, x.row}];
        const Row& rc = rowsC[{x.table, x.row}];
        if (SameRow(ra, rb)) {
            continue;
        }
        ConfigDifference d;
        d.path = x.table + "[" + std::to_string(x.row) + "]";
        d.table = x.table;
        d.row = x.row;
        const bool inA = !SameRow(ra, rc);
        const bool inB = !SameRow(rb, rc);
        d.kind = inA && inB ? ConfigDifference::Kind::Changed
                 : inB      ? ConfigDifference::Kind::Added
                            : ConfigDifference::Kind::Removed;
        for (std::size_t k = 0; k < ra.size() && k < rb.size() && k < rc.size(); ++k) {
            switch (d.kind) {
            case ConfigDifference::Kind::Changed:
                if (ra[k]->value != rb[k]->value) {
                    d.fields.push_back({ra[k]->name, ra[k]->value, rb[k]->value});
                }
                break;
            case ConfigDifference::Kind::Added:
                if (rb[k]->value != rc[k]->value) {
                    d.fields.push_back(
                        {rb[k]->name, QJsonValue(QJsonValue::Undefined), rb[k]->value});
                }
                break;
            case ConfigDifference::Kind::Removed:
                if (ra[k]->value != rc[k]->value) {
                    d.fields.push_back(
                        {ra[k]->name, ra[k]->value, QJsonValue(QJsonValue::Undefined)});
                }
                break;
            }
        }
        out.push_back(std::move(d));
    }
    return out;
}

std::string DiffText(const std::vector<ConfigDifference>& differences) {
    std::string out;
    for (const ConfigDifference& d : differences) {
        if (d.table.empty()) {
            out += d.path + ": " + Shown(d.oldValue) + " -> " + Shown(d.newValue) + "\n";
            continue;
        }
        const char* kind = d.kind == ConfigDifference::Kind::Added     ? " added: "
                           : d.kind == ConfigDifference::Kind::Removed ? " removed: "
                                                                       : " changed: ";
        out += d.path + kind;
        for (std::size_t i = 0; i < d.fields.size(); ++i) {
            const FieldChange& f = d.fields[i];
            out += (i > 0 ? ", " : "") + f.name + " ";
            switch (d.kind) {
            case ConfigDifference::Kind::Added:
                out += Shown(f.newValue);
                break;
            case ConfigDifference::Kind::Removed:
                out += Shown(f.oldValue);
                break;
            case ConfigDifference::Kind::Changed:
                out += Shown(f.oldValue) + " -> " + Shown(f.newValue);
                break;
            }
        }
        out += "\n";
    }
    return out;
}

QJsonObject DiffJson(const std::vector<ConfigDifference>& differences, const std::string& a,
                     const std::string& b) {
    QJsonArray list;
    for (const ConfigDifference& d : differences) {
        QJsonObject o;
        o["path"] = QString::fromStdString(d.path);
        o["kind"] = d.kind == ConfigDifference::Kind::Added     ? "added"
                    : d.kind == ConfigDifference::Kind::Removed ? "removed"
                                                                : "changed";
        if (d.table.empty()) {
            o["old"] = d.oldValue;
            o["new"] = d.newValue;
        } else {
            o["table"] = QString::fromStdString(d.table);
            o["row"] = d.row;
            QJsonArray fields;
            for (const FieldChange& f : d.fields) {
                QJsonObject field;
                field["field"] = QString::fromStdString(f.name);
                if (!f.oldValue.isUndefined()) {
                    field["old"] = f.oldValue;
                }
                if (!f.newValue.isUndefined()) {
                    field["new"] = f.newValue;
                }
                fields.append(field);
            }
            o["fields"] = fields;
        }
        list.append(o);
    }
    QJsonObject doc;
    doc["a"] = QString::fromStdString(a);
    doc["b"] = QString::fromStdString(b);
    doc["equal"] = differences.empty();
    doc["differences"] = list;
    return doc;
}

} // namespace tavin
