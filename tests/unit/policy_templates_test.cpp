#include "settings/clean_settings.h"
#include "settings/policy.h"
#include "targets/target_catalogue.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace dustbane {
namespace {

// One start tag of the template, with its attributes.
struct Tag {
    std::string name;
    std::map<std::string, std::string> attributes;

    std::string operator[](const std::string& attribute) const {
        auto found = attributes.find(attribute);
        return found == attributes.end() ? std::string() : found->second;
    }
};

// The template's start tags in document order. The ADMX is our own plain file: no comments
// hold tags and no attribute value holds an entity or a quote.
std::vector<Tag> templateTags() {
    std::ifstream file(std::string(DUSTBANE_SOURCE_DIR) + "/policies/Dustbane.admx",
                       std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    const std::string admx = text.str();
    static const std::regex tag(R"re(<([A-Za-z]+)((\s+[A-Za-z:]+="[^"]*")*)\s*/?>)re");
    static const std::regex attribute(R"re(([A-Za-z:]+)="([^"]*)")re");
    std::vector<Tag> tags;
    for (std::sregex_iterator each(admx.begin(), admx.end(), tag), end; each != end; ++each) {
        Tag found{(*each)[1].str(), {}};
        const std::string attributes = (*each)[2].str();
        for (std::sregex_iterator pair(attributes.begin(), attributes.end(), attribute);
             pair != std::sregex_iterator(); ++pair) {
            found.attributes[(*pair)[1].str()] = (*pair)[2].str();
        }
        tags.push_back(std::move(found));
    }
    return tags;
}

std::string listKey(const std::string& name) {
    return std::string(policyKeyPath) + "\\" + name;
}

// The registry values the template writes: each valueName, and each list's subkey by name.
std::set<std::string> templateValueNames(const std::vector<Tag>& tags) {
    std::set<std::string> names;
    for (const Tag& tag : tags) {
        if (!tag["valueName"].empty()) {
            names.insert(tag["valueName"]);
        }
        const std::string key = tag["key"];
        if (tag.name == "list" && key.rfind(listKey(""), 0) == 0) {
            names.insert(key.substr(listKey("").size()));
        }
    }
    return names;
}

TEST(PolicyTemplates, DefineExactlyTheValuesDustbaneReads) {
    const std::vector<std::string> read = policyValueNames(settingsOf(targetCatalogue()));
    const std::set<std::string> readNames(read.begin(), read.end());
    const std::set<std::string> defined = templateValueNames(templateTags());
    ASSERT_FALSE(defined.empty()) << "policies/Dustbane.admx not found or without values";
    for (const std::string& name : readNames) {
        EXPECT_TRUE(defined.count(name)) << name << " is read but no policy sets it";
    }
    for (const std::string& name : defined) {
        EXPECT_TRUE(readNames.count(name)) << name << " is set by a policy but never read";
    }
}

TEST(PolicyTemplates, WriteOnlyBelowThePolicyKey) {
    for (const Tag& tag : templateTags()) {
        if (tag.name == "policy") {
            EXPECT_EQ(tag["key"], policyKeyPath) << "policy " << tag["name"];
        } else if (tag.name == "list") {
            EXPECT_EQ(tag["key"], listKey(tag["id"])) << "list " << tag["id"];
            // An empty prefix names the values 1, 2, 3 ..., as Dustbane reads them.
            EXPECT_EQ(tag.attributes.count("valuePrefix"), 1u) << "list " << tag["id"];
            EXPECT_EQ(tag["valuePrefix"], "") << "list " << tag["id"];
        }
    }
}

// Enabled writes 1 (forced on, or allowed) and Disabled 0, for every policy with a value.
TEST(PolicyTemplates, EnabledWritesOneAndDisabledZero) {
    const std::vector<Tag> tags = templateTags();
    std::map<std::string, std::map<std::string, std::string>> written;
    std::string policy;
    for (size_t index = 0; index < tags.size(); ++index) {
        const Tag& tag = tags[index];
        if (tag.name == "policy") {
            policy = tag["valueName"].empty() ? "" : tag["name"];
            if (!policy.empty()) {
                written[policy];
            }
        } else if (!policy.empty() && (tag.name == "enabledValue" || tag.name == "disabledValue") &&
                   index + 1 < tags.size() && tags[index + 1].name == "decimal") {
            written[policy][tag.name] = tags[index + 1]["value"];
        }
    }
    ASSERT_FALSE(written.empty());
    for (const auto& [name, values] : written) {
        const std::map<std::string, std::string> onAndOff = {{"disabledValue", "0"},
                                                             {"enabledValue", "1"}};
        EXPECT_EQ(values, onAndOff) << "policy " << name;
    }
}

TEST(PolicyTemplates, NumbersOfferTheRangesDustbaneAccepts) {
    const std::map<std::string, std::pair<int32_t, int32_t>> ranges = {
        {"Agehours", {minAgeHours, maxAgeHours}}, {"Logday", {minLogDays, maxLogDays}}};
    std::set<std::string> seen;
    for (const Tag& tag : templateTags()) {
        if (tag.name != "decimal" || tag["valueName"].empty()) {
            continue;
        }
        const std::string name = tag["valueName"];
        auto range = ranges.find(name);
        ASSERT_NE(range, ranges.end()) << name << " has no known range";
        seen.insert(name);
        EXPECT_EQ(tag["minValue"], std::to_string(range->second.first)) << name;
        EXPECT_EQ(tag["maxValue"], std::to_string(range->second.second)) << name;
        EXPECT_EQ(tag["required"], "true") << name;
    }
    EXPECT_EQ(seen, (std::set<std::string>{"Agehours", "Logday"}));
}

} // namespace
} // namespace dustbane
