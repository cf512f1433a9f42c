#include "fakes/fake_shell.h"

namespace dustbane::testing {

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

void FakeShell::deleteFollowingLinks(const std::string& path) {
    const auto* node = files_.find(path);
    if (!node) {
        return;
    }
    std::string own = node->path;
    if (node->attributes & attributes::directory) {
        std::string folder = node->linkTarget.empty() ? own : files_.resolve(node->linkTarget);
        std::vector<std::string> children;
        for (const auto* child : files_.childrenOf(folder)) {
            children.push_back(child->path);
        }
        for (const auto& child : children) {
            deleteFollowingLinks(child);
        }
    }
    files_.eraseTree(own);
}

int FakeShell::deleteItem(const std::string& path, bool toRecycleBin) {
    deleteCalls.push_back(path);
    const auto* node = files_.find(path);
    if (!node) {
        return 2;
    }
    if (treeHasLocked(path)) {
        return 32;
    }
    if (toRecycleBin) {
        recycled.push_back(path);
        files_.eraseTree(path);
        return 0;
    }
    if (!(node->attributes & attributes::directory) && (node->attributes & attributes::readOnly)) {
        return 5;
    }
    deleteFollowingLinks(path);
    return 0;
}

bool FakeShell::emptyRecycleBins() {
    ++emptyCalls;
    if (emptyResult) {
        recycled.clear();
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
