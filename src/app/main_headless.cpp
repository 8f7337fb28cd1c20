// mirelo-headless: the game without a window, on an offscreen Mesa context,
// as a scripted run (app/scripted_run.h): a fixed number of frames with a
// fixed step and scripted keys, screenshots and a JSON dump of the game
// state. Its options and exit codes are a contract other tools rely on (the
// design notes): 0 success, 1 the game failed to load, 2 bad arguments or
// input script, 3 GL errors with --check-gl.
#include <cstdio>
#include <string>

#include "app/scripted_run.h"
#include "platform/headless/headless_platform.h"
#include "platform/headless/headless_window.h"

namespace {

// The runner's own voice for every failure it reports, the frame loop's
// start-up failures included.
void reportFailure(const char* text, const char* /*caption*/) {
    std::fprintf(stderr, "mirelo-headless: %s\n", text);
}

}  // namespace

int main(int argc, char** argv) {
    headless::setErrorBox(reportFailure);
    RunOptions options;
    std::string error;
    if (!parseRunOptions(argc, argv, OptionHost::COMMAND_LINE, options, error)) {
        reportFailure(error.c_str(), nullptr);
        return EXIT_BAD_ARGUMENTS;
    }
    ScriptedRun<Window> run(options);
    if (!run.loadScript(error)) {
        reportFailure(error.c_str(), nullptr);
        return EXIT_BAD_ARGUMENTS;
    }
    if (!run.start(Pacing::SLEEP)) return EXIT_LOAD_FAILED;
    while (!run.finished()) run.pass();
    return run.finish();
}
