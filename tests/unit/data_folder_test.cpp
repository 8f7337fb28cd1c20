#include <gtest/gtest.h>

#include <filesystem>

#include "app/data_folder.h"
#include "test_files.h"

namespace fs = std::filesystem;

// Where the desktop games look for data/: the working directory first, so
// every run from a folder holding data/ is as before; then the platform's
// folders in their order; and when none holds it, every place is named.
TEST(DataFolder, TheWorkingDirectoryThenTheFirstFolderHoldingDataAndOtherwiseEveryPlaceIsNamed) {
    const fs::path before = fs::current_path();
    TempDir root;
    for (const char* folder : {"start", "beside-program", "installed/data", "installed-too/data"})
        fs::create_directories(root.file(folder));
    auto enterFrom = [&](const std::string& start, const std::vector<std::string>& folders,
                         std::string& err) {
        fs::current_path(root.file(start));
        bool found = false;
        err = captureOutput([&] { found = enterDataFolder(folders); }).err;
        return found;
    };
    std::string err;
    const std::vector<std::string> folders = {"", root.file("missing"), root.file("beside-program") + "/",
                                              root.file("installed/../installed"),
                                              root.file("installed-too")};
    EXPECT_TRUE(enterFrom("start", folders, err));
    EXPECT_EQ(fs::current_path(), fs::path(root.file("installed")));
    EXPECT_EQ(err, "");
    EXPECT_TRUE(enterFrom("installed-too", folders, err));
    EXPECT_EQ(fs::current_path(), fs::path(root.file("installed-too")))
        << "the working directory comes first";

    EXPECT_FALSE(enterFrom(
        "start", {root.file("beside-program") + "/", root.file("installed/../beside-program/..")}, err));
    EXPECT_EQ(fs::current_path(), fs::path(root.file("start")));
    EXPECT_EQ(err, "Could not find the game's data folder: no data/ in " + root.file("start") + ", " +
                       root.file("beside-program") + "/, " + root.path() + "/\n");
    fs::current_path(before);
}
