// A batch written slowly, for the signal tests: writes files f0, f1, ... into
// the folder given, file i holding 2000 bytes of the value i mod 256, one
// every 5 ms. Once a step has been delivered and three more files were added,
// it prints "ready N" (N files delivered) and waits for a signal.

#include "document/BatchWriter.h"
#include "document/FileIo.h"

#include <cstdio>
#include <thread>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    kalvero::RemoveTemporaryFilesOnSignals();
    const std::filesystem::path folder = argv[1];
    int delivered = 0;
    kalvero::BatchWriter batch(
        [&](const std::filesystem::path&, const kalvero::FileStatus& outcome) {
            delivered += outcome ? 1 : 0;
        });
    int afterFirstStep = 0;
    for (int i = 0; afterFirstStep < 3; ++i) {
        const std::vector<std::uint8_t> bytes(2000, static_cast<std::uint8_t>(i));
        if (!batch.add(folder / ("f" + std::to_string(i)), bytes)) {
            return 3;
        }
        afterFirstStep += delivered > 0 ? 1 : 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::printf("ready %d\n", delivered);
    std::fflush(stdout);
    for (;;) {
        ::pause();
    }
}
