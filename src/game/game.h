#pragma once

// The one object holding the underwater world. The frame loop calls load once
// (with a current GL context), resize on every size change (also before load),
// and update then render once per frame.
class Game {
public:
    Game() = default;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    bool load();
    void resize(int width, int height);
    void update(float dt);
    void render();
};
