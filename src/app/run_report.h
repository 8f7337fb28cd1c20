#pragma once

#include <nlohmann/json.hpp>

class Game;

// The state dump of a scripted run (mirelo-headless --state, the web page's
// window.mireloState()): what the game looks like after the last frame.
nlohmann::ordered_json runReport(const Game& game, long long framesRun, bool paused);
