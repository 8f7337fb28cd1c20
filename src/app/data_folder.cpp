#include "app/data_folder.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

bool enterDataFolder(const std::vector<std::string>& folders) {
    std::error_code error;
    const fs::path here = fs::current_path(error);
    const bool hereKnown = !error;
    if (hereKnown && fs::is_directory(here / "data", error)) return true;
    std::string lookedIn = hereKnown ? here.u8string() : "the working directory";
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        const fs::path candidate = fs::u8path(folder).lexically_normal();
        lookedIn += ", " + candidate.u8string();
        if (fs::is_directory(candidate / "data", error)) {
            fs::current_path(candidate, error);
            if (!error) return true;
        }
    }
    std::fprintf(stderr, "Could not find the game's data folder: no data/ in %s\n", lookedIn.c_str());
    return false;
}
