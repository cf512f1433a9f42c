#pragma once

#include <string>
#include <vector>

namespace dustbane::e2e {

// Folders of one-byte .tmp files, many enough that a run over them is still going when a
// test stops it.
struct BigTree {
    static constexpr int folders = 20;
    static constexpr int filesPerFolder = 150;

    // Makes root\d<n>\f<m>.tmp, filesEach in each folder; throws when a file cannot be made.
    explicit BigTree(const std::string& path, int filesEach = filesPerFolder);

    int files() const { return folders * filesEach; }

    // Every file and folder still there, relative to the root, sorted.
    std::vector<std::string> remaining() const;

    std::string root;
    int filesEach;
};

} // namespace dustbane::e2e
