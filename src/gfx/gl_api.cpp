#include "gfx/gl_api.h"

#include "platform/platform.h"

#define MIRELO_DEFINE_ENTRY_POINT(type, name, used) type mirelo_##name = nullptr;
MIRELO_GL_ENTRY_POINTS(MIRELO_DEFINE_ENTRY_POINT)
#undef MIRELO_DEFINE_ENTRY_POINT

void loadGlEntryPoints() {
#define MIRELO_LOAD_ENTRY_POINT(type, name, used) \
    mirelo_##name = reinterpret_cast<type>(platform::glProcAddress(#name));
    MIRELO_GL_ENTRY_POINTS(MIRELO_LOAD_ENTRY_POINT)
#undef MIRELO_LOAD_ENTRY_POINT
}

std::vector<const char*> missingGlEntryPoints() {
    std::vector<const char*> missing;
#define MIRELO_CHECK_ENTRY_POINT(type, name, used) \
    if (used && mirelo_##name == nullptr) missing.push_back(#name);
    MIRELO_GL_ENTRY_POINTS(MIRELO_CHECK_ENTRY_POINT)
#undef MIRELO_CHECK_ENTRY_POINT
    return missing;
}

void clearGlEntryPoints() {
#define MIRELO_CLEAR_ENTRY_POINT(type, name, used) mirelo_##name = nullptr;
    MIRELO_GL_ENTRY_POINTS(MIRELO_CLEAR_ENTRY_POINT)
#undef MIRELO_CLEAR_ENTRY_POINT
}
