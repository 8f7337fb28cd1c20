#include "golden_image.h"

#include <png.h>

#include <cstdlib>

namespace {

// Per channel, a rendering may differ this much from the expected picture...
constexpr int CHANNEL_TOLERANCE = 12;
// ...on all but this share of its pixels (driver and rounding differences).
constexpr double REQUIRED_SHARE = 0.995;

}  // namespace

bool readPng(const std::string& path, RgbaImage& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
    png.format = PNG_FORMAT_RGBA;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels.assign(PNG_IMAGE_SIZE(png), 0);
    if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
        png_image_free(&png);
        return false;
    }
    return true;
}

bool writePng(const std::string& path, const RgbaImage& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&png, path.c_str(), 0, image.pixels.data(), 0, nullptr) != 0;
}

double matchingShare(const RgbaImage& actual, const RgbaImage& expected, int tolerance) {
    if (actual.width != expected.width || actual.height != expected.height ||
        actual.pixels.size() != expected.pixels.size() || actual.pixels.empty())
        return 0.0;
    size_t matching = 0;
    const size_t count = actual.pixels.size() / 4;
    for (size_t i = 0; i < count; ++i) {
        bool close = true;
        for (int c = 0; c < 4; ++c)
            close = close && std::abs(actual.pixels[i * 4 + c] - expected.pixels[i * 4 + c]) <= tolerance;
        matching += close;
    }
    return static_cast<double>(matching) / static_cast<double>(count);
}

::testing::AssertionResult matchesGolden(const RgbaImage& actual, const std::string& name) {
    // Rewriting is never a pass: a variable left set in CI must not turn
    // every golden comparison into a success.
    if (const char* rewriteFolder = std::getenv(GOLDEN_REWRITE_VARIABLE)) {
        if (*rewriteFolder == '\0')
            return ::testing::AssertionFailure()
                   << GOLDEN_REWRITE_VARIABLE << " is set but names no folder; nothing compared";
        const std::string path = std::string(rewriteFolder) + "/" + name;
        if (!writePng(path, actual)) return ::testing::AssertionFailure() << "cannot write " << path;
        return ::testing::AssertionFailure()
               << "wrote " << path << " instead of comparing (" << GOLDEN_REWRITE_VARIABLE
               << " is set): a golden test does not pass while goldens are rewritten";
    }
    const std::string expectedPath = std::string(MIRELO_SOURCE_DIR) + "/tests/golden/" + name;
    RgbaImage expected;
    if (!readPng(expectedPath, expected))
        return ::testing::AssertionFailure() << "missing golden image " << expectedPath;
    const double share = matchingShare(actual, expected, CHANNEL_TOLERANCE);
    if (share >= REQUIRED_SHARE) return ::testing::AssertionSuccess();
    const std::string actualPath = "golden-actual-" + name;
    writePng(actualPath, actual);
    return ::testing::AssertionFailure() << name << ": only " << share * 100.0
                                         << "% of the pixels match; the rendering is in " << actualPath;
}
