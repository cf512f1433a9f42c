#include "paths/canonical_path.h"

#include "paths/case_folding.h"

#include <string_view>
#include <vector>

namespace dustbane {

namespace {

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Characters no file or folder name may hold; ':' would name an alternate data stream.
bool forbiddenInName(char c) {
    return static_cast<unsigned char>(c) < 0x20 ||
           std::string_view("<>:\"|?*").find(c) != std::string_view::npos;
}

std::vector<std::string> components(const std::string& text, size_t from) {
    std::vector<std::string> parts;
    std::string part;
    for (size_t i = from; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\\') {
            if (!part.empty()) {
                parts.push_back(part);
            }
            part.clear();
        } else {
            part.push_back(text[i]);
        }
    }
    return parts;
}

// The verbatim forms name the same items as the plain ones once "." and ".." are resolved.
std::string withoutVerbatimPrefix(const std::string& text) {
    if (text.rfind("\\\\?\\", 0) != 0) {
        return text;
    }
    const std::string rest = text.substr(4);
    if (rest.size() >= 4 && (rest[0] == 'U' || rest[0] == 'u') &&
        (rest[1] == 'N' || rest[1] == 'n') && (rest[2] == 'C' || rest[2] == 'c') &&
        rest[3] == '\\') {
        return "\\\\" + rest.substr(4);
    }
    return rest;
}

// How many characters of a key its root takes, its closing backslash included.
size_t rootLength(const PathKey& key) {
    if (key.rfind(U"\\\\", 0) != 0) {
        return 3;
    }
    const size_t server = key.find(U'\\', 2);
    const size_t share = server == PathKey::npos ? PathKey::npos : key.find(U'\\', server + 1);
    return share == PathKey::npos ? key.size() + 1 : share + 1;
}

} // namespace

std::optional<std::string> canonicalPath(const std::string& input) {
    std::string text = input;
    for (char& c : text) {
        if (c == '/') {
            c = '\\';
        }
    }
    text = withoutVerbatimPrefix(text);
    std::string root;
    std::vector<std::string> parts;
    if (text.size() >= 2 && isLetter(text[0]) && text[1] == ':') {
        if (text.size() == 2) {
            return text;
        }
        if (text[2] != '\\') {
            return std::nullopt;
        }
        root = text.substr(0, 2);
        parts = components(text, 3);
    } else if (text.rfind("\\\\", 0) == 0) {
        parts = components(text, 2);
        if (parts.size() < 2 || parts[0] == "." || parts[0] == "?" || parts[1] == "." ||
            parts[1] == "..") {
            return std::nullopt;
        }
        root = "\\\\" + parts[0] + "\\" + parts[1];
        parts.erase(parts.begin(), parts.begin() + 2);
    } else {
        return std::nullopt;
    }

    std::vector<std::string> resolved;
    for (const std::string& part : parts) {
        if (part == ".") {
            continue;
        }
        if (part == "..") {
            if (!resolved.empty()) {
                resolved.pop_back();
            }
            continue;
        }
        for (char c : part) {
            if (forbiddenInName(c)) {
                return std::nullopt;
            }
        }
        resolved.push_back(part);
    }
    std::string canonical = root;
    for (const std::string& part : resolved) {
        canonical += "\\" + part;
    }
    if (resolved.empty() || text.back() == '\\') {
        canonical += "\\";
    }
    return canonical;
}

PathKey pathKey(const std::string& canonical) {
    PathKey key = caseKey(canonical);
    if (key.size() < rootLength(key)) {
        key.push_back(U'\\');
    }
    if (key.size() > rootLength(key) && key.back() == U'\\') {
        key.pop_back();
    }
    return key;
}

bool isRootKey(const PathKey& key) {
    return !key.empty() && key.size() == rootLength(key);
}

PathKey parentKey(const PathKey& key) {
    if (key.size() <= rootLength(key)) {
        return {};
    }
    const size_t last = key.rfind(U'\\');
    return last + 1 <= rootLength(key) ? key.substr(0, rootLength(key)) : key.substr(0, last);
}

bool isBelowKey(const PathKey& key, const PathKey& folder) {
    if (folder.empty() || key.size() <= folder.size() ||
        key.compare(0, folder.size(), folder) != 0) {
        return false;
    }
    return isRootKey(folder) || key[folder.size()] == U'\\';
}

} // namespace dustbane
