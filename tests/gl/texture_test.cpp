#include "gfx/texture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "gfx/gl_api.h"
#include "image_test_files.h"
#include "test_files.h"

namespace {

// Level 0 of the bound texture as RGBA (rows of 4-byte texels need no padding).
std::vector<uint8_t> texels(const Texture& texture) {
    texture.bind();
    std::vector<uint8_t> rgba(static_cast<size_t>(texture.width) * texture.height * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

GLint levelParameter(GLenum parameter) {
    GLint value = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, parameter, &value);
    return value;
}

GLint textureParameter(GLenum parameter) {
    GLint value = -1;
    glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
    return value;
}

// Red, green, blue and white in B, G, R order: needs no row padding.
std::vector<uint8_t> primariesBmp() {
    return makeBmp(4, 1, 12, {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF});
}

}  // namespace

TEST(TextureUpload, BmpRowsKeepTheirPaddingAndUploadAsBgr) {
    TempDir dir;
    // 3 x 2: rows of 9 bytes padded to 12.
    writeFile(dir.file("w3.bmp"), makeBmp(3, 2, 24, {10,  20,  30,  40,  50,  60,  70,  80,  90,  0, 0, 0,  //
                                                     100, 110, 120, 130, 140, 150, 160, 170, 180, 0, 0, 0}));
    Texture texture;
    texture.load(dir.file("w3.bmp"));
    ASSERT_TRUE(texture.pixels);
    EXPECT_EQ(texture.internalFormat, GL_RGB);
    EXPECT_EQ(texture.format, static_cast<uint32_t>(GL_BGR));
    texture.upload();
    EXPECT_EQ(levelParameter(GL_TEXTURE_WIDTH), 3);
    EXPECT_EQ(levelParameter(GL_TEXTURE_HEIGHT), 2);
    const std::vector<uint8_t> expected = {30,  20,  10,  255, 60,  50,  40,  255, 90,  80,  70,  255,
                                           120, 110, 100, 255, 150, 140, 130, 255, 180, 170, 160, 255};
    EXPECT_EQ(texels(texture), expected);

    texture.freePixels();
    texture.freePixels();
    EXPECT_FALSE(texture.pixels);
    EXPECT_EQ(texture.width, 3) << "the size outlives the pixels";

    const GLuint name = texture.name;
    EXPECT_TRUE(glIsTexture(name));
    texture.deleteTexture();
    EXPECT_FALSE(glIsTexture(name));
    EXPECT_EQ(texture.name, name);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(TextureUpload, OtherExtensionsTakeAlphaFromRedAndUploadAsBgra) {
    TempDir dir;
    // The font's double extension, and an upper-case BMP extension, which is not ".bmp".
    for (const char* fileName : {"font.bmp.fnt", "FONT.BMP"}) {
        SCOPED_TRACE(fileName);
        writeFile(dir.file(fileName), primariesBmp());
        Texture texture;
        texture.load(dir.file(fileName));
        EXPECT_EQ(texture.internalFormat, GL_RGBA);
        EXPECT_EQ(texture.format, static_cast<uint32_t>(GL_BGRA));
        texture.upload();
        const std::vector<uint8_t> expected = {255, 0, 0,   255, 0,   255, 0,   0,
                                               0,   0, 255, 0,   255, 255, 255, 255};
        EXPECT_EQ(texels(texture), expected);
        texture.deleteTexture();
    }

    // Too short to have an extension at all: the same third row of formats.
    Texture shortName;
    shortName.load("f");
    EXPECT_EQ(shortName.format, static_cast<uint32_t>(GL_BGRA));
    EXPECT_FALSE(shortName.pixels);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(TextureUpload, PngTopRowEndsUpAtTheTopOfTheTexture) {
    TempDir dir;
    writePng(dir.file("flip.png"), redOverBluePng());
    Texture texture;
    texture.load(dir.file("flip.png"));
    EXPECT_EQ(texture.internalFormat, GL_RGBA);
    EXPECT_EQ(texture.format, static_cast<uint32_t>(GL_RGBA));
    texture.upload();
    texture.freePixels();
    // Texel row 0 (t = 0) is the PNG's bottom row.
    const std::vector<uint8_t> expected = {0, 0, 255, 255, 0, 0, 255, 255, 255, 0, 0, 255, 255, 0, 0, 255};
    EXPECT_EQ(texels(texture), expected);
    texture.deleteTexture();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(TextureUpload, FailedLoadUploadsAnEmptyTexture) {
    TempDir dir;
    writeFile(dir.file("ok.fnt"), primariesBmp());
    Texture texture;
    texture.load(dir.file("ok.fnt"));
    ASSERT_TRUE(texture.pixels);
    // Loading again replaces the held block; a failed load leaves no size
    // behind and says which file, once.
    testing::internal::CaptureStderr();
    texture.load(dir.file("missing.png"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Could not load image: " + dir.file("missing.png") + " cannot be opened\n");
    EXPECT_FALSE(texture.pixels);
    EXPECT_EQ(texture.width, 0);
    EXPECT_EQ(texture.height, 0);
    texture.upload();
    EXPECT_EQ(levelParameter(GL_TEXTURE_WIDTH), 0);
    EXPECT_EQ(levelParameter(GL_TEXTURE_HEIGHT), 0);
    texture.deleteTexture();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Larger than any texture of the game, and than what drivers take: refused
// before anything is allocated, with one line naming the file.
TEST(TextureUpload, ImagesBeyond8192PixelsASideAreRefusedWithOneLine) {
    TempDir dir;
    PngContents tall;
    tall.width = 1;
    tall.height = 8193;
    tall.colorType = PNG_COLOR_TYPE_GRAY;
    tall.rows.assign(tall.height, std::vector<uint8_t>(1, 200));
    writePng(dir.file("tall.png"), tall);
    writeFile(dir.file("wide.bmp"), makeBmp(8193, 1, 0, std::vector<uint8_t>(8193 * 3 + 1, 7)));
    for (const char* name : {"tall.png", "wide.bmp"}) {
        SCOPED_TRACE(name);
        Texture texture;
        testing::internal::CaptureStderr();
        texture.load(dir.file(name));
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(texture.pixels);
        EXPECT_EQ(texture.width, 0);
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_NE(said.find(dir.file(name)), std::string::npos) << said;
        EXPECT_NE(said.find("8192"), std::string::npos) << said;
    }
}

TEST(TextureParameters, FilterAndWrapReadBack) {
    TempDir dir;
    writeFile(dir.file("t.fnt"), primariesBmp());
    Texture texture;
    texture.load(dir.file("t.fnt"));
    texture.upload();
    EXPECT_EQ(textureParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_S), GL_MIRRORED_REPEAT);
    EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_T), GL_MIRRORED_REPEAT);

    Texture other;
    other.load(dir.file("t.fnt"));
    other.upload();

    // Each call binds its own texture first, whatever is bound.
    texture.setFilter(false);
    EXPECT_EQ(textureParameter(GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER), GL_NEAREST);
    other.bind();
    texture.setFilter(true);
    EXPECT_EQ(textureParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);

    const GLint modes[] = {GL_MIRRORED_REPEAT, GL_REPEAT, GL_CLAMP_TO_EDGE, GL_CLAMP_TO_BORDER};
    for (WrapMode mode : {1, 2, 3, 0, 2}) {
        other.bind();
        texture.setWrap(mode);
        EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_S), modes[mode]) << mode;
        EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_T), modes[mode]) << mode;
    }
    for (WrapMode unknown : {4, -1}) {
        other.bind();
        texture.setWrap(unknown);
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<GLuint>(bound), texture.name) << unknown;
        EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE) << unknown;
        EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE) << unknown;
    }

    texture.deleteTexture();
    other.deleteTexture();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
