#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/input_script.h"
#include "game/game.h"
#include "input/input_state.h"

// Every benchmark plays the same world: seaweed from one fixed seed.
constexpr unsigned BENCH_SEAWEED_SEED = 7;
// The headless runner's default frame time.
constexpr float BENCH_DT = 0.016f;

// The game is heap-allocated: its rooms are too large for a stack.
inline std::unique_ptr<Game> newBenchGame() {
    std::unique_ptr<Game> game(new Game);
    game->setSeaweedSeed(BENCH_SEAWEED_SEED);
    return game;
}

// Room 0 (walled garden, tower, plates and planks), the swimmer at full
// speed just north of the garden's south wall row and heading into it, so
// that every update moves it into the blocks and pushes it back out.
void swimIntoGardenWall(Game& game);

// The designed course, tests/playthrough/course.keys under root: the script
// and how many frames it runs (its last line, then a second more, as
// bench/run.sh measures memory over). False, with a message, when it cannot
// be read.
bool loadCourse(const std::string& root, InputScript& script, long long& frames);

// Plays the course on a game just loaded: each frame its keys held and one
// update of BENCH_DT; every stride-th frame (the first included) is then
// handed to draw, which renders it. Returns the number of frames drawn.
template <class Draw>
int playCourse(Game& game, const InputScript& script, long long frames, int stride, Draw draw) {
    int drawn = 0;
    for (long long frame = 0; frame < frames; ++frame) {
        input.holdScripted(script.keysAt(frame), script.padAt(frame));
        game.update(BENCH_DT);
        if (frame % stride == 0) {
            draw(frame);
            ++drawn;
        }
    }
    input.holdScripted({});
    return drawn;
}

// An asset folder to measure: root holds data/, and the game's shader
// programs either skip the driver calls whose answer is known or repeat them
// all (as the game did before they learnt to). Benchmarks are named after it.
struct AssetSet {
    std::string name;
    std::string root;
    bool skipsKnownCalls = true;
};

// Makes root the working directory (the game reads data/ relative to it)
// while it lives.
class InDirectory {
public:
    explicit InDirectory(const std::string& root);
    ~InDirectory();
    InDirectory(const InDirectory&) = delete;
    InDirectory& operator=(const InDirectory&) = delete;
    bool entered() const { return entered_; }

private:
    std::string kept_;
    bool entered_ = false;
};

// Every shader program of the game.
std::vector<ShaderProgram*> programsOf(Game& game);

// A game loaded from set.root, its programs set as the set says. Null, with a
// message, when it does not load.
std::unique_ptr<Game> loadBenchGame(const AssetSet& set);
