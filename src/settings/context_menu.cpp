#include "settings/context_menu.h"

#include <array>

namespace dustbane {

namespace {

constexpr std::array<const char*, 2> verbOwners = {"Drive", "Folder"};

const std::string userClasses = "Software\\Classes\\";

std::string verbKey(const char* owner) {
    return std::string(owner) + "\\shell\\" + verbName;
}

std::string writeVerbs(Registry& registry, const std::string& installDir) {
    for (const char* owner : verbOwners) {
        std::string path = userClasses + verbKey(owner) + "\\command";
        auto key = registry.open(RegistryRoot::CurrentUser, path, true);
        if (!key || !key->writeString("", contextMenuCommand(installDir))) {
            return "The Explorer menu entry \"" + std::string(verbName) +
                   "\" could not be written to HKEY_CURRENT_USER\\" + path +
                   ", so it does not start this copy of the program.";
        }
    }
    return {};
}

std::string removeVerbs(Registry& registry) {
    std::string failures;
    for (const char* owner : verbOwners) {
        if (!registry.deleteTree(RegistryRoot::CurrentUser, userClasses + verbKey(owner))) {
            failures += "HKEY_CURRENT_USER\\" + userClasses + verbKey(owner) + "\n";
        }
        if (!registry.deleteTree(RegistryRoot::ClassesRoot, verbKey(owner))) {
            failures += "HKEY_CLASSES_ROOT\\" + verbKey(owner) + "\n";
        }
    }
    if (failures.empty()) {
        return {};
    }
    return "The Explorer menu entry \"" + std::string(verbName) +
           "\" could not be removed from:\n" + failures +
           "It stays on the menu; a key under HKEY_CLASSES_ROOT may need an administrator "
           "to remove it.";
}

} // namespace

std::string contextMenuCommand(const std::string& installDir) {
    return "\"" + installDir + "Dustbane.exe\" \"%1\"";
}

std::string syncContextMenu(Registry& registry, bool enabled, const std::string& installDir) {
    return enabled ? writeVerbs(registry, installDir) : removeVerbs(registry);
}

} // namespace dustbane
