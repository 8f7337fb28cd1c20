#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

// The loaders take paths, so each fuzz input is written to one file per
// process and loaded from there. /dev/shm keeps that a memory copy rather
// than a disk write on every one of the millions of inputs.
inline const std::string& writeFuzzFile(const uint8_t* data, size_t size, const char* suffix) {
    static const std::string path = [suffix] {
        const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return std::string(dir) + "/mirelo-fuzz-" + std::to_string(getpid()) + suffix;
    }();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || (size > 0 && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0) {
        std::perror(path.c_str());
        std::abort();
    }
    return path;
}

// Reads every byte a consumer of the result will read, so AddressSanitizer
// reports a block that is shorter than the loader promised.
inline void touchBytes(const uint8_t* bytes, uint64_t count) {
    volatile uint8_t sink = 0;
    for (uint64_t i = 0; i < count; ++i) sink = sink ^ bytes[i];
    (void)sink;
}

// A broken promise of a loader: the result is not what its header says.
#define FUZZ_REQUIRE(condition)                                                                          \
    do {                                                                                                 \
        if (!(condition)) {                                                                              \
            std::fprintf(stderr, "%s:%d: loader contract broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                                \
        }                                                                                                \
    } while (0)
