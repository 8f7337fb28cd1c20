// Writes the input script of the designed course for mirelo-headless (see
// tests/support/course_script.h); a unit test keeps the committed copy equal
// to what this writes.
//
//   course-script-writer > tests/playthrough/course.keys
#include <cstdio>

#include "course_script.h"

int main() {
    const std::optional<std::string> script = courseScript();
    if (!script) {
        std::fprintf(stderr, "course-script-writer: the autopilot did not finish the course\n");
        return 1;
    }
    std::fputs(script->c_str(), stdout);
    return 0;
}
