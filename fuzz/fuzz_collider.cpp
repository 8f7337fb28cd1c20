// Collider::load on arbitrary text: every segment and circle the collider
// counts can be read, and segment ends exist only for indices in range.
#include "fuzz_file.h"
#include "scene/collider.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Collider collider;
    const bool loaded = collider.load(writeFuzzFile(data, size, ".json"));
    if (!loaded) FUZZ_REQUIRE(collider.circleCount() == 0 && collider.segmentCount() == 0);
    for (uint32_t s = 0; s <= collider.segmentCount(); ++s) {
        int32_t a = 0, b = 0;
        float ax, ay, bx, by;
        const bool known = collider.segmentIndices(s, a, b);
        FUZZ_REQUIRE(known == (s < collider.segmentCount()));
        const bool inRange = known && a >= 0 && b >= 0 && static_cast<uint32_t>(a) < collider.vertexCount() &&
                             static_cast<uint32_t>(b) < collider.vertexCount();
        FUZZ_REQUIRE(collider.segmentEnds(s, ax, ay, bx, by) == inRange);
    }
    float sum = 0.0f;
    for (uint32_t c = 0; c <= collider.circleCount(); ++c)
        sum += collider.circleX(c) + collider.circleY(c) + collider.circleRadius(c);
    (void)sum;
    return 0;
}
