#include "game/game.h"

#include "app/renderer.h"

bool Game::load() { return true; }

void Game::resize(int width, int height) { renderer.setViewport(0, 0, width, height); }

void Game::update(float) {}

void Game::render() { renderer.clear(); }
