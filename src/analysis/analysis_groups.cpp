#include "analysis/analysis_groups.h"

#include <algorithm>

namespace dustbane {

namespace {

// Heap order with the smallest item on top, so that a full group drops its smallest.
bool larger(const LedgerItem& a, const LedgerItem& b) {
    return a.size != b.size ? a.size > b.size : a.path < b.path;
}

} // namespace

uint64_t AnalysisSection::items() const {
    uint64_t total = 0;
    for (const AnalysisGroup& group : groups) {
        total += group.items;
    }
    return total;
}

uint64_t AnalysisSection::bytes() const {
    uint64_t total = 0;
    for (const AnalysisGroup& group : groups) {
        total += group.bytes;
    }
    return total;
}

AnalysisGroup& AnalysisGroups::groupFor(const LedgerGroup& key) {
    // Items come in runs of one group, so the newest section and group are looked at first.
    auto section = std::find_if(sections_.rbegin(), sections_.rend(),
                                [&key](const AnalysisSection& s) { return s.name == key.section; });
    if (section == sections_.rend()) {
        sections_.push_back({key.section, {}});
        section = sections_.rbegin();
    }
    std::vector<AnalysisGroup>& groups = section->groups;
    auto group = std::find_if(groups.rbegin(), groups.rend(), [&key](const AnalysisGroup& g) {
        return g.key.caption == key.caption;
    });
    if (group != groups.rend()) {
        return *group;
    }
    groups.push_back({key, 0, 0, {}});
    return groups.back();
}

void AnalysisGroups::itemDeleted(const LedgerGroup& key, const LedgerItem& item) {
    AnalysisGroup& group = groupFor(key);
    ++group.items;
    group.bytes += item.size;
    std::vector<LedgerItem>& largest = group.largest;
    if (largest.size() < kept_) {
        largest.push_back(item);
        std::push_heap(largest.begin(), largest.end(), larger);
    } else if (kept_ > 0 && larger(item, largest.front())) {
        std::pop_heap(largest.begin(), largest.end(), larger);
        largest.back() = item;
        std::push_heap(largest.begin(), largest.end(), larger);
    }
}

std::vector<AnalysisSection> AnalysisGroups::ordered() const {
    std::vector<AnalysisSection> sections = sections_;
    for (AnalysisSection& section : sections) {
        std::stable_sort(section.groups.begin(), section.groups.end(),
                         [](const AnalysisGroup& a, const AnalysisGroup& b) {
                             return a.key.order < b.key.order;
                         });
        for (AnalysisGroup& group : section.groups) {
            std::sort_heap(group.largest.begin(), group.largest.end(), larger);
        }
    }
    return sections;
}

} // namespace dustbane
