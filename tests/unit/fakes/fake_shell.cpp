#include "fakes/fake_shell.h"

#include "paths/canonical_path.h"

namespace dustbane::testing {

namespace {

bool isDevice(std::string base) {
    base = base.substr(0, base.find('.'));
    for (char& c : base) {
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    return base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" ||
           (base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
            base[3] >= '0' && base[3] <= '9');
}

} // namespace

std::optional<std::string> plainPathMeaning(const std::string& path) {
    std::optional<std::string> resolved = canonicalPath(path);
    if (!resolved) {
        return std::nullopt;
    }
    const bool endsInSeparator = resolved->back() == '\\';
    std::string meaning;
    size_t start = resolved->find('\\');
    meaning = resolved->substr(0, start);
    while (start != std::string::npos && start + 1 < resolved->size()) {
        size_t end = resolved->find('\\', start + 1);
        std::string name = resolved->substr(
            start + 1, (end == std::string::npos ? resolved->size() : end) - start - 1);
        const bool last = end == std::string::npos || end + 1 == resolved->size();
        if (last && !endsInSeparator) {
            while (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
                name.pop_back();
            }
        } else if (name.size() > 1 && name.back() == '.' && name[name.size() - 2] != '.') {
            name.pop_back();
        }
        if (isDevice(name)) {
            return std::nullopt;
        }
        meaning += "\\" + name;
        start = end;
    }
    return meaning;
}

bool FakeShell::treeHasLocked(const std::string& path) const {
    const auto* node = files_.find(path);
    if (!node) {
        return false;
    }
    if (node->locked) {
        return true;
    }
    if (!(node->attributes & attributes::directory)) {
        return false;
    }
    std::string folder = node->linkTarget.empty() ? node->path : files_.resolve(node->linkTarget);
    for (const auto* child : files_.childrenOf(folder)) {
        if (treeHasLocked(child->path)) {
            return true;
        }
    }
    return false;
}

int FakeShell::recycleItem(const std::string& path) {
    recycleCalls.push_back(path);
    const std::optional<std::string> plain = plainPathMeaning(path);
    if (!plain) {
        return 2;
    }
    if (path.size() > 259) {
        return 206;
    }
    const auto* node = files_.find(*plain);
    if (!node) {
        return 2;
    }
    if (treeHasLocked(*plain)) {
        if (movesAroundHeldFiles) {
            for (const std::string& below : files_.treeBelow(*plain)) {
                const auto* item = files_.find(below);
                if (item && !item->locked && !(item->attributes & attributes::directory)) {
                    files_.eraseTree(below);
                }
            }
        }
        return 32;
    }
    recycled.push_back(node->path);
    files_.eraseTree(node->path);
    return 0;
}

bool FakeShell::emptyRecycleBins() {
    ++emptyCalls;
    if (emptyResult) {
        recycled.clear();
        // An emptied bin holds nothing; one the shell cannot measure stays unmeasured.
        if (binBytes) {
            binBytes = 0;
        }
    }
    return emptyResult;
}

std::string FakeShell::specialFolder(SpecialFolder folder) const {
    auto found = specialFolders.find(folder);
    return found == specialFolders.end() ? std::string() : found->second;
}

std::string FakeShell::browseForFolder(const std::string& title) {
    browseTitles.push_back(title);
    if (folderAnswers.empty()) {
        return {};
    }
    std::string answer = folderAnswers.front();
    folderAnswers.erase(folderAnswers.begin());
    return answer;
}

std::vector<std::string> FakeShell::pickFiles() {
    if (fileAnswers.empty()) {
        return {};
    }
    auto answer = fileAnswers.front();
    fileAnswers.erase(fileAnswers.begin());
    return answer;
}

} // namespace dustbane::testing
