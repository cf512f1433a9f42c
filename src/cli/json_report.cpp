#include "cli/json_report.h"

#include <nlohmann/json.hpp>

namespace dustbane {

namespace {

// Keys in the order written, so that the document reads top down.
using json = nlohmann::ordered_json;

constexpr double ticksPerSecond = 1e7;

const char* sourceName(SettingSource source) {
    switch (source) {
    case SettingSource::User:
        return "user";
    case SettingSource::Policy:
        return "policy";
    case SettingSource::Default:
        break;
    }
    return "default";
}

const char* reasonName(StayReason reason) {
    switch (reason) {
    case StayReason::InUse:
        return "in use";
    case StayReason::AccessDenied:
        return "access denied";
    case StayReason::NotDeleted:
        break;
    }
    return "not deleted";
}

// The engine names its groups by where they run: a search path's groups are its file rules;
// elsewhere the heading's picture tells a target from a folder or the files to delete.
const char* kindOf(const LedgerGroup& group) {
    if (!group.section.empty()) {
        return "search rule";
    }
    switch (group.image) {
    case LineImage::Information:
        return "target";
    case LineImage::FolderRemoved:
        return "folder";
    case LineImage::FileRemoved:
        return "files";
    case LineImage::Note:
    case LineImage::Warning:
        break;
    }
    return "other";
}

json settingValue(const SettingValue& value) {
    return std::visit(
        [](const auto& held) -> json {
            if constexpr (std::is_same_v<std::decay_t<decltype(held)>, CheckedPathList>) {
                json entries = json::array();
                for (const CheckedPath& entry : held) {
                    entries.push_back({{"path", entry.text}, {"checked", entry.checked}});
                }
                return entries;
            } else {
                return held;
            }
        },
        value);
}

json countJson(const ItemCount& count) {
    return {{"items", count.items}, {"bytes", count.bytes}};
}

json groupJson(const GroupReport& report) {
    json kept = json::array();
    for (const KeptItem& item : report.kept) {
        kept.push_back(
            {{"path", item.path}, {"bytes", item.size}, {"reason", reasonName(item.reason)}});
    }
    json group = {{"kind", kindOf(report.group)},
                  {"name", report.group.caption},
                  {"deleted", countJson(report.deleted)},
                  {"recycled", countJson(report.recycled)},
                  {"kept", std::move(kept)}};
    if (!report.group.section.empty()) {
        group["searchPath"] = report.group.section;
    }
    return group;
}

json totalsJson(const std::vector<GroupReport>& groups) {
    ItemCount deleted;
    ItemCount recycled;
    ItemCount kept;
    for (const GroupReport& report : groups) {
        deleted.items += report.deleted.items;
        deleted.bytes += report.deleted.bytes;
        recycled.items += report.recycled.items;
        recycled.bytes += report.recycled.bytes;
        for (const KeptItem& item : report.kept) {
            ++kept.items;
            kept.bytes += item.size;
        }
    }
    return {{"deleted", countJson(deleted)},
            {"recycled", countJson(recycled)},
            {"kept", countJson(kept)}};
}

} // namespace

std::string reportJson(const RunReport& report) {
    json settings = json::array();
    for (const ReportedSetting& setting : report.settings) {
        settings.push_back({{"name", setting.name},
                            {"value", settingValue(setting.value)},
                            {"source", sourceName(setting.source)}});
    }
    json groups = json::array();
    for (const GroupReport& group : report.groups) {
        groups.push_back(groupJson(group));
    }
    const FileTime elapsed =
        report.finished > report.started ? report.finished - report.started : 0;
    const json document = {
        {"program", "Dustbane"},
        {"version", report.version},
        {"command", report.command},
        {"computer", report.computer},
        {"user", report.user},
        {"started", utcTimestamp(report.started)},
        {"durationSeconds", static_cast<double>(elapsed) / ticksPerSecond},
        {"settings", std::move(settings)},
        {"groups", std::move(groups)},
        {"totals", totalsJson(report.groups)},
        {"warnings", report.warnings},
        {"exitCode", report.exitCode},
    };
    return document.dump(2, ' ', false, json::error_handler_t::replace);
}

} // namespace dustbane
