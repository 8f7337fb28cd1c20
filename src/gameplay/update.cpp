#include "game/game.h"

// The frame update arrives with the gameplay; until then the world stands still.
void Game::update(float) {}
