#include "settings/policy.h"

#include <algorithm>
#include <array>
#include <utility>

namespace dustbane {

namespace {

// The flags a policy may force besides the cleaning targets'.
const std::array<const char*, 3> settingFlags = {"Recycle", "Agelimit", "Logs"};

const char* rootName(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? "HKLM" : "HKCU";
}

// The two policy keys, the machine's first since its values win.
class PolicyKeys {
  public:
    explicit PolicyKeys(Registry& registry) : registry_(registry) {
        for (RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
            levels_.push_back({root, registry.open(root, policyKeyPath, false)});
        }
    }

    // The first level's number in [low, high]; a value outside it or of another type is noted
    // and passed over.
    std::optional<std::pair<int32_t, RegistryRoot>> number(const std::string& name, int32_t low,
                                                           int32_t high) {
        for (const Level& level : levels_) {
            if (!level.key || !level.key->valueExists(name)) {
                continue;
            }
            const std::optional<int32_t> value = level.key->readInt(name);
            if (value && *value >= low && *value <= high) {
                return std::pair{*value, level.root};
            }
            ignore(level.root, name);
        }
        return std::nullopt;
    }

    std::optional<bool> flag(const std::string& name) {
        const auto value = number(name, 0, 1);
        return value ? std::optional<bool>(value->first == 1) : std::nullopt;
    }

    // The texts of a list subkey at one level, in the order of their names' numbers, which is
    // how the Group Policy editor writes them.
    std::vector<std::string> list(RegistryRoot root, const std::string& name) {
        std::vector<std::pair<std::string, std::string>> entries;
        const std::string path = std::string(policyKeyPath) + "\\" + name;
        if (auto key = registry_.open(root, path, false)) {
            for (const std::string& valueName : key->valueNames()) {
                if (const std::optional<std::string> text = key->readString(valueName)) {
                    entries.emplace_back(valueName, *text);
                } else {
                    ignore(root, name + "\\" + valueName);
                }
            }
        }
        std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
            return numberOf(a.first) < numberOf(b.first);
        });
        std::vector<std::string> texts;
        for (auto& entry : entries) {
            texts.push_back(std::move(entry.second));
        }
        return texts;
    }

    // The list of the first level that has entries.
    std::pair<std::vector<std::string>, RegistryRoot> firstList(const std::string& name) {
        for (const Level& level : levels_) {
            if (std::vector<std::string> texts = list(level.root, name); !texts.empty()) {
                return {std::move(texts), level.root};
            }
        }
        return {{}, RegistryRoot::CurrentUser};
    }

    void ignore(RegistryRoot root, const std::string& name) {
        ignored.push_back(std::string(rootName(root)) + "\\" + policyKeyPath + "\\" + name);
    }

    std::vector<std::string> ignored;

  private:
    struct Level {
        RegistryRoot root;
        std::unique_ptr<RegistryKey> key;
    };

    static unsigned long numberOf(const std::string& name) {
        if (name.empty() ||
            !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            return static_cast<unsigned long>(-1);
        }
        return std::stoul(name.substr(0, 9));
    }

    Registry& registry_;
    std::vector<Level> levels_;
};

std::optional<CheckedPathList> fixedList(PolicyKeys& keys, const std::string& marker,
                                         const std::string& name) {
    const auto fixed = keys.number(marker, 0, 1);
    if (!fixed || fixed->first == 0) {
        return std::nullopt;
    }
    CheckedPathList entries;
    for (std::string& text : keys.list(fixed->second, name)) {
        entries.push_back({std::move(text), true});
    }
    return entries;
}

bool inForbidden(const PathKey& key, const std::vector<PathKey>& forbidden) {
    return std::any_of(forbidden.begin(), forbidden.end(), [&key](const PathKey& folder) {
        return key == folder || isBelowKey(key, folder);
    });
}

} // namespace

bool Policy::locks(const std::string& settingName) const {
    if (settingName == "Agehours") {
        return Agehours.has_value();
    }
    if (settingName == "Logday") {
        return Logday.has_value();
    }
    if (settingName == "PathList") {
        return PathList.has_value();
    }
    if (settingName == "FolderList") {
        return FolderList.has_value();
    }
    if (settingName == "Contextmenu") {
        return !contextMenuAllowed;
    }
    // A scheduled clean is a /clean.
    if (settingName == "Schedule") {
        return !cleanAllowed;
    }
    return flags.count(settingName) > 0;
}

bool Policy::configured() const {
    return !flags.empty() || Agehours || Logday || PathList || FolderList ||
           !ForbiddenPaths.empty() || !contextMenuAllowed || !cleanAllowed;
}

bool Policy::forbidsListed(const std::string& canonical) const {
    return !forbiddenKeys_.empty() && inForbidden(pathKey(canonical), forbiddenKeys_);
}

bool Policy::forbids(const std::string& path, const FileSystem& files) const {
    if (forbiddenKeys_.empty()) {
        return false;
    }
    const std::optional<std::string> canonical = canonicalPath(path);
    // A path that names no item for certain cannot be shown to lie outside.
    if (!canonical) {
        return true;
    }
    std::vector<PathKey> forbidden = forbiddenKeys_;
    for (const std::string& folder : ForbiddenPaths) {
        if (const auto final = files.finalPath(folder)) {
            if (const auto finalCanonical = canonicalPath(*final)) {
                forbidden.push_back(pathKey(*finalCanonical));
            }
        }
    }
    if (inForbidden(pathKey(*canonical), forbidden)) {
        return true;
    }
    const std::optional<std::string> final = files.finalPath(*canonical);
    const std::optional<std::string> finalCanonical = final ? canonicalPath(*final) : std::nullopt;
    return finalCanonical && inForbidden(pathKey(*finalCanonical), forbidden);
}

Policy readPolicy(Registry& registry, const TargetSettings& targets) {
    PolicyKeys keys(registry);
    Policy policy;
    for (const TargetSetting& target : targets) {
        if (const auto forced = keys.flag(target.flag.name)) {
            policy.flags[target.flag.name] = *forced;
        }
    }
    for (const char* name : settingFlags) {
        if (const auto forced = keys.flag(name)) {
            policy.flags[name] = *forced;
        }
    }
    // The hours and days come with the policy that turns their flag on.
    if (policy.flags.count("Agelimit") && policy.flags["Agelimit"]) {
        if (const auto hours = keys.number("Agehours", minAgeHours, maxAgeHours)) {
            policy.Agehours = hours->first;
        }
    }
    if (policy.flags.count("Logs") && policy.flags["Logs"]) {
        if (const auto days = keys.number("Logday", minLogDays, maxLogDays)) {
            policy.Logday = days->first;
        }
    }
    policy.PathList = fixedList(keys, "FixedPathList", "PathList");
    policy.FolderList = fixedList(keys, "FixedFolderList", "FolderList");
    auto [forbidden, root] = keys.firstList("ForbiddenPaths");
    for (size_t i = 0; i < forbidden.size(); ++i) {
        if (const std::optional<std::string> canonical = canonicalPath(forbidden[i])) {
            policy.ForbiddenPaths.push_back(*canonical);
            policy.forbiddenKeys_.push_back(pathKey(*canonical));
        } else {
            keys.ignore(root, "ForbiddenPaths\\" + forbidden[i]);
        }
    }
    if (const auto allowed = keys.flag("AllowContextmenu")) {
        policy.contextMenuAllowed = *allowed;
    }
    if (const auto allowed = keys.flag("AllowClean")) {
        policy.cleanAllowed = *allowed;
    }
    policy.ignoredValues = std::move(keys.ignored);
    return policy;
}

void applyPolicy(const Policy& policy, CleanSettings& settings, const TargetSettings& targets) {
    for (const auto& [name, value] : policy.flags) {
        if (name == "Agelimit") {
            settings.Agelimit = value;
            continue;
        }
        const auto target = std::find_if(targets.begin(), targets.end(), [&](const auto& entry) {
            return name == entry.flag.name;
        });
        const FlagSetting flag =
            target != targets.end() ? target->flag : FlagSetting{name.c_str(), true, ""};
        setFlagValue(settings, flag, value);
    }
    if (policy.Agehours) {
        settings.Agehours = *policy.Agehours;
    }
    if (policy.Logday) {
        settings.Logday = *policy.Logday;
    }
    if (policy.PathList) {
        settings.PathList = *policy.PathList;
    }
    if (policy.FolderList) {
        settings.FolderList = *policy.FolderList;
    }
    if (!policy.contextMenuAllowed) {
        settings.Contextmenu = false;
    }
    if (!policy.cleanAllowed) {
        settings.Schedule.kind = ScheduleKind::Off;
    }
}

std::vector<std::string> policyValueNames(const TargetSettings& targets) {
    std::vector<std::string> names;
    for (const TargetSetting& target : targets) {
        names.emplace_back(target.flag.name);
    }
    names.insert(names.end(), settingFlags.begin(), settingFlags.end());
    for (const char* name : {"Agehours", "Logday", "FixedPathList", "PathList", "FixedFolderList",
                             "FolderList", "ForbiddenPaths", "AllowContextmenu", "AllowClean"}) {
        names.emplace_back(name);
    }
    return names;
}

} // namespace dustbane
