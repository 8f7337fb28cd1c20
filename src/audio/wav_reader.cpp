#include "audio/wav_reader.h"

#include <cstring>

namespace {

// "RIFF", the size of what follows, "WAVE".
constexpr size_t RIFF_HEADER_BYTES = 12;
// Each chunk: a four-letter id and the size of its body.
constexpr size_t CHUNK_HEADER_BYTES = 8;
// The PCM fields every fmt chunk starts with; an extension may follow.
constexpr size_t PCM_FORMAT_BYTES = 16;
constexpr uint16_t FORMAT_PCM = 1;
constexpr uint16_t BITS_PER_SAMPLE = 16;
constexpr size_t BYTES_PER_SAMPLE = BITS_PER_SAMPLE / 8;

uint16_t readLe16(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | bytes[1] << 8); }

uint32_t readLe32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

bool isId(const uint8_t* bytes, const char* id) { return std::memcmp(bytes, id, 4) == 0; }

struct Format {
    uint16_t channels = 0;
};

bool readFormat(const uint8_t* body, size_t size, Format& format, std::string& error) {
    if (size < PCM_FORMAT_BYTES) {
        error = "has a fmt chunk too short for PCM";
        return false;
    }
    const uint16_t tag = readLe16(body);
    const uint16_t channels = readLe16(body + 2);
    const uint32_t rate = readLe32(body + 4);
    const uint32_t byteRate = readLe32(body + 8);
    const uint16_t blockAlign = readLe16(body + 12);
    const uint16_t bits = readLe16(body + 14);
    if (tag != FORMAT_PCM || bits != BITS_PER_SAMPLE || rate != SOUND_SAMPLE_RATE ||
        (channels != 1 && channels != 2)) {
        error = "is format " + std::to_string(tag) + ", " + std::to_string(bits) + " bits, " +
                std::to_string(rate) + " Hz, " + std::to_string(channels) +
                " channels: only 16-bit PCM at 48000 Hz, mono or stereo, is read";
        return false;
    }
    if (blockAlign != channels * BYTES_PER_SAMPLE || byteRate != rate * blockAlign) {
        error = "has a fmt chunk whose byte rate or block size does not match its format";
        return false;
    }
    format.channels = channels;
    return true;
}

bool fail(Sound& sound, std::string& error, const char* reason) {
    sound = Sound();
    if (reason) error = reason;
    return false;
}

}  // namespace

bool decodeWav(const uint8_t* bytes, size_t size, Sound& sound, std::string& error) {
    sound = Sound();
    if (size < RIFF_HEADER_BYTES || !isId(bytes, "RIFF") || !isId(bytes + 8, "WAVE"))
        return fail(sound, error, "is not a RIFF WAVE file");
    // The RIFF size counts from after its own field; a file cut short of it
    // has lost its end.
    const uint64_t riffEnd = uint64_t{8} + readLe32(bytes + 4);
    if (riffEnd > size) return fail(sound, error, "is shorter than its RIFF header says");

    Format format;
    bool haveFormat = false;
    const uint8_t* data = nullptr;
    size_t dataBytes = 0;
    uint64_t at = RIFF_HEADER_BYTES;
    while (at + CHUNK_HEADER_BYTES <= riffEnd) {
        const uint8_t* chunk = bytes + at;
        const uint64_t bodySize = readLe32(chunk + 4);
        const uint64_t bodyStart = at + CHUNK_HEADER_BYTES;
        if (bodySize > riffEnd - bodyStart)
            return fail(sound, error, "has a chunk that runs past the file's end");
        if (isId(chunk, "fmt ")) {
            if (haveFormat) return fail(sound, error, "has two fmt chunks");
            if (!readFormat(bytes + bodyStart, static_cast<size_t>(bodySize), format, error))
                return fail(sound, error, nullptr);
            haveFormat = true;
        } else if (isId(chunk, "data")) {
            if (data) return fail(sound, error, "has two data chunks");
            if (!haveFormat) return fail(sound, error, "has its data before its fmt chunk");
            data = bytes + bodyStart;
            dataBytes = static_cast<size_t>(bodySize);
        }
        // An odd-sized body is followed by one pad byte (absent at the very end).
        at = bodyStart + bodySize + (bodySize & 1);
    }
    if (!data) return fail(sound, error, "has no data chunk");
    const size_t frameBytes = format.channels * BYTES_PER_SAMPLE;
    if (dataBytes == 0) return fail(sound, error, "has no samples");
    if (dataBytes % frameBytes != 0)
        return fail(sound, error, "has data that is not a whole number of sample frames");

    sound.channels = format.channels;
    sound.samples.resize(dataBytes / BYTES_PER_SAMPLE);
    for (size_t i = 0; i < sound.samples.size(); ++i)
        sound.samples[i] = static_cast<int16_t>(readLe16(data + i * BYTES_PER_SAMPLE));
    return true;
}
