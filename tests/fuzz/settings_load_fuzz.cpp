#include "fakes/fake_registry.h"
#include "fakes/fake_system.h"
#include "settings/settings_store.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace dustbane;
using dustbane::testing::FakeRegistry;
using dustbane::testing::FakeSystem;

namespace {

// Every value name the store reads, so that the input spends its bytes on real names.
std::vector<std::string> knownNames() {
    std::vector<std::string> names;
    for (const FlagField& flag : flagFields) {
        names.push_back(flag.name);
    }
    names.insert(names.end(), {"FilesName", "Ext", "Logday"});
    for (const ListField& list : listFieldsLoadOrder) {
        names.push_back(std::string(list.stem) + "num");
        for (int i = 0; i < 6; ++i) {
            names.push_back(std::string(list.stem) + "a" + std::to_string(i));
            names.push_back(std::string(list.stem) + "b" + std::to_string(i));
        }
    }
    return names;
}

class Input {
  public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool empty() const { return position_ >= size_; }
    uint8_t byte() { return empty() ? 0 : data_[position_++]; }
    std::string text() {
        size_t length = std::min<size_t>(byte() % 24, size_ - std::min(position_, size_));
        std::string result(reinterpret_cast<const char*>(data_ + position_), length);
        position_ += length;
        return result;
    }
    int32_t number() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value = value << 8 | byte();
        }
        return static_cast<int32_t>(value);
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

} // namespace

// Values of every type and size under the settings key: the load must never crash, must
// clamp Logday and keep the lists sorted, and what it loaded must survive a save and a
// reload unchanged.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::vector<std::string> names = knownNames();
    FakeRegistry registry;
    FakeSystem system;
    Input input(data, size);
    while (!input.empty()) {
        const std::string& name = names[input.byte() % names.size()];
        switch (input.byte() % 4) {
        case 0:
            registry.set(settingsKeyPath, name, input.text());
            break;
        case 1:
            registry.set(settingsKeyPath, name, input.number() % 12);
            break;
        case 2:
            registry.set(settingsKeyPath, name, FakeRegistry::ExpandString{input.text()});
            break;
        default:
            registry.set(settingsKeyPath, name, FakeRegistry::Binary{input.text()});
            break;
        }
    }

    SettingsStore store(registry, system);
    CleanSettings loaded;
    int recycleQuestions = 0;
    store.loadSettings(loaded, [&] { ++recycleQuestions; });
    if (recycleQuestions > 1 || loaded.Logday < minLogDays || loaded.Logday > maxLogDays) {
        std::abort();
    }
    auto byText = [&](const CheckedPath& a, const CheckedPath& b) {
        return system.compareStrings(a.text, b.text) < 0;
    };
    for (const ListField& list : listFieldsLoadOrder) {
        if (!std::is_sorted((loaded.*list.field).begin(), (loaded.*list.field).end(), byText)) {
            std::abort();
        }
    }

    if (!store.saveSettings(loaded).empty() || !store.saveLists(loaded).empty()) {
        std::abort();
    }
    CleanSettings reloaded;
    reloaded.PathList.clear();
    store.loadSettings(reloaded, {});
    if (!(reloaded == loaded)) {
        std::abort();
    }
    return 0;
}
