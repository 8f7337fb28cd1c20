#pragma once

#include <nlohmann/json.hpp>

class Game;

// The state dump of a headless run: what the game looks like after the last frame.
nlohmann::ordered_json runReport(const Game& game, long long framesRun, bool paused);
