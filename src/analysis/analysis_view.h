#pragma once

#include "analysis/analysis_groups.h"
#include "platform/number_format.h"
#include "platform/run_model.h"
#include "text/language_table.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace dustbane {

// The main list's lines for an analysis: a line per group with its items and bytes, search
// paths as headings over their rule groups, the lines the run gave a warning, and the total
// last. A group line opens to its items, largest first, and closes again.
class AnalysisView {
  public:
    AnalysisView(RunModel& model, const LanguageTable& language);

    // Shows the analysis in the list; its total also goes to status panel 0.
    void show(std::vector<AnalysisSection> sections, std::vector<ListLine> warnings,
              const LedgerTotals& totals, const NumberFormat& format);
    // Opens or closes the group on this line; false when the line is no group's or the list
    // shows something else by now.
    bool toggle(size_t line);
    // "Would free 1.24 GB in 3,412 items" while the list still shows this analysis.
    std::optional<std::string> shownTotal() const;

  private:
    struct GroupLine {
        const AnalysisGroup* group = nullptr;
        bool open = false;
    };

    void draw();
    std::string groupLine(const std::string& caption, uint64_t items, uint64_t bytes) const;

    RunModel& model_;
    const LanguageTable& language_;
    NumberFormat format_;
    std::vector<AnalysisSection> sections_;
    std::vector<ListLine> warnings_;
    std::string total_;
    // By line of the list: the group it shows, if any; and which groups are open.
    std::vector<const AnalysisGroup*> groupOfLine_;
    std::vector<const AnalysisGroup*> open_;
    uint64_t drawnRevision_ = 0;
    size_t drawnLines_ = 0;
    bool shown_ = false;
};

} // namespace dustbane
