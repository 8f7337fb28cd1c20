#include "app/scripted_run.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "app/option_text.h"
#include "app/screenshot.h"
#include "audio/sound_id.h"
#include "gfx/gl_api.h"
#include "platform/platform.h"

namespace {

// Bounds that catch a typo before it runs: 100 million frames is weeks of
// play, an hour a step is no frame, and drivers take no larger surface.
constexpr long long MAX_FRAMES = 100000000;
constexpr double MAX_STEP_SECONDS = 3600.0;
constexpr int MAX_SIDE = 8192;
// The seaweed seed is an unsigned 32-bit number.
constexpr long long MAX_SEED = 4294967295LL;
// mirelo-headless's defaults: one frame of the step the game is tuned for.
constexpr long long COMMAND_LINE_FRAMES = 1;
constexpr double COMMAND_LINE_DT = 0.016;

bool readSeconds(const std::string& text, RunOptions& o) {
    char* end = nullptr;
    const double dt = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(dt) || dt < 0.0 || dt > MAX_STEP_SECONDS) return false;
    o.dt = dt;
    return true;
}

bool readSize(const std::string& text, RunOptions& o) {
    const size_t x = text.find('x');
    long long w = 0, h = 0;
    if (x == std::string::npos || !parseWhole(text.substr(0, x), 1, MAX_SIDE, w) ||
        !parseWhole(text.substr(x + 1), 1, MAX_SIDE, h))
        return false;
    o.width = static_cast<int>(w);
    o.height = static_cast<int>(h);
    return true;
}

bool readSeed(const std::string& text, RunOptions& o) {
    long long seed = 0;
    if (!parseWhole(text, 0, MAX_SEED, seed)) return false;
    o.seed = static_cast<unsigned>(seed);
    return true;
}

// Every option of a scripted run, in one place. An output that comes later
// (the sound file, the sound log) adds its row here and its RunOutput in
// optionOutputs.
struct OptionRule {
    const char* name;  // "frames": --frames on the command line, frames= in the page's URL
    bool onPage;       // the page's URL takes it too
    bool isFlag;       // takes no value
    // Stores the value; false when it is not one the option takes. Null for
    // an option whose value is any text, stored in `text`.
    bool (*read)(const std::string& value, RunOptions& options);
    std::string RunOptions::*text;
    // What a refused value is told, after the option's name; {} is the value.
    const char* refusal;
};

const OptionRule OPTION_RULES[] = {
    {"frames", true, false,
     [](const std::string& v, RunOptions& o) { return parseWhole(v, 0, MAX_FRAMES, o.frames); }, nullptr,
     "takes a whole number of frames, not '{}'"},
    {"dt", true, false, readSeconds, nullptr, "takes a number of seconds, not '{}'"},
    {"input", true, false, nullptr, &RunOptions::inputPath, ""},
    {"seed", true, false, readSeed, nullptr, "takes a whole number, not '{}'"},
    {"size", false, false, readSize, nullptr, "takes WIDTHxHEIGHT, for example 1280x720"},
    {"screenshot", false, false, nullptr, &RunOptions::screenshotPath, ""},
    {"screenshot-every", false, false,
     [](const std::string& v, RunOptions& o) { return parseWhole(v, 1, MAX_FRAMES, o.screenshotEvery); },
     nullptr, "takes a whole number of frames, not '{}'"},
    {"screenshot-dir", false, false, nullptr, &RunOptions::screenshotDir, ""},
    {"state", false, false, nullptr, &RunOptions::statePath, ""},
    {"audio", false, false, nullptr, &RunOptions::audioPath, ""},
    {"sound-log", false, false, nullptr, &RunOptions::soundLogPath, ""},
    {"check-gl", false, true,
     [](const std::string&, RunOptions& o) {
         o.checkGl = true;
         return true;
     },
     nullptr, ""},
};

bool store(const OptionRule& rule, const std::string& value, RunOptions& options) {
    if (rule.read) return rule.read(value, options);
    options.*rule.text = value;
    return true;
}

std::string spelling(const OptionRule& rule, OptionHost host) {
    return host == OptionHost::PAGE ? std::string(rule.name) + "=" : "--" + std::string(rule.name);
}

const OptionRule* ruleFor(const std::string& argument, OptionHost host) {
    for (const OptionRule& rule : OPTION_RULES)
        if (argument == "--" + std::string(rule.name) && (rule.onPage || host == OptionHost::COMMAND_LINE))
            return &rule;
    return nullptr;
}

std::string refusal(const OptionRule& rule, OptionHost host, const std::string& value) {
    std::string text = spelling(rule, host) + " " + rule.refusal;
    const size_t at = text.find("{}");
    if (at != std::string::npos) text.replace(at, 2, value);
    return text;
}

std::string frameFileName(const std::string& dir, long long frame) {
    char name[32];
    std::snprintf(name, sizeof name, "/frame-%06lld.png", frame);
    return dir + name;
}

// What every output reports fails in the run's own voice: mirelo-headless
// prints it, the page shows it.
void report(const std::string& text) { platform::showErrorBox(text.c_str(), ERROR_CAPTION); }

bool writeText(const std::string& path, const std::string& text) {
    if (path == "-") {
        std::cout << text;
        return true;
    }
    std::ofstream out(path);
    out << text;
    if (out) return true;
    report("cannot write " + path);
    return false;
}

// --audio: a RIFF WAVE file of the mix, written as the run goes; the two
// sizes in its header are filled in at the end.
class MixFile {
public:
    explicit MixFile(const std::string& path) : path(path), file(path, std::ios::binary) { header(0); }

    // Each frame brings the file to round(frames x dt x rate) sample frames,
    // so rounding never adds up however long the run.
    void afterFrame(long long frame, double dt, Mixer& mixer) {
        const long long total =
            std::llround(static_cast<double>(frame + 1) * dt * platform::AUDIO_SAMPLE_RATE);
        const size_t count = total > written ? static_cast<size_t>(total - written) : 0;
        samples.resize(count * platform::AUDIO_CHANNELS);
        mixer.render(samples.data(), count);
        bytes.clear();
        for (int16_t s : samples) {
            bytes.push_back(static_cast<char>(static_cast<uint16_t>(s) & 0xFF));
            bytes.push_back(static_cast<char>(static_cast<uint16_t>(s) >> 8));
        }
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        written += static_cast<long long>(count);
    }

    bool finish() {
        if (written > MAX_FRAMES_IN_FILE) {
            report(path + ": the run is too long for a WAV file");
            return false;
        }
        file.seekp(0);
        header(static_cast<uint32_t>(written * BYTES_PER_FRAME));
        file.close();
        if (file) return true;
        report("cannot write " + path);
        return false;
    }

private:
    static constexpr uint32_t BYTES_PER_FRAME = platform::AUDIO_CHANNELS * 2;
    // RIFF sizes are 32-bit: about six hours of the mix.
    static constexpr long long MAX_FRAMES_IN_FILE = (0xFFFFFFFFLL - 36) / BYTES_PER_FRAME;

    void put(uint32_t value, int size) {
        for (int i = 0; i < size; ++i) file.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
    void header(uint32_t dataBytes) {
        file.write("RIFF", 4);
        put(36 + dataBytes, 4);
        file.write("WAVEfmt ", 8);
        put(16, 4);  // the PCM format chunk
        put(1, 2);   // PCM
        put(platform::AUDIO_CHANNELS, 2);
        put(platform::AUDIO_SAMPLE_RATE, 4);
        put(platform::AUDIO_SAMPLE_RATE * BYTES_PER_FRAME, 4);
        put(BYTES_PER_FRAME, 2);
        put(16, 2);
        file.write("data", 4);
        put(dataBytes, 4);
    }

    std::string path;
    std::ofstream file;
    long long written = 0;
    std::vector<int16_t> samples;
    std::vector<char> bytes;
};

}  // namespace

bool parseRunOptions(int argc, char** argv, OptionHost host, RunOptions& o, std::string& error) {
    o = RunOptions();
    if (host == OptionHost::COMMAND_LINE) {
        o.frames = COMMAND_LINE_FRAMES;
        o.dt = COMMAND_LINE_DT;
        o.soundDevice = false;
    }
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const OptionRule* rule = ruleFor(argument, host);
        if (!rule) {
            error = "unknown argument '" + argument + "'";
            return false;
        }
        if (rule->isFlag) {
            store(*rule, "", o);
            continue;
        }
        if (i + 1 >= argc) {
            error = spelling(*rule, host) + " needs a value";
            return false;
        }
        const std::string value = argv[++i];
        if (!store(*rule, value, o)) {
            error = refusal(*rule, host, value);
            return false;
        }
    }
    if ((o.screenshotEvery > 0) != !o.screenshotDir.empty()) {
        error = "--screenshot-every and --screenshot-dir go together";
        return false;
    }
    return true;
}

bool loadInputScript(const std::string& path, InputScript& script, std::string& error) {
    if (path.empty()) return true;
    if (path == "-") return script.parse(std::cin, error);
    std::ifstream file(path);
    if (!file) {
        error = "cannot read input script " + path;
        return false;
    }
    return script.parse(file, error);
}

std::vector<RunOutput> optionOutputs(const RunOptions& o, std::function<void()> render,
                                     std::function<nlohmann::ordered_json()> state, Game& game) {
    std::vector<RunOutput> outputs;
    if (o.checkGl) {
        auto errors = std::make_shared<bool>(false);
        outputs.push_back({[errors](long long frame, bool ran) {
                               if (!ran) return;
                               for (GLenum e = glGetError(); e != GL_NO_ERROR; e = glGetError()) {
                                   std::fprintf(stderr, "frame %lld: GL error 0x%04x\n", frame, e);
                                   *errors = true;
                               }
                           },
                           [errors] { return *errors ? EXIT_GL_ERRORS : 0; }});
    }
    if (o.screenshotEvery > 0) {
        outputs.push_back({[o](long long frame, bool ran) {
                               if (ran && frame % o.screenshotEvery == 0)
                                   writeScreenshot(frameFileName(o.screenshotDir, frame), o.width, o.height);
                           },
                           nullptr});
    }
    if (!o.screenshotPath.empty()) {
        auto rendered = std::make_shared<bool>(false);
        outputs.push_back({[rendered](long long, bool ran) { *rendered = *rendered || ran; },
                           [o, rendered, render] {
                               if (!*rendered) render();  // nothing ran yet: show the loaded state
                               return writeScreenshot(o.screenshotPath, o.width, o.height)
                                          ? 0
                                          : EXIT_BAD_ARGUMENTS;
                           }});
    }
    if (!o.audioPath.empty()) {
        // A paused frame is silence: the paused mixer plays none and stands still.
        auto mix = std::make_shared<MixFile>(o.audioPath);
        const double dt = o.dt.value_or(0.0);
        outputs.push_back(
            {[mix, dt, &game](long long frame, bool) { mix->afterFrame(frame, dt, game.mixer); },
             [mix] { return mix->finish() ? 0 : EXIT_BAD_ARGUMENTS; }});
    }
    if (!o.soundLogPath.empty()) {
        auto log = std::make_shared<std::string>();
        outputs.push_back({[log, &game](long long frame, bool ran) {
                               if (!ran) return;  // no update: nothing started
                               for (const SoundStart& start : game.soundsStarted)
                                   *log += std::to_string(frame) + " " + SOUND_FILES[start.id].name + "\n";
                           },
                           [o, log] { return writeText(o.soundLogPath, *log) ? 0 : EXIT_BAD_ARGUMENTS; }});
    }
    if (!o.statePath.empty()) {
        outputs.push_back({nullptr, [o, state] {
                               return writeText(o.statePath, state().dump(2) + "\n") ? 0 : EXIT_BAD_ARGUMENTS;
                           }});
    }
    return outputs;
}
