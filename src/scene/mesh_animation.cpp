#include "scene/mesh_animation.h"

#include <algorithm>
#include <limits>

#include "scene/json_values.h"

using nlohmann::ordered_json;

namespace {

constexpr size_t MAX_ANIMATIONS = std::numeric_limits<uint16_t>::max();

bool isContainer(const ordered_json& value) { return value.is_array() || value.is_object(); }

std::string keyframeName(size_t animation, size_t keyframe) {
    return "animation " + std::to_string(animation) + " keyframe " + std::to_string(keyframe);
}

// The keyframe array of an animation: its first child, whatever its name.
const ordered_json* keyframesOf(const ordered_json& animation) {
    if (!isContainer(animation) || animation.empty()) return nullptr;
    const ordered_json& first = *animation.begin();
    return first.is_array() ? &first : nullptr;
}

// Checks one keyframe's shape before anything is allocated, so counts read
// from the file never size an array beyond what the file holds.
bool checkKeyframe(const ordered_json& keyframe, const std::string& name, size_t vertexCount,
                   std::string& error) {
    if (!keyframe.is_object()) {
        error = name + " is not an object";
        return false;
    }
    if (!jsonMember(keyframe, "startTime")) {
        error = name + " lacks \"startTime\"";
        return false;
    }
    for (const char* member : {"vertices", "uvs", "colors"}) {
        const ordered_json* array = jsonMember(keyframe, member);
        if (!array || !array->is_array()) {
            error = name + " lacks the array \"" + member + "\"";
            return false;
        }
        if (array->size() != vertexCount) {
            error = name + " \"" + member + "\" holds " + std::to_string(array->size()) +
                    " entries, expected " + std::to_string(vertexCount);
            return false;
        }
    }
    return true;
}

}  // namespace

bool MeshAnimation::load(const ordered_json& animations, std::string& error) {
    if (!isContainer(animations)) {
        error = "\"animations\" is not an array or object";
        return false;
    }
    if (animations.empty()) {
        error = "\"animations\" holds no animation";
        return false;
    }
    if (animations.size() > MAX_ANIMATIONS) {
        error = "\"animations\" holds more than " + std::to_string(MAX_ANIMATIONS) + " animations";
        return false;
    }

    std::vector<const ordered_json*> keyframeArrays;
    for (const ordered_json& animation : animations) {
        const ordered_json* keyframes = keyframesOf(animation);
        if (!keyframes || keyframes->empty()) {
            error = "animation " + std::to_string(keyframeArrays.size()) + " has no keyframe array";
            return false;
        }
        keyframeArrays.push_back(keyframes);
    }

    const ordered_json* firstVertices = jsonMember(keyframeArrays[0]->front(), "vertices");
    if (!firstVertices || !firstVertices->is_array()) {
        error = keyframeName(0, 0) + " lacks the array \"vertices\"";
        return false;
    }
    const size_t vertexCount = firstVertices->size();
    if (vertexCount > static_cast<size_t>(std::numeric_limits<int>::max() / POSITION_FLOATS)) {
        error = keyframeName(0, 0) + " has too many vertices";
        return false;
    }

    std::vector<int32_t> firstFrames;
    size_t totalFrames = 0;
    for (size_t a = 0; a < keyframeArrays.size(); ++a) {
        firstFrames.push_back(static_cast<int32_t>(totalFrames));
        size_t k = 0;
        for (const ordered_json& keyframe : *keyframeArrays[a]) {
            if (!checkKeyframe(keyframe, keyframeName(a, k), vertexCount, error)) return false;
            ++k;
        }
        totalFrames += keyframeArrays[a]->size();
        if (totalFrames > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
            error = "\"animations\" holds too many keyframes";
            return false;
        }
    }

    std::vector<float> positions, colours, texCoords, times;
    positions.reserve(totalFrames * vertexCount * POSITION_FLOATS);
    colours.reserve(totalFrames * vertexCount * COLOUR_FLOATS);
    texCoords.reserve(totalFrames * vertexCount * TEX_COORD_FLOATS);
    times.reserve(totalFrames);
    for (size_t a = 0; a < keyframeArrays.size(); ++a) {
        size_t k = 0;
        for (const ordered_json& keyframe : *keyframeArrays[a]) {
            const std::string name = keyframeName(a, k++);
            float startTime = 0.0f;
            if (!jsonFloat(*jsonMember(keyframe, "startTime"), startTime)) {
                error = name + " \"startTime\" is not a number in range";
                return false;
            }
            times.push_back(startTime);
            const ordered_json& vertices = *jsonMember(keyframe, "vertices");
            const ordered_json& uvs = *jsonMember(keyframe, "uvs");
            const ordered_json& colors = *jsonMember(keyframe, "colors");
            if (!readFloatRecords(vertices, name + " vertices", {"x", "y", "z"}, positions, error) ||
                !readFloatRecords(uvs, name + " uvs", {"u", "v"}, texCoords, error) ||
                !readFloatRecords(colors, name + " colors", {"r", "g", "b"}, colours, error))
                return false;
        }
    }

    framePositions_ = std::move(positions);
    frameColours_ = std::move(colours);
    frameTexCoords_ = std::move(texCoords);
    frameTimes_ = std::move(times);
    firstFrames_ = std::move(firstFrames);
    totalFrames_ = static_cast<int>(totalFrames);
    animationCount_ = static_cast<uint16_t>(keyframeArrays.size());
    vertexCount_ = static_cast<int>(vertexCount);
    currentPositions_.assign(vertexCount * POSITION_FLOATS, 0.0f);
    currentColours_.assign(vertexCount * COLOUR_FLOATS, 0.0f);
    currentTexCoords_.assign(vertexCount * TEX_COORD_FLOATS, 0.0f);
    return true;
}

int MeshAnimation::firstFrame(unsigned animation) const {
    return animation < animationCount_ ? firstFrames_[animation] : -1;
}

int MeshAnimation::lastFrame(unsigned animation) const {
    return animation + 1 < animationCount_ ? firstFrames_[animation + 1] - 1 : totalFrames_ - 1;
}

float MeshAnimation::duration(unsigned animation) const {
    if (animation >= animationCount_) return -1.0f;
    return frameTimes_[lastFrame(animation)];
}

void MeshAnimation::copyKeyframe(int frame) {
    const size_t p = static_cast<size_t>(frame) * currentPositions_.size();
    const size_t c = static_cast<size_t>(frame) * currentColours_.size();
    const size_t t = static_cast<size_t>(frame) * currentTexCoords_.size();
    std::copy_n(framePositions_.begin() + p, currentPositions_.size(), currentPositions_.begin());
    std::copy_n(frameColours_.begin() + c, currentColours_.size(), currentColours_.begin());
    std::copy_n(frameTexCoords_.begin() + t, currentTexCoords_.size(), currentTexCoords_.begin());
}

void MeshAnimation::blendKeyframes(int from, float weight) {
    auto blend = [from, weight](const std::vector<float>& frames, std::vector<float>& current) {
        const size_t n = current.size();
        const float* a = frames.data() + static_cast<size_t>(from) * n;
        const float* b = a + n;
        for (size_t i = 0; i < n; ++i) current[i] = a[i] + weight * (b[i] - a[i]);
    };
    blend(framePositions_, currentPositions_);
    blend(frameColours_, currentColours_);
    blend(frameTexCoords_, currentTexCoords_);
}

void MeshAnimation::sample(unsigned animation, float time) {
    if (animation >= animationCount_) return;
    const int first = firstFrames_[animation];
    const int last = lastFrame(animation);
    // Written so that a NaN time also lands on the first keyframe.
    if (!(time > 0.0f && time > frameTimes_[first])) {
        copyKeyframe(first);
        return;
    }
    if (time >= frameTimes_[last]) {
        copyKeyframe(last);
        return;
    }
    // Here times[first] < time < times[last], so the search stops inside the
    // animation with times[i - 1] < time <= times[i], whatever order the
    // file's start times come in, and the blend never divides by zero.
    int i = first + 1;
    while (i < last && time > frameTimes_[i]) ++i;
    const float weight = (time - frameTimes_[i - 1]) / (frameTimes_[i] - frameTimes_[i - 1]);
    blendKeyframes(i - 1, weight);
}
