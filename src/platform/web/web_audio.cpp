#include <emscripten.h>

#include "platform/audio_output.h"

// Web Audio: each batch of samples becomes an AudioBuffer scheduled right
// after the previous one on the context's clock, so the queue is the time
// scheduled ahead of currentTime. Browsers let a page's sound start only
// after the player has clicked or pressed a key: the context is made at
// open (it runs at once where the browser allows it) and resumed on the
// first click or key. Module.audioOutput.report() answers the page's
// window.mireloAudio().

// The JavaScript keeps its own layout: clang-format would split `===`.
// clang-format off

// 1 when the browser has Web Audio; the context then exists, running or
// suspended.
EM_JS(int, webAudioOpen, (int sampleRate), {
    if (Module.audioOutput && Module.audioOutput.context.state !== 'closed') return 1;
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return 0;
    let context;
    try {
        context = new Context({sampleRate: sampleRate});
    } catch (error) {
        // A browser that cannot run at this rate resamples our buffers instead.
        context = new Context();
    }
    // Batches scheduled ahead, kept until they are 0.1 s in the past, for the level.
    const output = {context: context, rate: sampleRate, next: 0, sent: []};
    const gestures = ['pointerdown', 'keydown', 'touchend'];
    function resume() {
        if (context.state === 'suspended') context.resume();
        if (context.state !== 'suspended')
            for (const name of gestures) window.removeEventListener(name, resume, true);
    }
    for (const name of gestures) window.addEventListener(name, resume, true);
    context.onstatechange = resume;
    // The RMS of what the speakers got in the last 0.1 s: nothing while the
    // context does not run.
    const LEVEL_SECONDS = 0.1;
    output.report = function() {
        const now = context.currentTime;
        let sum = 0;
        let count = 0;
        if (context.state === 'running')
            for (const batch of output.sent)
                if (batch.start <= now && batch.end > now - LEVEL_SECONDS) {
                    sum += batch.sum;
                    count += batch.count;
                }
        return {state: context.state, level: count > 0 ? Math.sqrt(sum / count) : 0};
    };
    Module.audioOutput = output;
    return 1;
});

EM_JS(int, webAudioFramesWanted, (int queueFrames), {
    const output = Module.audioOutput;
    if (!output || output.context.state === 'closed') return 0;
    const ahead = Math.max(0, output.next - output.context.currentTime);
    return Math.max(0, queueFrames - Math.round(ahead * output.rate));
});

EM_JS(void, webAudioQueue, (const int16_t* samples, int frames), {
    const output = Module.audioOutput;
    if (!output || output.context.state === 'closed') return;
    const context = output.context;
    const buffer = context.createBuffer(2, frames, output.rate);
    const left = buffer.getChannelData(0);
    const right = buffer.getChannelData(1);
    const first = samples >> 1;
    let sum = 0;
    for (let i = 0; i < frames; ++i) {
        left[i] = HEAP16[first + 2 * i] / 32768;
        right[i] = HEAP16[first + 2 * i + 1] / 32768;
        sum += left[i] * left[i] + right[i] * right[i];
    }
    const source = context.createBufferSource();
    source.buffer = buffer;
    source.connect(context.destination);
    // After a gap (the queue ran dry) the next batch starts now.
    const now = context.currentTime;
    if (output.next < now) output.next = now;
    source.start(output.next);
    const end = output.next + frames / output.rate;
    output.sent.push({start: output.next, end: end, sum: sum, count: 2 * frames});
    output.next = end;
    while (output.sent.length > 0 && output.sent[0].end < now - 0.1) output.sent.shift();
});

EM_JS(void, webAudioClose, (), {
    const output = Module.audioOutput;
    if (output && output.context.state !== 'closed') output.context.close();
});

// clang-format on

namespace platform {

bool openAudioOutput(std::string& whyNot) {
    if (webAudioOpen(AUDIO_SAMPLE_RATE)) return true;
    whyNot = "this browser has no Web Audio";
    return false;
}

int audioFramesWanted() { return webAudioFramesWanted(AUDIO_QUEUE_FRAMES); }

void queueAudio(const int16_t* samples, int frames) {
    if (frames > 0) webAudioQueue(samples, frames);
}

void closeAudioOutput() { webAudioClose(); }

}  // namespace platform
