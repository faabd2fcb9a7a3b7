// tavin-sim: a simulated TAVIN transmitter on a pseudo-terminal.

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tavin-sim %s\n", TAVIN_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::puts("Usage: tavin-sim [--help] [--version]");
            return 0;
        }
    }
    std::fputs("tavin-sim: the simulated transmitter is not built yet\n", stderr);
    return 2;
}
