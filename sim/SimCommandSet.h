#pragma once
// The command interpreter of the simulated transmitter: one command line in,
// the reply lines out (the echo and the ">" prompt are added by the wire,
// SimTransmitter). It keeps what it was set as the text it received and
// answers queries with that text.

#include "sim/SimCommandLine.h"
#include "sim/SimConfigStore.h"
#include "sim/SimUnitCommands.h"
#include "sim/SimUnitState.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavin::sim {

class SimCommandSet {
public:
    // Answers one sensor log command line ("LHD?", "LHF?", "LFA=...", "LFB=...",
    // "LFT=...", "LFS=...", "LFI=...", "LFD", "LOG=CLEAR") with the reply lines
    // that go between the echo and the prompt.
    using LogResponder = std::function<std::vector<std::string>(std::string_view line)>;

    SimCommandSet();
    SimCommandSet(const SimCommandSet&) = delete;
    SimCommandSet& operator=(const SimCommandSet&) = delete;

    // The reply lines to one command line; none for the empty line.
    Lines Execute(std::string_view line, std::int64_t nowMs);

    // "X.YY" (at most two decimals, below 10); false when malformed.
    bool SetFirmwareVersion(std::string_view version);
    // With a password, configuration changes are refused until "CFE=" gives
    // it; "CFS" and "CFR" lock again. Empty: no password.
    void SetPassword(std::string_view password);
    bool Unlocked() const { return unlocked_; }
    // A file being loaded is not held back by the password.
    void SetLoading(bool on) { loading_ = on; }
    void SetLogResponder(LogResponder responder) { logResponder_ = std::move(responder); }
    bool HasLogResponder() const { return static_cast<bool>(logResponder_); }

    SimConfigStore& Working() { return working_; }
    const SimConfigStore& Working() const { return working_; }
    const SimConfigStore& Stored() const { return stored_; }
    void StoreConfiguration() { stored_ = working_; }
    SimUnitState& Unit() { return unit_; }
    const SimUnitState& Unit() const { return unit_; }

    // The working configuration as set command lines for this firmware.
    std::vector<std::string> Dump(bool withClears) const;

    static bool IsLogMnemonic(std::string_view mnemonic);

private:
    bool ConfigLocked() const;
    Lines Scalar(const ScalarSpec& spec, const SimCommandLine& cmd);
    Lines ShortTable(const SimCommandLine& cmd, std::int64_t nowMs);
    Lines XTable(const SimCommandLine& cmd);
    Lines ArgosPack(const SimCommandLine& cmd);
    Lines Storage(const SimCommandLine& cmd);
    Lines ListTable(TableId table, const std::string& mnemonic, bool xForm) const;
    Lines SetRow(TableId table, int row, const std::string& value);
    Lines PackLines() const;

    SimConfigStore working_;
    SimConfigStore stored_;
    SimUnitState unit_;
    SimUnitCommands unitCommands_;
    std::string password_;
    bool unlocked_ = false;
    bool loading_ = false;
    LogResponder logResponder_;
};

} // namespace tavin::sim
