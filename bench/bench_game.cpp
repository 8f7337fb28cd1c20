#include "bench_game.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "input/input_state.h"
#include "platform/platform.h"

void swimIntoGardenWall(Game& game) {
    game.currentRoom = &game.rooms[0];
    game.swimmerPosition = Vec3(32.0f, 12.5f, -19.0f);
    // Heading 0 swims towards -y, level.
    game.steering = Vec2(0.0f, 0.0f);
    game.swimmerObject.setAngleZ(0.0f);
    game.swimmerObject.setAngleX(0.0f);
    game.speed = 10.0f;
    input.holdScripted({vk::SPACE});
}

bool loadCourse(const std::string& root, InputScript& script, long long& frames) {
    constexpr long long SECOND_MORE = 60;
    const std::string path = root + "/tests/playthrough/course.keys";
    std::ifstream file(path);
    std::string error;
    if (!file || !script.parse(file, error) || script.changes().empty()) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.empty() ? "cannot be read" : error.c_str());
        return false;
    }
    frames = script.changes().back().frame + SECOND_MORE;
    return true;
}

InDirectory::InDirectory(const std::string& root) {
    std::error_code error;
    kept_ = std::filesystem::current_path(error).string();
    if (!error) std::filesystem::current_path(root, error);
    entered_ = !error;
    if (error) std::fprintf(stderr, "%s: %s\n", root.c_str(), error.message().c_str());
}

InDirectory::~InDirectory() {
    std::error_code error;
    if (entered_) std::filesystem::current_path(kept_, error);
}

std::vector<ShaderProgram*> programsOf(Game& game) {
    return {&game.basicShader,    &game.underwaterShader, &game.waterShader,
            &game.gameOverShader, &game.seaweedShader,    &game.transitionShader};
}

std::unique_ptr<Game> loadBenchGame(const AssetSet& set) {
    std::unique_ptr<Game> game = newBenchGame();
    {
        const InDirectory in(set.root);
        if (!in.entered()) return nullptr;
        if (!game->load()) {
            std::fprintf(stderr, "%s: Game::load failed\n", set.root.c_str());
            return nullptr;
        }
    }
    for (ShaderProgram* program : programsOf(*game)) program->skipsKnownCalls = set.skipsKnownCalls;
    return game;
}
