#include "analysis/preview_file_system.h"

#include "engine/deletion.h"

#include <string_view>

namespace dustbane {

namespace {

// The file system compares names without regard to case and ignores a trailing backslash.
std::string goneKey(const std::string& path) {
    std::string key = path;
    while (key.size() > 1 && key.back() == '\\') {
        key.pop_back();
    }
    for (char& c : key) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return key;
}

// A listing that leaves out the entries deleted on paper.
class PreviewListing : public DirectoryListing {
  public:
    PreviewListing(std::unique_ptr<DirectoryListing> inner, std::string dir,
                   PreviewFileSystem& files)
        : inner_(std::move(inner)), dir_(std::move(dir)), files_(files) {}

    bool next(DirectoryEntry& entry) override {
        while (inner_->next(entry)) {
            if (entry.name == "." || entry.name == "..") {
                return true;
            }
            const std::string path = dir_ + entry.name;
            if (!files_.goneItself(path)) {
                files_.noteListed(path, entry.attributes);
                return true;
            }
        }
        return false;
    }

  private:
    std::unique_ptr<DirectoryListing> inner_;
    std::string dir_;
    PreviewFileSystem& files_;
};

} // namespace

PreviewFileSystem::PreviewFileSystem(FileSystem& real, HeldFiles heldFiles)
    : ForwardingFileSystem(real), heldFiles_(heldFiles) {}

bool PreviewFileSystem::goneItself(const std::string& path) const {
    return gone_.count(goneKey(path)) != 0;
}

bool PreviewFileSystem::gone(const std::string& path) const {
    if (gone_.empty()) {
        return false;
    }
    const std::string key = goneKey(path);
    const std::string_view view(key);
    for (size_t end = key.find('\\'); end != std::string::npos; end = key.find('\\', end + 1)) {
        if (gone_.find(view.substr(0, end)) != gone_.end()) {
            return true;
        }
    }
    return gone_.find(view) != gone_.end();
}

void PreviewFileSystem::forgetPaperDeletions() {
    gone_.clear();
    normalized_.clear();
    listed_.reset();
}

void PreviewFileSystem::noteListed(const std::string& path, uint32_t attributes) {
    listed_ = ListedEntry{path, attributes};
}

std::optional<uint32_t> PreviewFileSystem::attributesNow(const std::string& path) const {
    if (listed_ && listed_->path == path && !gone(path)) {
        return attributesAfterResets(path, listed_->attributes);
    }
    return attributesOf(path);
}

void PreviewFileSystem::markGone(const std::string& path) {
    gone_.insert(goneKey(path));
}

std::unique_ptr<DirectoryListing> PreviewFileSystem::list(const std::string& folder) {
    if (gone(folder)) {
        return nullptr;
    }
    auto listing = inner().list(folder);
    if (!listing) {
        return nullptr;
    }
    return std::make_unique<PreviewListing>(std::move(listing), withBackslash(folder), *this);
}

bool PreviewFileSystem::directoryExists(const std::string& path) const {
    return !gone(path) && inner().directoryExists(path);
}

bool PreviewFileSystem::fileExists(const std::string& path) const {
    return !gone(path) && inner().fileExists(path);
}

std::optional<uint32_t> PreviewFileSystem::attributesOf(const std::string& path) const {
    if (gone(path)) {
        return std::nullopt;
    }
    const std::optional<uint32_t> found = inner().attributesOf(path);
    return found ? std::optional<uint32_t>(attributesAfterResets(path, *found)) : std::nullopt;
}

std::optional<DirectoryEntry> PreviewFileSystem::entryOf(const std::string& path) const {
    if (gone(path)) {
        return std::nullopt;
    }
    std::optional<DirectoryEntry> found = inner().entryOf(path);
    if (found) {
        found->attributes = attributesAfterResets(path, found->attributes);
    }
    return found;
}

uint32_t PreviewFileSystem::attributesAfterResets(const std::string& path,
                                                  uint32_t attributes) const {
    if (!normalized_.count(goneKey(path))) {
        return attributes;
    }
    // As the reset would have left them: only what no reset can change.
    const uint32_t kept = attributes & (attributes::directory | attributes::reparsePoint);
    return kept == 0 ? attributes::normal : kept;
}

bool PreviewFileSystem::setNormalAttributes(const std::string& path) {
    if (!attributesNow(path)) {
        return false;
    }
    normalized_.insert(goneKey(path));
    return true;
}

bool PreviewFileSystem::deleteFile(const std::string& path) {
    const std::optional<uint32_t> found = attributesNow(path);
    const bool deletable = found && (*found & attributes::directory) == 0 &&
                           (*found & attributes::readOnly) == 0 && canDelete(path);
    if (!deletable) {
        return false;
    }
    markGone(path);
    return true;
}

bool PreviewFileSystem::hasContents(const std::string& folder) {
    auto listing = list(folder);
    DirectoryEntry entry;
    while (listing && listing->next(entry)) {
        if (entry.name != "." && entry.name != "..") {
            return true;
        }
    }
    return false;
}

bool PreviewFileSystem::removeDirectory(const std::string& path) {
    const std::optional<uint32_t> found = attributesNow(path);
    const bool folder = found && (*found & attributes::directory) != 0;
    // Removing a link removes only the link, whatever its target holds.
    const bool link = found && (*found & attributes::reparsePoint) != 0;
    const bool removable = folder && (*found & attributes::readOnly) == 0 &&
                           (link || !hasContents(path)) && canDelete(path);
    if (!removable) {
        return false;
    }
    markGone(path);
    return true;
}

bool PreviewFileSystem::createDirectory(const std::string&) {
    return false;
}

bool PreviewFileSystem::canDelete(const std::string& path) const {
    return !gone(path) && (heldFiles_ == HeldFiles::Assumed || inner().canDelete(path));
}

std::optional<std::string> PreviewFileSystem::readFile(const std::string& path) const {
    return gone(path) ? std::nullopt : inner().readFile(path);
}

std::string PreviewFileSystem::replaceFile(const std::string& path, const std::string&) {
    return "A preview writes nothing, so " + path + " was left as it is.";
}

} // namespace dustbane
