#include "cli/json_report.h"
#include "cli/run_report.h"
#include "cli/settings_in_force.h"
#include "fakes/fake_registry.h"
#include "settings/settings_store.h"
#include "targets/target_catalogue.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

namespace dustbane::testing {
namespace {

using nlohmann::json;

// Counts what the tally passes on.
struct CountingObserver : RunLedgerObserver {
    void itemDeleted(const LedgerGroup&, const LedgerItem&) override { ++deleted; }
    void itemStayed(const LedgerGroup&, const LedgerItem&, StayReason) override { ++stayed; }
    int deleted = 0;
    int stayed = 0;
};

TEST(UtcTimestamp, WritesFileTimesAsIso8601AcrossYearAndLeapDayBoundaries) {
    constexpr FileTime second = 10'000'000;
    constexpr FileTime day = 86'400 * second;
    // 1 January 1970 is 134,774 days after 1 January 1601.
    constexpr FileTime unixEpoch = 134'774 * day;
    const std::vector<std::pair<FileTime, std::string>> cases = {
        {0, "1601-01-01T00:00:00Z"},
        {unixEpoch, "1970-01-01T00:00:00Z"},
        {unixEpoch - second, "1969-12-31T23:59:59Z"},
        // 29 February 2000 (a leap year by the 400-year rule) and the day after.
        {unixEpoch + 11'016 * day, "2000-02-29T00:00:00Z"},
        {unixEpoch + 11'017 * day + 5 * second, "2000-03-01T00:00:05Z"},
        // 1900 is no leap year: 28 February is followed by 1 March.
        {unixEpoch - 25'508 * day, "1900-03-01T00:00:00Z"},
        {unixEpoch + 20'088 * day + 86'399 * second + 9'999'999, "2024-12-31T23:59:59Z"},
        {134'411'137'270'000'000ULL, "2026-12-07T10:42:07Z"},
    };
    for (const auto& [time, text] : cases) {
        EXPECT_EQ(utcTimestamp(time), text) << time;
    }
}

TEST(GroupTally, CountsEachGroupByHowItsItemsWentInTheOrderTheGroupsCame) {
    CountingObserver next;
    GroupTally tally(next);
    const LedgerGroup target{"", "Clean Temporary Folder", 0, LineImage::Information};
    const LedgerGroup rule{"C:\\search", "Files ending in .tmp", 5, LineImage::FileRemoved};
    tally.itemDeleted(target, {"C:\\t\\a", 3, false, false});
    tally.itemDeleted(rule, {"C:\\search\\x.tmp", 4, false, true});
    tally.itemDeleted(target, {"C:\\t\\sub", 5, true, false});
    tally.itemStayed(rule, {"C:\\search\\held.tmp", 7, false, true}, StayReason::InUse);
    // The same caption under another search path is a group of its own.
    tally.itemDeleted({"D:\\other", rule.caption, 5, LineImage::FileRemoved},
                      {"D:\\other\\y.tmp", 1, false, true});

    const auto& groups = tally.groups();
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0].group.caption, "Clean Temporary Folder");
    EXPECT_EQ(groups[0].deleted.items, 2u);
    EXPECT_EQ(groups[0].deleted.bytes, 8u);
    EXPECT_EQ(groups[0].recycled.items, 0u);
    EXPECT_EQ(groups[1].recycled.bytes, 4u);
    ASSERT_EQ(groups[1].kept.size(), 1u);
    EXPECT_EQ(groups[1].kept[0].path, "C:\\search\\held.tmp");
    EXPECT_EQ(groups[1].kept[0].size, 7u);
    EXPECT_EQ(groups[1].kept[0].reason, StayReason::InUse);
    EXPECT_EQ(groups[2].group.section, "D:\\other");
    EXPECT_EQ(next.deleted, 4);
    EXPECT_EQ(next.stayed, 1);
}

RunReport sampleReport() {
    RunReport report;
    report.command = "clean";
    report.version = "1.0.0";
    report.computer = "PC";
    report.user = "Zo\xC3\xAB";
    report.started = 134'411'137'270'000'000ULL;
    report.finished = report.started + 25'000'000;
    report.exitCode = 1;
    report.groups = {
        {{"", "Clean Temporary Folder", 0, LineImage::Information}, {2, 8}, {}, {}},
        {{"", "C:\\spec", 0, LineImage::FolderRemoved}, {1, 10}, {}, {}},
        {{"", "Files to delete", 0, LineImage::FileRemoved}, {}, {}, {}},
        {{"C:\\search", "Files ending in .tmp", 5, LineImage::FileRemoved},
         {},
         {3, 30},
         {{"C:\\search\\held.tmp", 7, StayReason::InUse},
          {"C:\\search\\ro.tmp", 2, StayReason::AccessDenied},
          {"C:\\search\\x.tmp", 1, StayReason::NotDeleted}}},
    };
    report.warnings = {"10:42:07 Not cleaned all files of C:\\spec"};
    return report;
}

TEST(JsonReport, CarriesTheRunTheGroupsTheirTotalsAndTheExitCode) {
    const json document = json::parse(reportJson(sampleReport()));

    EXPECT_EQ(document["program"], "Dustbane");
    EXPECT_EQ(document["command"], "clean");
    EXPECT_EQ(document["user"], "Zo\xC3\xAB");
    EXPECT_EQ(document["started"], "2026-12-07T10:42:07Z");
    EXPECT_DOUBLE_EQ(document["durationSeconds"].get<double>(), 2.5);
    EXPECT_EQ(document["exitCode"], 1);
    const json& groups = document["groups"];
    ASSERT_EQ(groups.size(), 4u);
    std::vector<std::string> kinds;
    for (const json& group : groups) {
        kinds.push_back(group["kind"]);
    }
    EXPECT_EQ(kinds, (std::vector<std::string>{"target", "folder", "files", "search rule"}));
    EXPECT_FALSE(groups[0].contains("searchPath"));
    EXPECT_EQ(groups[3]["searchPath"], "C:\\search");
    EXPECT_EQ(groups[3]["kept"][0]["reason"], "in use");
    EXPECT_EQ(groups[3]["kept"][1]["reason"], "access denied");
    EXPECT_EQ(groups[3]["kept"][2]["reason"], "not deleted");
    const json expectedTotals = {{"deleted", {{"items", 3}, {"bytes", 18}}},
                                 {"recycled", {{"items", 3}, {"bytes", 30}}},
                                 {"kept", {{"items", 3}, {"bytes", 10}}}};
    EXPECT_EQ(document["totals"], expectedTotals);
    EXPECT_EQ(document["warnings"], json::array({"10:42:07 Not cleaned all files of C:\\spec"}));
}

// Paths hold whatever NTFS allows and the settings whatever the user typed: each comes back
// byte for byte, and the document stays one valid JSON text.
TEST(JsonReport, EscapesOddPathsAndReplacesBytesThatAreNotUtf8) {
    const std::string withNul("C:\\nul\0byte", 11);
    const std::vector<std::pair<std::string, std::string>> paths = {
        {"C:\\a \"quoted\" name.tmp", "C:\\a \"quoted\" name.tmp"},
        {"\\\\server\\share\\x\\", "\\\\server\\share\\x\\"},
        {"C:\\Zo\xC3\xAB\\\xE6\x97\xA5\xE6\x9C\xAC\\\xF0\x9F\x98\x80.txt",
         "C:\\Zo\xC3\xAB\\\xE6\x97\xA5\xE6\x9C\xAC\\\xF0\x9F\x98\x80.txt"},
        {"C:\\tab\there\nnew\x01\x1F\x7F", "C:\\tab\there\nnew\x01\x1F\x7F"},
        {withNul, withNul},
        // A lone continuation byte and a cut sequence.
        {"C:\\bad\x80"
         "end\xE6\x97",
         "C:\\bad\xEF\xBF\xBD"
         "end\xEF\xBF\xBD"},
    };
    RunReport report = sampleReport();
    for (const auto& [path, expected] : paths) {
        report.groups[3].kept.push_back({path, 1, StayReason::InUse});
        report.settings.push_back(
            {"PathList", CheckedPathList{{path, false}}, SettingSource::User});
    }
    const std::string text = reportJson(report);
    // One document, its control characters escaped: no raw tab, carriage return or byte < 0x20
    // but the line ends of the indentation.
    for (const char c : text) {
        EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\n') << static_cast<int>(c);
    }
    EXPECT_NE(text.find("\\u0001"), std::string::npos);
    EXPECT_NE(text.find("\\\"quoted\\\""), std::string::npos);

    const json document = json::parse(text);
    const json& kept = document["groups"][3]["kept"];
    const json& settings = document["settings"];
    for (size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(kept[3 + i]["path"].get<std::string>(), paths[i].second) << i;
        EXPECT_EQ(settings[i]["value"][0]["path"].get<std::string>(), paths[i].second) << i;
        EXPECT_EQ(settings[i]["value"][0]["checked"], false);
    }
}

TEST(SettingsInForce, NamesEachSettingsValueAndWhetherTheUserThePolicyOrNobodySetIt) {
    FakeRegistry registry;
    registry.set(settingsKeyPath, "Recycle", int32_t{0});
    registry.set(settingsKeyPath, "Logday", int32_t{30});
    registry.set(settingsKeyPath, "Pathnum", int32_t{1});
    const auto key = registry.open(RegistryRoot::CurrentUser, settingsKeyPath, false);
    CleanSettings settings;
    settings.Recycle = false;
    settings.Logday = 30;
    settings.PathList = {{"C:\\search", true}};
    settings.Ext = "*.old";
    const TargetSettings targets = settingsOf(targetCatalogue());

    const std::vector<ReportedSetting> reported = settingsInForce(
        settings, targets, key.get(), [](const std::string& name) { return name == "Logday"; });

    auto find = [&reported](const std::string& name) -> const ReportedSetting& {
        for (const ReportedSetting& setting : reported) {
            if (setting.name == name) {
                return setting;
            }
        }
        throw std::runtime_error("not reported: " + name);
    };
    EXPECT_EQ(find("Recycle").value, SettingValue(false));
    EXPECT_EQ(find("Recycle").source, SettingSource::User);
    // The policy's lock wins over a saved value.
    EXPECT_EQ(find("Logday").value, SettingValue(int32_t{30}));
    EXPECT_EQ(find("Logday").source, SettingSource::Policy);
    EXPECT_EQ(find("PathList").value, SettingValue(CheckedPathList{{"C:\\search", true}}));
    EXPECT_EQ(find("PathList").source, SettingSource::User);
    // A value in the record that nobody saved is the start-up value.
    EXPECT_EQ(find("Ext").source, SettingSource::Default);
    EXPECT_EQ(find("FolderList").source, SettingSource::Default);
    // Every target's flag once, the built-in ones and those of the later targets alike.
    for (const TargetSetting& target : targets) {
        EXPECT_EQ(
            std::count_if(reported.begin(), reported.end(),
                          [&](const ReportedSetting& s) { return s.name == target.flag.name; }),
            1)
            << target.flag.name;
    }
    // And without a settings key nothing is the user's.
    for (const ReportedSetting& setting :
         settingsInForce(settings, targets, nullptr, [](const std::string&) { return false; })) {
        EXPECT_EQ(setting.source, SettingSource::Default) << setting.name;
    }
}

} // namespace
} // namespace dustbane::testing
