#pragma once

#include "analysis/forwarding_ports.h"

#include <cstdint>
#include <map>
#include <string>
#include <windows.h>

namespace dustbane::bench {

// How often one kind of file-system call was made and how long it took in all.
struct CallTime {
    uint64_t count = 0;
    double seconds = 0;
};

// Makes the call, adding it to the tally.
template <typename Call> auto timedCall(CallTime& tally, Call call) {
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    auto result = call();
    QueryPerformanceCounter(&end);
    ++tally.count;
    tally.seconds += static_cast<double>(end.QuadPart - start.QuadPart) /
                     static_cast<double>(frequency.QuadPart);
    return result;
}

// A file system that counts and times the calls a run makes through it, by name, for a
// profile of where the run's time goes. A listing is timed until it is handed out: reading
// its entries is the walk, which the bench times on its own.
class CallTally : public ForwardingFileSystem {
  public:
    explicit CallTally(FileSystem& inner) : ForwardingFileSystem(inner) {}

    const std::map<std::string, CallTime>& calls() const { return calls_; }
    void clear() { calls_.clear(); }

    std::unique_ptr<DirectoryListing> list(const std::string& folder) override {
        return timedCall(calls_["list"], [&] { return inner().list(folder); });
    }
    bool directoryExists(const std::string& path) const override {
        return timedCall(calls_["directoryExists"], [&] { return inner().directoryExists(path); });
    }
    bool fileExists(const std::string& path) const override {
        return timedCall(calls_["fileExists"], [&] { return inner().fileExists(path); });
    }
    std::optional<uint32_t> attributesOf(const std::string& path) const override {
        return timedCall(calls_["attributesOf"], [&] { return inner().attributesOf(path); });
    }
    std::optional<DirectoryEntry> entryOf(const std::string& path) const override {
        return timedCall(calls_["entryOf"], [&] { return inner().entryOf(path); });
    }
    bool setNormalAttributes(const std::string& path) override {
        return timedCall(calls_["setNormalAttributes"],
                         [&] { return inner().setNormalAttributes(path); });
    }
    bool canDelete(const std::string& path) const override {
        return timedCall(calls_["canDelete"], [&] { return inner().canDelete(path); });
    }
    std::optional<std::string> finalPath(const std::string& path) const override {
        return timedCall(calls_["finalPath"], [&] { return inner().finalPath(path); });
    }

  private:
    mutable std::map<std::string, CallTime> calls_;
};

} // namespace dustbane::bench
