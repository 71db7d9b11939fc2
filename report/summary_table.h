// The summary of every area at the head of the results, and the sentence
// that concludes from its verdicts.
#pragma once

#include "area_report.h"

#include <pugixml.hpp>

#include <string>
#include <vector>

namespace tarvel::scrivet {

// One sentence over the areas' verdicts: all pass; which areas fail on
// which modulus, and how many others pass; which are not judged (nothing
// required) or cannot be (too few points).
std::string conclusionText(const std::vector<AreaReport>& areas, const ReportTexts& texts);

// The table of all areas in front of `before`, its cells formatted like
// `cellFormat`: number, name, points, the moduli's harmonic means, required
// and representative values and pass shares, and the verdict, a failure in
// bold. The resilient modulus shows only its mean unless an area requires it.
void addSummaryTable(pugi::xml_node before, pugi::xml_node cellFormat,
                     const std::vector<AreaReport>& areas, const ReportTexts& texts);

} // namespace tarvel::scrivet
