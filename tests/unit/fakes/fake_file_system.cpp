#include "fakes/fake_file_system.h"

#include "paths/canonical_path.h"

#include <algorithm>
#include <stdexcept>

namespace dustbane::testing {

namespace {

std::string withoutTrailingBackslash(std::string path) {
    while (path.size() > 2 && path.back() == '\\') {
        path.pop_back();
    }
    if (path.size() == 3 && path[1] == ':' && path[2] == '\\') {
        path.pop_back();
    }
    return path;
}

std::vector<std::string> components(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty()) {
                parts.push_back(part);
            }
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) {
        parts.push_back(part);
    }
    return parts;
}

std::string parentOf(const std::string& path) {
    auto slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

class VectorListing : public DirectoryListing {
  public:
    explicit VectorListing(std::vector<DirectoryEntry> entries) : entries_(std::move(entries)) {}
    bool next(DirectoryEntry& entry) override {
        if (index_ >= entries_.size()) {
            return false;
        }
        entry = entries_[index_++];
        return true;
    }

  private:
    std::vector<DirectoryEntry> entries_;
    size_t index_ = 0;
};

} // namespace

FakeFileSystem::FakeFileSystem() {
    for (const char* drive : {"C:", "D:"}) {
        nodes_[key(drive)] = Node{drive, attributes::directory, {}, false, {}};
    }
}

std::string FakeFileSystem::key(const std::string& path) {
    std::string upper = withoutTrailingBackslash(path);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

std::string FakeFileSystem::resolve(const std::string& path) const {
    // The adapter resolves "." and ".." by their text and keeps every other character, as a
    // verbatim path does.
    auto parts = components(withoutTrailingBackslash(canonicalPath(path).value_or(path)));
    if (parts.empty()) {
        return {};
    }
    std::string resolved = parts[0];
    for (size_t i = 1; i < parts.size(); ++i) {
        auto found = nodes_.find(key(resolved));
        if (found != nodes_.end() && !found->second.linkTarget.empty()) {
            resolved = resolve(found->second.linkTarget);
        }
        resolved += "\\" + parts[i];
    }
    return resolved;
}

std::optional<std::string> FakeFileSystem::finalPath(const std::string& path) const {
    const Node* node = find(path);
    if (node && !node->linkTarget.empty()) {
        node = find(node->linkTarget);
    }
    if (!node) {
        return std::nullopt;
    }
    return components(node->path).size() == 1 ? node->path + "\\" : node->path;
}

const FakeFileSystem::Node* FakeFileSystem::find(const std::string& path) const {
    auto found = nodes_.find(key(resolve(path)));
    return found == nodes_.end() ? nullptr : &found->second;
}

FakeFileSystem::Node* FakeFileSystem::find(const std::string& path) {
    auto found = nodes_.find(key(resolve(path)));
    return found == nodes_.end() ? nullptr : &found->second;
}

std::vector<const FakeFileSystem::Node*>
FakeFileSystem::childrenOf(const std::string& resolvedFolder) const {
    std::vector<const Node*> children;
    std::string prefix = key(resolvedFolder) + "\\";
    for (auto it = nodes_.lower_bound(prefix); it != nodes_.end(); ++it) {
        if (it->first.compare(0, prefix.size(), prefix) != 0) {
            break;
        }
        if (it->first.find('\\', prefix.size()) == std::string::npos) {
            children.push_back(&it->second);
        }
    }
    return children;
}

void FakeFileSystem::addFolder(const std::string& path) {
    auto parts = components(withoutTrailingBackslash(path));
    std::string current;
    for (const auto& part : parts) {
        current = current.empty() ? part : current + "\\" + part;
        std::string resolved = resolve(current);
        if (!nodes_.count(key(resolved))) {
            nodes_[key(resolved)] = Node{resolved, attributes::directory, {}, false, {}};
        }
    }
}

void FakeFileSystem::addFile(const std::string& path, const std::string& contents,
                             uint32_t fileAttributes) {
    addFolder(parentOf(withoutTrailingBackslash(path)));
    std::string resolved = resolve(path);
    nodes_[key(resolved)] = Node{resolved, fileAttributes, contents, false, {}};
}

void FakeFileSystem::addFolderLink(const std::string& path, const std::string& target) {
    addFolder(parentOf(withoutTrailingBackslash(path)));
    std::string resolved = resolve(path);
    nodes_[key(resolved)] =
        Node{resolved, attributes::directory | attributes::reparsePoint, {}, false, target};
}

void FakeFileSystem::lock(const std::string& path) {
    Node* node = find(path);
    if (!node) {
        throw std::invalid_argument("no such file to lock: " + path);
    }
    node->locked = true;
}

void FakeFileSystem::setTimes(const std::string& path, FileTime created, FileTime written) {
    Node* node = find(path);
    if (!node) {
        throw std::invalid_argument("no such item to date: " + path);
    }
    node->created = created;
    node->written = written;
}

DirectoryEntry FakeFileSystem::entryFor(const Node& node) {
    return {{},
            node.attributes == 0 ? attributes::normal : node.attributes,
            node.contents.size(),
            node.created,
            node.written};
}

bool FakeFileSystem::exists(const std::string& path) const {
    return find(path) != nullptr;
}

std::string FakeFileSystem::contentsOf(const std::string& path) const {
    const Node* node = find(path);
    return node ? node->contents : std::string();
}

std::vector<std::string> FakeFileSystem::treeBelow(const std::string& folder) const {
    std::vector<std::string> paths;
    std::string prefix = key(resolve(folder)) + "\\";
    for (auto it = nodes_.lower_bound(prefix); it != nodes_.end(); ++it) {
        if (it->first.compare(0, prefix.size(), prefix) != 0) {
            break;
        }
        paths.push_back(it->second.path);
    }
    return paths;
}

void FakeFileSystem::eraseTree(const std::string& path) {
    std::string nodeKey = key(resolve(path));
    std::string prefix = nodeKey + "\\";
    nodes_.erase(nodeKey);
    auto it = nodes_.lower_bound(prefix);
    while (it != nodes_.end() && it->first.compare(0, prefix.size(), prefix) == 0) {
        it = nodes_.erase(it);
    }
}

std::unique_ptr<DirectoryListing> FakeFileSystem::list(const std::string& folder) {
    const Node* node = find(folder);
    if (!node || !(node->attributes & attributes::directory)) {
        return nullptr;
    }
    listed_.push_back(folder);
    std::string target = node->linkTarget.empty() ? node->path : resolve(node->linkTarget);
    const Node* targetNode = find(target);
    if (!targetNode) {
        return nullptr;
    }
    std::vector<DirectoryEntry> entries;
    if (components(target).size() > 1) {
        entries.push_back({".", attributes::directory, 0});
        entries.push_back({"..", attributes::directory, 0});
    }
    for (const Node* child : childrenOf(target)) {
        DirectoryEntry entry = entryFor(*child);
        entry.name = child->path.substr(child->path.rfind('\\') + 1);
        entries.push_back(std::move(entry));
    }
    return std::make_unique<VectorListing>(std::move(entries));
}

bool FakeFileSystem::directoryExists(const std::string& path) const {
    const Node* node = find(path);
    return node && (node->attributes & attributes::directory);
}

bool FakeFileSystem::fileExists(const std::string& path) const {
    const Node* node = find(path);
    return node && !(node->attributes & attributes::directory);
}

std::optional<uint32_t> FakeFileSystem::attributesOf(const std::string& path) const {
    const Node* node = find(path);
    if (!node) {
        return std::nullopt;
    }
    return node->attributes == 0 ? attributes::normal : node->attributes;
}

std::optional<DirectoryEntry> FakeFileSystem::entryOf(const std::string& path) const {
    const Node* node = find(path);
    return node ? std::optional<DirectoryEntry>(entryFor(*node)) : std::nullopt;
}

bool FakeFileSystem::setNormalAttributes(const std::string& path) {
    Node* node = find(path);
    if (!node) {
        return false;
    }
    uint32_t kept = node->attributes & (attributes::directory | attributes::reparsePoint);
    node->attributes = kept == 0 ? attributes::normal : kept;
    return true;
}

bool FakeFileSystem::deleteFile(const std::string& path) {
    Node* node = find(path);
    if (!node || (node->attributes & attributes::directory) ||
        (node->attributes & attributes::readOnly) || node->locked) {
        return false;
    }
    nodes_.erase(key(node->path));
    return true;
}

bool FakeFileSystem::removeDirectory(const std::string& path) {
    Node* node = find(path);
    if (!node || !(node->attributes & attributes::directory) ||
        (node->attributes & attributes::readOnly)) {
        return false;
    }
    if (node->linkTarget.empty() && !childrenOf(node->path).empty()) {
        return false;
    }
    nodes_.erase(key(node->path));
    return true;
}

bool FakeFileSystem::createDirectory(const std::string& path) {
    const std::string folder = withoutTrailingBackslash(path);
    if (find(folder) || !directoryExists(parentOf(folder))) {
        return false;
    }
    addFolder(folder);
    return true;
}

bool FakeFileSystem::canDelete(const std::string& path) const {
    const Node* node = find(path);
    return node && !node->locked;
}

std::optional<std::string> FakeFileSystem::readFile(const std::string& path) const {
    const Node* node = find(path);
    if (!node || (node->attributes & attributes::directory) || node->locked) {
        return std::nullopt;
    }
    return node->contents;
}

std::string FakeFileSystem::replaceFile(const std::string& path, const std::string& bytes) {
    if (!writeFailure_.empty()) {
        return writeFailure_;
    }
    if (!directoryExists(parentOf(withoutTrailingBackslash(path)))) {
        return "The folder of " + path + " does not exist.";
    }
    if (Node* node = find(path)) {
        if (node->locked) {
            return "The file " + path + " is in use by another program.";
        }
        if (node->attributes & attributes::readOnly) {
            return "The file " + path + " is read-only.";
        }
        node->contents = bytes;
        return {};
    }
    std::string resolved = resolve(path);
    nodes_[key(resolved)] = Node{resolved, attributes::archive, bytes, false, {}};
    return {};
}

} // namespace dustbane::testing
