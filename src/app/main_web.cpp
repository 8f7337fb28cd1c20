// The game in a web browser: the shared frame loop on the WebGL 2 canvas,
// one pass per animation frame (a test's scripted fixed-step run with a
// frame limit: as many as fit in a budget, the last one drawn), as a
// scripted run (app/scripted_run.h). The browser cannot sleep the page's
// thread, so a pass that comes early only swaps and its time carries over
// (Pacing::SKIP).
//
// The page hands over the test hooks of its URL as arguments (see
// tools/web/page/page.js): --seed N, --dt S, --frames N (stop after N passes,
// then window.mireloDone = true), --input FILE (a key script, already fetched
// into the page's file system). window.mireloState() returns the JSON of
// mirelo-headless --state. Without them the page plays normally.
#include <cstdint>
#include <string>

#include "app/scripted_run.h"
#include "platform/platform.h"
#include "platform/web/web_platform.h"
#include "platform/web/web_window.h"

namespace {

using PageRun = ScriptedRun<Window>;

// A scripted run with a fixed step and a frame limit (a test's) does not
// depend on the time between frames, so it need not wait for the display's:
// it makes passes for up to this long in each animation frame, and the page
// stays responsive in between. The browser shows one picture per animation
// frame, so only the last pass's is drawn (drawing is most of a pass's time
// on a software renderer).
constexpr double UNPACED_BUDGET_SECONDS = 0.03;
bool unpaced = false;

void onAnimationFrame(void* arg) {
    PageRun& run = *static_cast<PageRun*>(arg);
    const int64_t begun = platform::performanceCounter();
    const double budget = UNPACED_BUDGET_SECONDS * static_cast<double>(platform::performanceFrequency());
    do {
        run.pass();
    } while (unpaced && !run.finished() &&
             static_cast<double>(platform::performanceCounter() - begun) < budget);
    run.drawLatest();
    if (run.finished()) {
        web::stopAnimationFrames();
        web::announceDone();
    }
}

}  // namespace

int main(int argc, char** argv) {
    RunOptions options;
    std::string error;
    if (!parseRunOptions(argc, argv, OptionHost::PAGE, options, error)) {
        platform::showErrorBox(error.c_str(), ERROR_CAPTION);
        return 1;
    }
    unpaced = !options.inputPath.empty() && options.dt.has_value() && options.frames >= 0;
    // It lives as long as the page: the browser's frames work on it after main returns.
    static PageRun run(options);
    if (!run.loadScript(error)) {
        platform::showErrorBox(error.c_str(), ERROR_CAPTION);
        return 1;
    }
    if (!run.start(Pacing::SKIP)) return 1;
    run.setDrawing(!unpaced);
    web::setStateReport([] { return run.state().dump(2); });
    web::setMuteToggle([] { return run.toggleMute(); });
    if (run.finished()) {
        web::announceDone();
        return 0;
    }
    web::runEveryAnimationFrame(onAnimationFrame, &run);
    return 0;
}
