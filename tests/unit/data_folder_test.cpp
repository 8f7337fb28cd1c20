#include <gtest/gtest.h>

#include <filesystem>

#include "app/data_folder.h"
#include "test_files.h"

namespace fs = std::filesystem;

// Where the desktop games look for data/: the working directory first, so
// every run from a folder holding data/ is as before; then the platform's
// folders in their order; and when none holds it, every place is named.
class DataFolder : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"start", "beside-program", "installed", "installed-too"})
            fs::create_directories(root.file(folder));
        fs::create_directories(root.file("installed/data"));
        fs::create_directories(root.file("installed-too/data"));
        fs::current_path(root.file("start"));
    }
    void TearDown() override { fs::current_path(before); }

    bool enter(const std::vector<std::string>& folders) {
        bool found = false;
        err = captureOutput([&] { found = enterDataFolder(folders); }).err;
        return found;
    }

    const fs::path before = fs::current_path();
    TempDir root;
    std::string err;
};

TEST_F(DataFolder, TheFirstFolderHoldingDataIsEnteredUnlessTheWorkingDirectoryHoldsIt) {
    const std::vector<std::string> folders = {"", root.file("missing"), root.file("beside-program") + "/",
                                              root.file("installed/../installed"),
                                              root.file("installed-too")};
    EXPECT_TRUE(enter(folders));
    EXPECT_EQ(fs::current_path(), fs::path(root.file("installed")));
    EXPECT_EQ(err, "");

    fs::current_path(root.file("installed-too"));
    EXPECT_TRUE(enter(folders));
    EXPECT_EQ(fs::current_path(), fs::path(root.file("installed-too")))
        << "the working directory comes first";
}

TEST_F(DataFolder, WithoutDataAnywhereEveryPlaceLookedInIsNamedAndNothingMoves) {
    EXPECT_FALSE(enter({root.file("beside-program") + "/", root.file("installed/../beside-program/..")}));
    EXPECT_EQ(fs::current_path(), fs::path(root.file("start")));
    EXPECT_EQ(err, "Could not find the game's data folder: no data/ in " + root.file("start") + ", " +
                       root.file("beside-program") + "/, " + root.path() + "/\n");
}
