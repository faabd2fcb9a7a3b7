#include "cli/ConfigJson.h"

#include <QJsonArray>

#include <cmath>
#include <limits>
#include <optional>

namespace tavin {
namespace {

// One list of fields per record serves both directions: the writer and the
// reader are visitors over the same calls, so they cannot drift apart.
template <typename V> void VisitGeneral(TGeneralSettings& g, V& v) {
    v("PowerUpEnable", g.PowerUpEnable);
    v("PlatformIdString", g.PlatformIdString);
    v("PseudoBinaryHeader1", g.PseudoBinaryHeader1);
    v("PseudoBinaryHeader2", g.PseudoBinaryHeader2);
    v("InvalidReplaceChar", g.InvalidReplaceChar);
    v("TxPower100", g.TxPower100);
    v("TxPower300", g.TxPower300);
    v("TxPower1200", g.TxPower1200);
    v("TimeZoneOffset", g.TimeZoneOffset);
    v("SlashForNull", g.SlashForNull);
    v("LoggerMode", g.LoggerMode);
    v("GpsTimeSync", g.GpsTimeSync);
    v("GpsTcxoCal", g.GpsTcxoCal);
    v("GpsOcxoCal", g.GpsOcxoCal);
    v("GpsSyncTimeout", g.GpsSyncTimeout);
}

template <typename V> void VisitTimedTx(TTimedTxParams& t, V& v) {
    v("Modified", t.Modified);
    v("Channel", t.Channel);
    v("Interval", t.Interval);
    v("FirstTx", t.FirstTx);
    v("WindowLength", t.WindowLength);
    v("BitRate", t.BitRate);
    v("Interleaver", t.Interleaver);
    v("DataFormat", t.DataFormat);
    v("Preamble", t.Preamble);
    v("DataSource", t.DataSource);
    v("DataOrder", t.DataOrder);
    v("OpFlags", t.OpFlags);
}

template <typename V> void VisitRandomTx(TRandomTxParams& r, V& v) {
    v("Modified", r.Modified);
    v("Channel", r.Channel);
    v("Interval", r.Interval);
    v("Percent", r.Percent);
    v("RepeatCount", r.RepeatCount);
    v("BitRate", r.BitRate);
    v("Interleaver", r.Interleaver);
    v("DataFormat", r.DataFormat);
    v("DataSource", r.DataSource);
    v("DataOrder", r.DataOrder);
    v("OpFlags", r.OpFlags);
    v("ArgosEnabled", r.ArgosEnabled);
    v("ScdEnabled", r.ScdEnabled);
    v("ArgosChannel", r.ArgosChannel);
    v("ArgosDataPack", r.ArgosDataPack);
    v("ArgosInterval", r.ArgosInterval);
    v("ArgosRepeatCount", r.ArgosRepeatCount);
    v("ArgosTxPower", r.ArgosTxPower);
}

template <typename V> void VisitRow(TDataFormatRow& d, V& v) {
    v("SourceType", d.SourceType);
    v("SourceIndex", d.SourceIndex);
    v("ValueCount", d.ValueCount);
    v("StatFlags", d.StatFlags);
    v("FieldWidth", d.FieldWidth);
    v("Flags", d.Flags);
    v("Slope", d.Slope);
    v("Offset", d.Offset);
    v("Text", d.Text);
}

template <typename V> void VisitRow(TSDI12Row& s, V& v) {
    v("Enabled", s.Enabled);
    v("Append", s.Append);
    v("Label", s.Label);
    v("Address", s.Address);
    v("Measurement", s.Measurement);
    v("Concurrent", s.Concurrent);
    v("Value", s.Value);
    v("Interval", s.Interval);
    v("Offset", s.Offset);
    v("LogRate", s.LogRate);
    v("Delta", s.Delta);
    v("Trig", s.Trig);
}

template <typename V> void VisitRow(TInternSensor& s, V& v) {
    v("Label", s.Label);
    v("Type", s.Type);
    v("Interval", s.Interval);
    v("Offset", s.Offset);
    v("TimeFormat", s.TimeFormat);
    v("LogRate", s.LogRate);
    v("Delta", s.Delta);
    v("Trig", s.Trig);
}

template <typename V> void VisitTippingBucket(TTippingBucket& t, V& v) {
    v("RollOver", t.RollOver);
    v("Multiplier", t.Multiplier);
    v("ResetInterval", t.ResetInterval);
    v("ResetDays", t.ResetDays);
    v("ResetHour", t.ResetHour);
}

template <typename V> void VisitRow(TSensorMMA& m, V& v) {
    v("SourceType", m.SourceType);
    v("SourceIndex", m.SourceIndex);
    v("Interval", m.Interval);
    v("Offset", m.Offset);
    v("Min", m.Min);
    v("Max", m.Max);
    v("Avg", m.Avg);
    v("Vec", m.Vec);
}

template <typename V> void VisitRow(TRandomTrigger& t, V& v) {
    v("SensorType", t.SensorType);
    v("SensorIndex", t.SensorIndex);
    v("TriggerType", t.TriggerType);
    v("Limit", t.Limit);
}

template <typename V> void VisitTop(XmtrConfig& c, V& v) {
    v("PlatformIdGoes", c.PlatformIdGoes);
    v("PlatformIdArgos", c.PlatformIdArgos);
    v("TimedEnabled", c.TimedEnabled);
    v("RandomEnabled", c.RandomEnabled);
    v("SDI12Present", c.SDI12Present);
    v("InternalPresent", c.InternalPresent);
    v("SensorCountSDI12", c.SensorCountSDI12);
    v("SensorCountInternal", c.SensorCountInternal);
    v.Record("General", c.General, [](auto& r, auto& w) { VisitGeneral(r, w); });
    v.Record("TimedTx", c.TimedTx, [](auto& r, auto& w) { VisitTimedTx(r, w); });
    v.Record("RandomTx", c.RandomTx, [](auto& r, auto& w) { VisitRandomTx(r, w); });
    v.Table("TimedData", c.TimedData);
    v.Table("RandomData", c.RandomData);
    v.Table("SDI12", c.SDI12);
    v.Table("Internal", c.Internal);
    v.Record("TippingBucket", c.TippingBucket, [](auto& r, auto& w) { VisitTippingBucket(r, w); });
    v.Table("MinMaxAvg", c.MinMaxAvg);
    v.Table("RandomTriggers", c.RandomTriggers);
    v("Equations", c.Equations);
}

QString Latin1(const std::string& s) {
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

class Writer {
public:
    QJsonObject obj;

    void operator()(const char* key, bool& b) { obj[key] = b; }
    void operator()(const char* key, std::int32_t& i) { obj[key] = i; }
    void operator()(const char* key, std::uint8_t& i) { obj[key] = int(i); }
    void operator()(const char* key, double& d) { obj[key] = d; }
    void operator()(const char* key, std::string& s) { obj[key] = Latin1(s); }
    void operator()(const char* key, char& c) {
        obj[key] = c == '\0' ? QString() : QString(QChar::fromLatin1(c));
    }
    void operator()(const char* key, OpFlagSet& flags) {
        QJsonArray a;
        for (bool f : flags) {
            a.append(f);
        }
        obj[key] = a;
    }
    void operator()(const char* key, std::array<std::uint8_t, kArgosDataPackSize>& pack) {
        QJsonArray a;
        for (auto w : pack) {
            a.append(int(w));
        }
        obj[key] = a;
    }
    void operator()(const char* key, std::vector<std::string>& list) {
        QJsonArray a;
        for (const auto& s : list) {
            a.append(Latin1(s));
        }
        obj[key] = a;
    }
    template <typename R, typename F> void Record(const char* key, R& r, F visit) {
        Writer w;
        visit(r, w);
        obj[key] = w.obj;
    }
    template <typename R, std::size_t N> void Table(const char* key, std::array<R, N>& rows) {
        QJsonArray a;
        for (auto& r : rows) {
            Writer w;
            VisitRow(r, w);
            a.append(w.obj);
        }
        obj[key] = a;
    }
};

class Reader {
public:
    Reader(const QJsonObject& o, QString path, QString& error)
        : obj_(o), path_(std::move(path)), error_(error) {}

    bool Failed() const { return !error_.isEmpty(); }

    void operator()(const char* key, bool& b) {
        if (auto v = Get(key, QJsonValue::Bool)) {
            b = v->toBool();
        }
    }
    void operator()(const char* key, std::int32_t& i) { Integer(key, i); }
    void operator()(const char* key, std::uint8_t& i) { Integer(key, i); }
    void operator()(const char* key, double& d) {
        if (auto v = Get(key, QJsonValue::Double)) {
            d = v->toDouble();
        }
    }
    void operator()(const char* key, std::string& s) {
        if (auto v = Get(key, QJsonValue::String)) {
            if (!ToLatin1(key, v->toString(), s)) {
                return;
            }
        }
    }
    void operator()(const char* key, char& c) {
        if (auto v = Get(key, QJsonValue::String)) {
            std::string s;
            if (!ToLatin1(key, v->toString(), s)) {
                return;
            }
            if (s.size() > 1) {
                Fail(key, "one character expected");
                return;
            }
            c = s.empty() ? '\0' : s.front();
        }
    }
    void operator()(const char* key, OpFlagSet& flags) {
        if (auto a = Array(key, flags.size())) {
            for (qsizetype i = 0; i < a->size(); ++i) {
                if (!(*a)[i].isBool()) {
                    Fail(key, "booleans expected");
                    return;
                }
                flags[i] = (*a)[i].toBool();
            }
        }
    }
    void operator()(const char* key, std::array<std::uint8_t, kArgosDataPackSize>& pack) {
        if (auto a = Array(key, pack.size())) {
            for (qsizetype i = 0; i < a->size(); ++i) {
                std::uint8_t w = 0;
                if (!IntegerValue((*a)[i], w)) {
                    Fail(key, "numbers from 0 to 255 expected");
                    return;
                }
                pack[i] = w;
            }
        }
    }
    void operator()(const char* key, std::vector<std::string>& list) {
        if (auto a = Array(key, std::numeric_limits<int>::max())) {
            list.clear();
            for (const auto& v : *a) {
                std::string s;
                if (!v.isString() || !ToLatin1(key, v.toString(), s)) {
                    Fail(key, "texts expected");
                    return;
                }
                list.push_back(std::move(s));
            }
        }
    }
    template <typename R, typename F> void Record(const char* key, R& r, F visit) {
        if (auto v = Get(key, QJsonValue::Object)) {
            Reader sub(v->toObject(), Path(key), error_);
            visit(r, sub);
        }
    }
    template <typename R, std::size_t N> void Table(const char* key, std::array<R, N>& rows) {
        if (auto a = Array(key, N)) {
            for (qsizetype i = 0; i < a->size() && !Failed(); ++i) {
                if (!(*a)[i].isObject()) {
                    Fail(key, "rows must be objects");
                    return;
                }
                Reader sub((*a)[i].toObject(), Path(key) + "[" + QString::number(i) + "]", error_);
                VisitRow(rows[i], sub);
            }
        }
    }

private:
    QString Path(const char* key) const {
        return path_.isEmpty() ? QString(key) : path_ + "." + key;
    }
    void Fail(const char* key, const char* what) {
        if (error_.isEmpty()) {
            error_ = Path(key) + ": " + what;
        }
    }
    std::optional<QJsonValue> Get(const char* key, QJsonValue::Type type) {
        if (Failed() || !obj_.contains(key)) {
            return std::nullopt;
        }
        const QJsonValue v = obj_.value(key);
        if (v.type() != type) {
            Fail(key, "value of the wrong type");
            return std::nullopt;
        }
        return v;
    }
    std::optional<QJsonArray> Array(const char* key, std::size_t maxSize) {
        auto v = Get(key, QJsonValue::Array);
        if (!v) {
            return std::nullopt;
        }
        const QJsonArray a = v->toArray();
        if (static_cast<std::size_t>(a.size()) > maxSize) {
            Fail(key, "too many entries");
            return std::nullopt;
        }
        return a;
    }
    bool ToLatin1(const char* key, const QString& text, std::string& out) {
        for (QChar ch : text) {
            if (ch.unicode() > 0xFF) {
                Fail(key, "only single-byte characters can be sent");
                return false;
            }
        }
        const QByteArray bytes = text.toLatin1();
        out.assign(bytes.constData(), std::size_t(bytes.size()));
        return true;
    }
    template <typename T> static bool IntegerValue(const QJsonValue& v, T& out) {
        if (!v.isDouble()) {
            return false;
        }
        const double d = v.toDouble();
        if (std::floor(d) != d || d < double(std::numeric_limits<T>::min()) ||
            d > double(std::numeric_limits<T>::max())) {
            return false;
        }
        out = static_cast<T>(d);
        return true;
    }
    template <typename T> void Integer(const char* key, T& out) {
        if (auto v = Get(key, QJsonValue::Double)) {
            if (!IntegerValue(*v, out)) {
                Fail(key, "integer out of range");
            }
        }
    }

    QJsonObject obj_;
    QString path_;
    QString& error_;
};

// Lists the fields with the writer's values, records and rows flattened.
class Lister {
public:
    Lister(std::vector<ConfigField>& out, std::string prefix, std::string table, int row)
        : out_(out), prefix_(std::move(prefix)), table_(std::move(table)), row_(row) {}

    template <typename T> void operator()(const char* key, T& value) {
        Writer w;
        w(key, value);
        out_.push_back({prefix_ + key, table_, row_, key, w.obj.value(key)});
    }
    template <typename R, typename F> void Record(const char* key, R& r, F visit) {
        Lister sub(out_, prefix_ + key + ".", std::string(), -1);
        visit(r, sub);
    }
    template <typename R, std::size_t N> void Table(const char* key, std::array<R, N>& rows) {
        for (std::size_t i = 0; i < N; ++i) {
            Lister sub(out_, prefix_ + key + "[" + std::to_string(i) + "].", key, int(i));
            VisitRow(rows[i], sub);
        }
    }

private:
    std::vector<ConfigField>& out_;
    std::string prefix_;
    std::string table_;
    int row_;
};

} // namespace

std::vector<ConfigField> ConfigFields(const XmtrConfig& cfg) {
    XmtrConfig copy = cfg;
    std::vector<ConfigField> fields;
    Lister lister(fields, std::string(), std::string(), -1);
    VisitTop(copy, lister);
    return fields;
}

QJsonObject ConfigToJson(const XmtrConfig& cfg) {
    XmtrConfig copy = cfg; // the visitors take the fields by reference
    Writer w;
    VisitTop(copy, w);
    return w.obj;
}

bool ConfigFromJson(const QJsonObject& doc, XmtrConfig& cfg, QString& error) {
    error.clear();
    Reader r(doc, QString(), error);
    VisitTop(cfg, r);
    return error.isEmpty();
}

} // namespace tavin
