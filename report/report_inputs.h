// What a report takes beyond the records: the criteria the areas are judged
// against, the lab that issues it, where its pictures are, its language.
#pragma once

#include "report_texts.h"

#include "data/acceptance_file.h"
#include "data/area_file.h"
#include "data/lab_profile.h"
#include "data/project_info.h"

#include <string>

namespace tarvel::scrivet {

struct ReportInputs {
    const AcceptanceCriteria* criteria = nullptr; // null: nothing is required
    const LabProfile* lab = nullptr;              // null: the project's own lab data only
    std::string pictureDir;                       // maps or wave pictures; empty: none
    ReportLanguage language = ReportLanguage::Chinese;

    const ReportTexts& texts() const { return reportTexts(language); }
    AreaRequirement requirementFor(const NamePipeFile& area) const {
        return criteria ? tarvel::requirementFor(*criteria, area.fileName) : AreaRequirement{};
    }
};

// The lab as the documents print it: the profile's fields, each falling
// back to what the project record holds when the profile has none.
struct LabFacts {
    std::string name;
    std::string qualification;
    std::string address;
    std::string postCode;
    std::string phone;
    std::array<std::string, 4> signatories; // author, checker, reviewer, approver
    std::string logo;                       // a PNG file, or empty
};

LabFacts labFacts(const ProjectInfo& project, const LabProfile* lab);

// "2026-11-20 至 2026-12-01": the first and last test date of the areas (one
// date when they agree); texts that are not dates are listed as they are.
std::string testDatesText(const AreaFileList& areas, ReportLanguage language);

// "李检测（上岗证号：SG-0456）": the tester and the work permit when there is one.
std::string testerText(const ProjectInfo& project, const ReportTexts& texts);

} // namespace tarvel::scrivet
