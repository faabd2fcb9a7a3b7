#pragma once
// The transmitter's configuration memory: every scalar setting as the text it
// was set with, and the indexed tables as the row texts they were set with.
// "CFS" copies the working store into the saved one, "CFR" the other way,
// "ConfigDefault" puts the factory store in place of the working one.

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tavin::sim {

// What a scalar value must look like for the transmitter to take it.
enum class ValueKind {
    Bool,             // "0" or "1"
    Digits,           // unsigned decimal
    SignedInt,        // optional "-", decimal
    Hex2,             // two capital hexadecimal digits
    HexId,            // 1 to 8 hexadecimal digits
    OneChar,          // exactly one character
    IdText,           // up to 40 characters
    Choice,           // one of the words in `choices`, any case
    Time,             // "hh:mm:ss"
    Interval,         // "dd:hh:mm:ss" or "hh:mm:ss"
    TimedChannel,     // "0" or channel,100|300|1200|4800
    RandomChannel,    // "0", channel,100|300|1200 or ARGOS channel text,400
    TxPower,          // three or four reals
    BucketReset,      // "0", days, "D,hh" (from 1.53), "M", "Q", "B", "A"
    BucketMultiplier, // one of the twelve multipliers
    Count,            // decimal from 0 to `limit`
};

struct ScalarSpec {
    std::string_view mnemonic;
    std::string_view factoryDefault;
    ValueKind kind;
    int minLevel;             // first firmware level (version x 100) that knows it
    std::string_view choices; // Choice: words separated by "|"
    int limit;                // Count: the largest count
};

// The configuration scalars in the order a dump lists them.
const std::vector<ScalarSpec>& ConfigScalarSpecs();
const ScalarSpec* FindConfigScalar(std::string_view mnemonic);
bool IsAcceptableValue(const ScalarSpec& spec, std::string_view value, int firmwareLevel);

enum class TableId {
    Sdi,
    SdiLabel,
    Intern,
    InternLabel,
    MinMaxAvg,
    Equation,
    Timed,
    Random,
    Trigger
};

class SimConfigStore {
public:
    static constexpr int kArgosPackSize = 48;

    // The factory configuration.
    SimConfigStore();

    static int TableSize(TableId table);
    // Rows the firmware level offers: the short-form firmware has 10 SDI-12
    // rows, 5 internal rows, 20 format rows and 15 triggers.
    static int RowLimit(TableId table, int firmwareLevel);
    // "SDI0".."SDI9", "SD10".. ; "INT0".."INT9", "IN10".. ; empty for other tables.
    static std::string DefaultLabel(TableId table, int row);

    const std::string& Scalar(std::string_view mnemonic) const;
    void SetScalar(std::string_view mnemonic, std::string_view value);

    // Empty when the row is not defined. For label tables: the label that was
    // set, empty while it is the default.
    const std::string& Row(TableId table, int row) const;
    void SetRow(TableId table, int row, std::string_view value);
    void ClearTable(TableId table);
    bool IsTableEmpty(TableId table) const;
    // Rows in use: the defined rows; for a label table the rows whose label
    // was set or whose sensor row is defined.
    std::vector<int> RowsInUse(TableId table) const;
    // The label in force: the one set, else the default.
    std::string Label(TableId table, int row) const;

    int ArgosEntry(int index) const { return argosPack_[static_cast<std::size_t>(index)]; }
    void SetArgosEntry(int index, int value) {
        argosPack_[static_cast<std::size_t>(index)] = value;
    }
    void ClearArgosPack();
    bool ArgosFromSensors() const { return argosFromSensors_; }
    void SetArgosFromSensors(bool on) { argosFromSensors_ = on; }

    // The configuration as set command lines, in the forms the firmware level
    // knows; with withClears the "=CLEAR" line goes before each table, so
    // that the lines rebuild this configuration whatever was there before.
    std::vector<std::string> Dump(int firmwareLevel, bool withClears) const;

private:
    std::vector<std::string>& Table(TableId table);
    const std::vector<std::string>& Table(TableId table) const;

    std::map<std::string, std::string, std::less<>> scalars_;
    std::array<std::vector<std::string>, 9> tables_;
    std::array<int, kArgosPackSize> argosPack_{};
    bool argosFromSensors_ = false;
};

} // namespace tavin::sim
