#include "platform/file_contents.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace {

std::string systemReason(const char* what, int code) {
    return std::string(what) + " (" + std::generic_category().message(code) + ")";
}

}  // namespace

bool readFileContents(const std::string& path, std::string& contents, std::string& error) {
    contents.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = systemReason("cannot open file", errno);
        return false;
    }
    // Read in chunks until end of file rather than trusting a seek to the end:
    // a directory or a pipe reports no usable size.
    constexpr size_t CHUNK_SIZE = 64 * 1024;
    char chunk[CHUNK_SIZE];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, CHUNK_SIZE, file)) > 0) contents.append(chunk, got);
    const bool failed = std::ferror(file) != 0;
    const int code = errno;
    std::fclose(file);
    if (failed) {
        contents.clear();
        error = systemReason("cannot read file", code);
        return false;
    }
    return true;
}
