// What the simulator does for the service windows: the TCXO serial number
// check, a forced fix given up by a second FGF, OCXO refused while
// transmitting, and a refusal of "FTX=E" on request.

#include "SimDriver.h"

#include <gtest/gtest.h>

namespace tavin::sim {
namespace {

using testing::SimDriver;

TEST(SimService, TcxoSerialCheckComparesTheNumberSet) {
    SimDriver d;
    EXPECT_EQ(d.One("TSN"), "TSN=OK");
    ASSERT_EQ(d.One("TSN=4711"), "OK");
    EXPECT_EQ(d.One("TSN"), "TSN=INV");
}

TEST(SimService, SecondFgfGivesTheFixUp) {
    SimDriver d;
    ASSERT_EQ(d.One("FGF"), "OK");
    EXPECT_EQ(d.One("GCS?").substr(0, 18), "GCS=Acquiring Fix,");
    ASSERT_EQ(d.One("FGF"), "OK");
    EXPECT_EQ(d.One("GCS?"), "GCS=Not Active");
}

TEST(SimService, OcxoRefusedWhileTransmittingOrOnRequest) {
    SimDriver d;
    d.sim.Commands().Unit().run = RunState::Enabled;
    EXPECT_EQ(d.One("FTX=E"), "ERR");
    EXPECT_EQ(d.One("FTX?"), "FTX=D");
    d.sim.Commands().Unit().run = RunState::Disabled;
    d.sim.Inject(ErrOn{"FTX=E", 1});
    EXPECT_EQ(d.One("FTX=E"), "ERR");
    EXPECT_EQ(d.One("FTX=E"), "OK");
    EXPECT_EQ(d.One("FTX?"), "FTX=E");
}

} // namespace
} // namespace tavin::sim
