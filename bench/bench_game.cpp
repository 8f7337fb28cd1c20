#include "bench_game.h"

#include "platform/headless/headless_platform.h"
#include "platform/platform.h"

void swimIntoGardenWall(Game& game) {
    game.currentRoom = &game.rooms[0];
    game.swimmerPosition = Vec3(32.0f, 12.5f, -19.0f);
    // Heading 0 swims towards -y, level.
    game.steering = Vec2(0.0f, 0.0f);
    game.swimmerObject.setAngleZ(0.0f);
    game.swimmerObject.setAngleX(0.0f);
    game.speed = 10.0f;
    headless::setKeysDown({vk::SPACE});
}
