// A second client for the concurrency test of interpretation ids: opens the
// project in argv[1], waits until the file argv[4] exists so that the
// clients start together, then takes argv[3] ids of table argv[2] and prints
// them, one a line. It pauses a little after each id, as a client would, so
// that the other client gets the database between its calls: without that,
// SQLite's waiting writer tends to sleep until the first client is through.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <thread>

#include "services/TeskDataFactory/CTeskDataFactory.h"
#include "services/project/CTeskProject.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s PROJECT TABLE COUNT START-FILE\n", argv[0]);
        return 2;
    }
    try {
        CTeskProject::Open(argv[1]);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!std::filesystem::exists(argv[4])) {
            if (std::chrono::steady_clock::now() > deadline) throw std::runtime_error("never told to start");
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        const int count = std::atoi(argv[3]);
        for (int i = 0; i < count; ++i) {
            std::printf("%d\n", CTeskDataFactory::GetNextInterpId(argv[2]));
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        }
        CTeskProject::Close();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
