#pragma once

#include "engine/run_ledger.h"
#include "platform/file_time.h"
#include "settings/clean_settings.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace dustbane {

// Where a setting's value comes from: the user's saved settings, a Group Policy that locks
// it, or the start-up value because nothing is saved.
enum class SettingSource { User, Policy, Default };

using SettingValue = std::variant<bool, int32_t, std::string, CheckedPathList>;

struct ReportedSetting {
    // The registry value name, or the list's field name ("PathList").
    std::string name;
    SettingValue value;
    SettingSource source = SettingSource::Default;
};

struct ItemCount {
    uint64_t items = 0;
    uint64_t bytes = 0;
};

struct KeptItem {
    std::string path;
    uint64_t size = 0;
    StayReason reason = StayReason::NotDeleted;
};

// What one of the ledger's groups freed and kept; a preview's counts are what would go.
struct GroupReport {
    LedgerGroup group;
    ItemCount deleted;
    ItemCount recycled;
    std::vector<KeptItem> kept;
};

// Everything a /preview or /clean reports when asked for one document.
struct RunReport {
    std::string command;
    std::string version;
    std::string computer;
    std::string user;
    FileTime started = 0;
    FileTime finished = 0;
    std::vector<ReportedSetting> settings;
    std::vector<GroupReport> groups;
    std::vector<std::string> warnings;
    int exitCode = 0;
};

// Tallies a run's ledger group by group, in the order the groups first took an item, and
// passes every deleted item on to the next observer.
class GroupTally : public RunLedgerObserver {
  public:
    explicit GroupTally(RunLedgerObserver& next) : next_(next) {}

    void itemDeleted(const LedgerGroup& group, const LedgerItem& item) override;
    void itemStayed(const LedgerGroup& group, const LedgerItem& item, StayReason reason) override;

    const std::vector<GroupReport>& groups() const { return groups_; }

  private:
    GroupReport& reportOf(const LedgerGroup& group);

    RunLedgerObserver& next_;
    std::vector<GroupReport> groups_;
};

// "2026-12-07T10:42:07Z": the time in UTC, to the second, as ISO 8601 writes it.
std::string utcTimestamp(FileTime time);

} // namespace dustbane
