#include "driver/files.h"

#include "platform/win32/text.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <windows.h>

namespace dustbane::e2e {

namespace {

std::filesystem::path native(const std::string& path) {
    return win32::widen(path);
}

std::string withBackslash(std::string path) {
    if (path.empty() || path.back() != '\\') {
        path += '\\';
    }
    return path;
}

std::string convert(const std::string& text, UINT from, UINT to) {
    if (text.empty()) {
        return {};
    }
    int wideLength =
        MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        wideLength);
    int length = WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(to, 0, wide.data(), wideLength, result.data(), length, nullptr, nullptr);
    return result;
}

} // namespace

std::string installDir() {
    const char* configured = std::getenv("DUSTBANE_INSTALL_DIR");
    return withBackslash(configured && *configured ? configured : "C:\\Dustbane");
}

std::string testsFolder() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::string path = win32::narrow(self);
    return path.substr(0, path.rfind('\\') + 1);
}

std::string scratchDir(const std::string& name) {
    std::string path = "C:\\scratch\\" + name + "\\";
    removeTree(path);
    createDirectories(path);
    return path;
}

bool fileExists(const std::string& path) {
    return std::filesystem::is_regular_file(native(path));
}

bool directoryExists(const std::string& path) {
    return std::filesystem::is_directory(native(path));
}

void createDirectories(const std::string& path) {
    std::filesystem::create_directories(native(path));
}

void removeTree(const std::string& path) {
    std::filesystem::remove_all(native(path));
}

void writeFile(const std::string& path, const std::string& bytes) {
    auto target = native(path);
    if (target.has_parent_path()) {
        std::filesystem::create_directories(target.parent_path());
    }
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(native(path), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string toAnsi(const std::string& utf8) {
    return convert(utf8, CP_UTF8, CP_ACP);
}

std::string fromAnsi(const std::string& ansi) {
    return convert(ansi, CP_ACP, CP_UTF8);
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

} // namespace dustbane::e2e
