// The sounds of play: started by the rules as they fire, played in the
// mixer at the end of the update. The files carry their levels (assetgen
// sets them so that the effects sit over the ambience), so every sound
// starts at full gain; placed ones then fall off with their distance from
// the camera.
#include "game/queries.h"
#include "gameplay/play_steps.h"
#include "input/input_state.h"

namespace {

// Strokes come every STROKE_SECONDS_AT_REST when the swimmer sets off and
// every STROKE_SECONDS_AT_TOP at full speed, rising from STROKE_PITCH_AT_REST
// by STROKE_PITCH_RISE: the player hears the effort grow with the speed.
constexpr float STROKE_SECONDS_AT_REST = 0.8f;
constexpr float STROKE_SECONDS_AT_TOP = 0.45f;
constexpr float STROKE_PITCH_AT_REST = 0.85f;
constexpr float STROKE_PITCH_RISE = 0.3f;
// Strokes may overlap their tail, never pile up.
constexpr int STROKE_VOICES = 2;

float speedShare(const Game& game) {
    const float share = game.speed / TOP_SWIM_SPEED;
    return share < 0.0f ? 0.0f : (share > 1.0f ? 1.0f : share);
}

}  // namespace

void startSound(Game& game, SoundId id, float pitch) {
    SoundStart start;
    start.id = id;
    start.pitch = pitch;
    game.soundsStarted.push_back(start);
}

void startPlacedSound(Game& game, SoundId id, const Vec3& place, float pitch) {
    startSound(game, id, pitch);
    game.soundsStarted.back().placed = true;
    game.soundsStarted.back().place = place;
}

void strokeWhileAccelerating(Game& game, float dt) {
    // The time to the next stroke runs out whether Space is held or not, so
    // that tapping it strokes no faster than holding it.
    game.strokeTimer -= dt;
    if (game.strokeTimer < 0.0f) game.strokeTimer = 0.0f;
    if (!input.isSpaceDown() || game.strokeTimer > 0.0f) return;
    const float share = speedShare(game);
    startSound(game, SOUND_SWIM, STROKE_PITCH_AT_REST + STROKE_PITCH_RISE * share);
    game.strokeTimer = STROKE_SECONDS_AT_REST + (STROKE_SECONDS_AT_TOP - STROKE_SECONDS_AT_REST) * share;
}

void playStartedSounds(Game& game) {
    const Game::CameraAim aim = game.aimWorldCamera();
    game.mixer.setListener(
        aim.eye, Vec3(aim.centre.x - aim.eye.x, aim.centre.y - aim.eye.y, aim.centre.z - aim.eye.z));
    for (const SoundStart& start : game.soundsStarted) {
        PlayOptions options;
        options.pitch = start.pitch;
        options.placed = start.placed;
        options.place = start.place;
        options.loop = start.id == SOUND_AMBIENCE;
        if (start.id == SOUND_SWIM) options.limit = STROKE_VOICES;
        game.mixer.play(game.sounds[start.id], options);
    }
}
