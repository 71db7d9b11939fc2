#include "report_inputs.h"

#include "data/gbk_text.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace tarvel::scrivet {
namespace {

template <std::size_t W>
std::string either(const std::string& preferred, const char (&fallbackGbk)[W]) {
    return preferred.empty() ? decodeGbk(fallbackGbk) : preferred;
}

bool isStoredDate(const std::string& text) {
    return text.size() == 8 && std::all_of(text.begin(), text.end(),
                                           [](unsigned char c) { return std::isdigit(c) != 0; });
}

} // namespace

LabFacts labFacts(const ProjectInfo& p, const LabProfile* lab) {
    const LabProfile none;
    const LabProfile& profile = lab ? *lab : none;
    LabFacts facts;
    facts.name = either(profile.name, p.testingCompany);
    facts.qualification = either(profile.qualification, p.qualificationNo);
    facts.address = either(profile.address, p.companyAddress);
    facts.postCode = decodeGbk(p.postCode);
    facts.phone = either(profile.phone, p.contactPhone);
    facts.signatories = {profile.author, profile.checker, profile.reviewer, profile.approver};
    facts.logo = profile.logo;
    return facts;
}

std::string testDatesText(const AreaFileList& areas, ReportLanguage language) {
    std::set<std::string> dates;
    std::set<std::string> others;
    for (const auto& area : areas) {
        const std::string stored = decodeGbk(area->header.testDate);
        if (isStoredDate(stored))
            dates.insert(stored);
        else if (!stored.empty())
            others.insert(stored);
    }
    const ReportTexts& texts = reportTexts(language);
    std::string text;
    if (!dates.empty()) {
        text = dateText(*dates.begin(), language);
        if (dates.size() > 1)
            text += texts.dateRangeBetween + dateText(*dates.rbegin(), language);
    }
    for (const std::string& other : others)
        text += (text.empty() ? "" : texts.listSeparator) + other;
    return text;
}

std::string testerText(const ProjectInfo& p, const ReportTexts& texts) {
    const std::string tester = decodeGbk(p.tester);
    const std::string permit = decodeGbk(p.permitNo);
    return permit.empty() ? tester : tester + texts.permitBefore + permit + texts.permitAfter;
}

} // namespace tarvel::scrivet
