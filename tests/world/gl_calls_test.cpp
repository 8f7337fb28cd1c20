// The GL calls of whole frames, counted: the draw structure the game keeps
// (one draw per piece, none for a piece wholly outside the view) and the
// driver calls the shader programs no longer repeat, with the picture and the
// GL state after the frame the same as when every call is made and every
// piece drawn. Every entry point of the table is counted by swapping
// its pointer for a counting one; glDrawElements and glBindTexture, which
// come from the system library, are counted by defining them here: the
// program's own definition wins over the library's, and passes the call on.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "world_fixture.h"

namespace {

enum CountedCall {
#define MIRELO_CALL_INDEX(type, name, used) CALL_##name,
    MIRELO_GL_ENTRY_POINTS(MIRELO_CALL_INDEX)
#undef MIRELO_CALL_INDEX
        CALL_glDrawElements,
    CALL_glBindTexture,
    CALL_COUNT
};

using AnyFunction = void (*)();
long long calls[CALL_COUNT];
AnyFunction originals[CALL_COUNT];

template <int I, class R, class... A>
R APIENTRY counted(A... args) {
    ++calls[I];
    return reinterpret_cast<R(APIENTRY*)(A...)>(originals[I])(args...);
}

template <int I, class R, class... A>
void countThrough(R(APIENTRY*& slot)(A...)) {
    if (slot == nullptr) return;
    originals[I] = reinterpret_cast<AnyFunction>(slot);
    slot = &counted<I, R, A...>;
}

template <int I, class R, class... A>
void restore(R(APIENTRY*& slot)(A...)) {
    if (originals[I] != nullptr) slot = reinterpret_cast<R(APIENTRY*)(A...)>(originals[I]);
}

template <class F>
F nextDefinition(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" void GLAPIENTRY glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    static const auto next =
        nextDefinition<void(GLAPIENTRY*)(GLenum, GLsizei, GLenum, const GLvoid*)>("glDrawElements");
    ++calls[CALL_glDrawElements];
    next(mode, count, type, indices);
}

extern "C" void GLAPIENTRY glBindTexture(GLenum target, GLuint texture) {
    static const auto next = nextDefinition<void(GLAPIENTRY*)(GLenum, GLuint)>("glBindTexture");
    ++calls[CALL_glBindTexture];
    next(target, texture);
}

namespace {

// What the frame leaves behind for the next one.
struct GlState {
    GLint program = 0, arrayBuffer = 0, elementBuffer = 0, texture = 0;
    std::vector<GLint> enabledArrays;
    bool operator==(const GlState& o) const {
        return program == o.program && arrayBuffer == o.arrayBuffer && elementBuffer == o.elementBuffer &&
               texture == o.texture && enabledArrays == o.enabledArrays;
    }
};

GlState currentState() {
    // A query the game never makes, so it is not in the table.
    static const auto getVertexAttribiv =
        reinterpret_cast<PFNGLGETVERTEXATTRIBIVPROC>(platform::glProcAddress("glGetVertexAttribiv"));
    GlState s;
    glGetIntegerv(GL_CURRENT_PROGRAM, &s.program);
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &s.arrayBuffer);
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &s.elementBuffer);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.texture);
    GLint arrays = 0;
    glGetIntegerv(GL_MAX_VERTEX_ATTRIBS, &arrays);
    for (GLint i = 0; i < arrays; ++i) {
        GLint enabled = GL_FALSE;
        getVertexAttribiv(static_cast<GLuint>(i), GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
        s.enabledArrays.push_back(enabled);
    }
    return s;
}

struct Frame {
    RgbaImage picture;
    GlState state;
    long long calls[CALL_COUNT] = {};
    long long tableCalls = 0;  // every call through the entry-point table
    long long lookUps() const { return calls[CALL_glGetAttribLocation] + calls[CALL_glGetUniformLocation]; }
};

}  // namespace

struct GlCalls : LoadedGame {
    void SetUp() override {
        LoadedGame::SetUp();
#define MIRELO_COUNT_CALLS(type, name, used) countThrough<CALL_##name>(mirelo_##name);
        MIRELO_GL_ENTRY_POINTS(MIRELO_COUNT_CALLS)
#undef MIRELO_COUNT_CALLS
    }
    void TearDown() override {
#define MIRELO_RESTORE_CALLS(type, name, used) restore<CALL_##name>(mirelo_##name);
        MIRELO_GL_ENTRY_POINTS(MIRELO_RESTORE_CALLS)
#undef MIRELO_RESTORE_CALLS
        LoadedGame::TearDown();
    }

    // Also culls, or draws every piece in the draw radius.
    void skipKnownCalls(bool skip) {
        game->cullsOutOfView = skip;
        for (ShaderProgram* p : {&game->basicShader, &game->underwaterShader, &game->waterShader,
                                 &game->gameOverShader, &game->seaweedShader, &game->transitionShader})
            p->skipsKnownCalls = skip;
    }

    // The second of two identical frames: the first settles what the previous
    // test or setting left current.
    Frame countedFrame() {
        game->render();
        Frame f;
        std::fill_n(calls, CALL_COUNT, 0);
        game->render();
        std::copy_n(calls, CALL_COUNT, f.calls);
        for (int i = 0; i < CALL_glDrawElements; ++i) f.tableCalls += f.calls[i];
        f.state = currentState();
        f.picture = renderFrame();
        return f;
    }

    // One draw per piece of the room and per overlay shown, as the frame's
    // order lists them; every piece lies well inside the draw radius.
    long long piecesDrawn(bool water, bool fade, bool help, int leverHints) const {
        const Room& r = *game->currentRoom;
        long long n = 2 * BORDER_PIECES + SEAWEED_SEGMENTS + r.shortWallCount + r.tallWallCount +
                      r.plateCount + r.floorPlankCount + 2 * r.doorCount + 2 * r.leverCount;
        for (uint32_t i = 0; i < r.doorCount; ++i) n += r.doors[i].locked;
        for (int c = 0; c < KEY_COLOURS; ++c) n += r.keyPresent[c] + game->keysHeld[c];
        return n + 2 /* floor, swimmer */ + water + fade + help + leverHints;
    }
};

TEST_F(GlCalls, FramesDrawTheSamePiecesAndPicturesWithoutRepeatingWhatTheDriverWasTold) {
    const struct {
        const char* what;
        int room;
        Vec3 swimmer;
        bool fadingIn, help, allKeys;
        bool water;
        int leverHints;
    } frames[] = {
        {"the start: above the water, the help up", 0, {20, 20, -5}, false, true, false, true, 0},
        {"under water, south of the room, the surface's side drawn",
         0,
         {32, 12.5f, -19},
         false,
         false,
         false,
         true,
         0},
        {"under water inside the room", 2, {50, 50, -15}, false, false, false, false, 0},
        {"at room 0's lever while fading in, the help up, every key held",
         0,
         {45, 45, -12},
         true,
         true,
         true,
         false,
         1},
    };
    for (const auto& f : frames) {
        SCOPED_TRACE(f.what);
        enter(f.room);
        game->currentRoom->fadingIn = f.fadingIn;
        game->currentRoom->transitionTimer = 0.3f;
        game->hintTimer = f.help ? 0.0f : game->hintDuration;
        for (bool& held : game->keysHeld) held = f.allKeys;
        game->swimmerPosition = f.swimmer;

        skipKnownCalls(false);
        const Frame every = countedFrame();
        skipKnownCalls(true);
        const Frame known = countedFrame();

        EXPECT_EQ(matchingShare(known.picture, every.picture, 0), 1.0);
        EXPECT_TRUE(known.state == every.state);
        const long long pieces = piecesDrawn(f.water, f.fadingIn, f.help, f.leverHints);
        EXPECT_EQ(every.calls[CALL_glDrawElements], pieces);
        // Every frame has pieces behind the camera.
        EXPECT_LT(known.calls[CALL_glDrawElements], pieces);
        EXPECT_EQ(known.calls[CALL_glBindTexture], every.calls[CALL_glBindTexture]);

        EXPECT_LE(known.calls[CALL_glUseProgram], every.calls[CALL_glUseProgram]);
        EXPECT_GT(every.lookUps(), 0);
        EXPECT_EQ(known.lookUps(), 0);
        EXPECT_LE(known.calls[CALL_glEnableVertexAttribArray], every.calls[CALL_glEnableVertexAttribArray]);
        EXPECT_LE(known.calls[CALL_glDisableVertexAttribArray], every.calls[CALL_glDisableVertexAttribArray]);
        // The same mesh drawn again points the arrays nowhere new.
        EXPECT_LT(known.calls[CALL_glVertexAttribPointer], every.calls[CALL_glVertexAttribPointer]);
        EXPECT_LT(known.tableCalls, every.tableCalls);
        std::cout << f.what << ": " << pieces << " -> " << known.calls[CALL_glDrawElements]
                  << " draws; GL calls through the table " << every.tableCalls
                  << " repeating every call and drawing every piece, " << known.tableCalls
                  << " skipping known ones and culling (" << every.calls[CALL_glUseProgram] << " -> "
                  << known.calls[CALL_glUseProgram] << " glUseProgram, " << every.lookUps() << " -> "
                  << known.lookUps() << " location look-ups, "
                  << every.calls[CALL_glEnableVertexAttribArray] +
                         every.calls[CALL_glDisableVertexAttribArray]
                  << " -> "
                  << known.calls[CALL_glEnableVertexAttribArray] +
                         known.calls[CALL_glDisableVertexAttribArray]
                  << " array enables and disables, " << every.calls[CALL_glVertexAttribPointer] << " -> "
                  << known.calls[CALL_glVertexAttribPointer] << " attribute pointers)" << std::endl;
    }
}
