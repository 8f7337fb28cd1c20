// Preloaded into mirelo-headless by memory_bounded.sh. After the frames
// listed in HEAP_SAMPLE_FRAMES it appends "FRAME HEAP_BYTES RESIDENT_KB" to
// HEAP_SAMPLE_FILE: the bytes allocated and not yet freed (every malloc
// arena and every mmapped block) and the resident size. Sampling inside one
// run, after start-up, keeps the loading peak and the hole it leaves in the
// heap out of the measure: a small leak fills such holes first, so the peak
// resident size of a whole run does not show it. mirelo-headless ends every
// drawn frame with glFinish, so its n-th call ends frame n.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <malloc.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef void (*FinishFunction)(void);

static long residentKb(void) {
    FILE* status = fopen("/proc/self/status", "r");
    if (!status) return -1;
    char line[256];
    long kb = -1;
    while (fgets(line, sizeof line, status))
        if (strncmp(line, "VmRSS:", 6) == 0) kb = strtol(line + 6, NULL, 10);
    fclose(status);
    return kb;
}

static int listed(long frame, const char* frames) {
    char* end = NULL;
    for (const char* p = frames; *p; p = end) {
        const long value = strtol(p, &end, 10);
        if (end == p) return 0;
        if (value == frame) return 1;
    }
    return 0;
}

void glFinish(void) {
    static FinishFunction next;
    static long frame;
    if (!next) next = (FinishFunction)dlsym(RTLD_NEXT, "glFinish");
    if (!next) {
        fprintf(stderr, "heap sampler: no glFinish to forward to\n");
        abort();
    }
    next();
    ++frame;
    const char* frames = getenv("HEAP_SAMPLE_FRAMES");
    const char* path = getenv("HEAP_SAMPLE_FILE");
    if (!frames || !path || !listed(frame, frames)) return;
    const struct mallinfo2 heap = mallinfo2();
    FILE* out = fopen(path, "a");
    if (!out) {
        fprintf(stderr, "heap sampler: cannot write %s\n", path);
        abort();
    }
    fprintf(out, "%ld %zu %ld\n", frame, heap.uordblks + heap.hblkhd, residentKb());
    fclose(out);
}
