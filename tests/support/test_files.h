#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A fresh folder under the system's temporary directory, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string file(const std::string& name) const;

private:
    std::string path_;
};

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes);
void writeFile(const std::string& path, const std::string& text);
std::vector<uint8_t> readFile(const std::string& path);

// Runs a callable while capturing what it writes to stdout and stderr.
struct CapturedOutput {
    std::string out;
    std::string err;
};
template <class F>
CapturedOutput captureOutput(F&& f);

// Implementation detail of captureOutput.
void beginCapture();
CapturedOutput endCapture();

template <class F>
CapturedOutput captureOutput(F&& f) {
    beginCapture();
    f();
    return endCapture();
}
