#include "analysis/analysis_view.h"

#include "text/fill_in.h"
#include "text/size_text.h"

#include <algorithm>
#include <utility>

namespace dustbane {

namespace {

constexpr const char* groupIndent = "    ";
constexpr const char* itemIndent = "        ";

} // namespace

AnalysisView::AnalysisView(RunModel& model, const LanguageTable& language)
    : model_(model), language_(language) {}

std::string AnalysisView::groupLine(const std::string& caption, uint64_t items,
                                    uint64_t bytes) const {
    return caption + ": " +
           fillIn(language_.text(Text::GroupSize),
                  {countText(items, format_), sizeText(bytes, format_)});
}

void AnalysisView::show(std::vector<AnalysisSection> sections, std::vector<ListLine> warnings,
                        const LedgerTotals& totals, const NumberFormat& format) {
    sections_ = std::move(sections);
    warnings_ = std::move(warnings);
    format_ = format;
    open_.clear();
    total_ = fillIn(language_.text(Text::WouldFree),
                    {sizeText(totals.permanentBytes + totals.recycledBytes, format_),
                     countText(totals.items, format_)});
    draw();
    model_.setStatusText(0, " " + total_);
}

void AnalysisView::draw() {
    std::vector<ListLine> lines;
    groupOfLine_.clear();
    const auto add = [&](std::string caption, LineImage image, const AnalysisGroup* group) {
        lines.push_back({std::move(caption), image});
        groupOfLine_.push_back(group);
    };
    for (const AnalysisSection& section : sections_) {
        const bool underPath = !section.name.empty();
        if (underPath) {
            // A drive's root reads "C:\", as Explorer names it.
            const std::string name =
                section.name.back() == ':' ? section.name + "\\" : section.name;
            add(groupLine(name, section.items(), section.bytes()), LineImage::Information, nullptr);
        }
        for (const AnalysisGroup& group : section.groups) {
            const bool open = std::find(open_.begin(), open_.end(), &group) != open_.end();
            add(std::string(underPath ? groupIndent : "") + (open ? "- " : "+ ") +
                    groupLine(group.key.caption, group.items, group.bytes),
                group.key.image, &group);
            if (!open) {
                continue;
            }
            const std::string indent = std::string(underPath ? groupIndent : "") + itemIndent;
            for (const LedgerItem& item : group.largest) {
                add(indent + item.path + "  (" + sizeText(item.size, format_) + ")",
                    item.folder ? LineImage::FolderRemoved : LineImage::FileRemoved, nullptr);
            }
            if (group.notKept() > 0) {
                add(indent + fillIn(language_.text(Text::MoreItems),
                                    {countText(group.notKept(), format_)}),
                    LineImage::Note, nullptr);
            }
        }
    }
    for (const ListLine& warning : warnings_) {
        add(warning.caption, warning.image, nullptr);
    }
    add(total_, LineImage::Information, nullptr);
    model_.replaceLines(std::move(lines));
    drawnRevision_ = model_.linesRevision();
    drawnLines_ = model_.lines().size();
    shown_ = true;
}

bool AnalysisView::toggle(size_t line) {
    if (!shownTotal() || line >= groupOfLine_.size() || !groupOfLine_[line]) {
        return false;
    }
    const AnalysisGroup* group = groupOfLine_[line];
    const auto found = std::find(open_.begin(), open_.end(), group);
    if (found == open_.end()) {
        open_.push_back(group);
    } else {
        open_.erase(found);
    }
    draw();
    return true;
}

std::optional<std::string> AnalysisView::shownTotal() const {
    if (!shown_ || model_.linesRevision() != drawnRevision_ ||
        model_.lines().size() != drawnLines_) {
        return std::nullopt;
    }
    return total_;
}

} // namespace dustbane
