#pragma once
// The simulated transmitter as the far end of the virtual clock's wire: the
// engine and the workflows talk to the real command interpreter, in virtual
// time, without a pseudo-terminal.

#include "common/VirtualClock.h"
#include "sim/SimTransmitter.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tavin::test {

class SimPeer : public VirtualPeer {
public:
    explicit SimPeer(sim::SimTransmitter& sim) : sim_(sim) {}

    void Receive(std::string_view bytes, std::int64_t nowMs) override {
        sim_.Receive(bytes, nowMs);
    }
    std::string Poll(std::int64_t nowMs) override { return sim_.Poll(nowMs); }

    sim::SimTransmitter& Sim() { return sim_; }

private:
    sim::SimTransmitter& sim_;
};

} // namespace tavin::test
