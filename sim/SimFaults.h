#pragma once
// Faults the simulated transmitter can be told to show, one type per mode so
// that a test reads as a scenario: sim.Inject(NoAnswer{2}), sim.Inject(ErrOn{"TCH"}).

#include <cstdint>
#include <string>

namespace tavin::sim {

// Silence to the next `commands` non-empty command lines: nothing is sent
// back (no echo, no prompt) and the command is not carried out, as if it had
// been lost on the way. A negative count keeps the transmitter mute until
// ClearFaults(). Empty lines (wake-ups, alive polls) are still answered.
struct NoAnswer {
    int commands = 1;
};

// Answer "ERR" (after the echo, before the prompt) to commands that match and
// do not carry them out. `match` is a mnemonic ("TCH", "SS", "SSX",
// "ConfigDefault"), or, when it holds any character other than a letter, a
// prefix of the command line ("TDP=2,"). times < 0: every time.
struct ErrOn {
    std::string match;
    int times = -1;
};

// Like ErrOn with "INV".
struct InvOn {
    std::string match;
    int times = -1;
};

// The whole answer to each of the next `answers` commands (echo and prompt
// included) is replaced by `bytes` random bytes. The noise never holds ">", so
// it cannot pass for a prompt: the utility sees a line full of rubbish and no
// end of answer. The command itself is carried out. With every > 0 the
// answer to every every-th command is garbled instead, until ClearFaults().
struct Garble {
    int answers = 1;
    int bytes = 24;
    std::uint32_t seed = 1;
    int every = 0;
};

// Output leaves in random pieces of 1 to maxChunk bytes, each piece after the
// first waiting a random 0 to maxGapMs milliseconds. Stays on until
// ClearFaults().
struct Chunked {
    int maxChunk = 7;
    int maxGapMs = 0;
    std::uint32_t seed = 1;
};

// The cable is pulled: every byte from the utility is lost (not counted) and
// nothing is sent, until ClearFaults().
struct Unplugged {};

} // namespace tavin::sim
