#include "game/game.h"

bool Game::load() {
    buildWorld();
    return true;
}
