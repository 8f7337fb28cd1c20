#include "app/renderer.h"
#include "game/game.h"

void Game::resize(int width, int height) { renderer.setViewport(0, 0, width, height); }

void Game::render() { renderer.clear(); }

void Game::drawAt(SceneObject&, const Vec3&, float) {}
