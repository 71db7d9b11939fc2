// The appendix that shows a reviewer every hand intervention in the
// recorded data: per area, what differs from the instrument's original kept
// in "原始数据", or the line that nothing was changed.
#pragma once

#include "word_document.h"

#include "data/area_file.h"

namespace tarvel::scrivet {

enum class RecordLanguage { Chinese, English };

// Appends "数据修改记录" ("Changes to the recorded data") on a new page at the
// end of the document, one block per area of `areas` in order.
void appendChangeRecord(WordDocument& document, const AreaFileList& areas,
                        RecordLanguage language = RecordLanguage::Chinese);

// The lines of one area's block, as the appendix prints them (the first
// names the area).
std::vector<std::string> changeRecordLines(const NamePipeFile& area, RecordLanguage language);

} // namespace tarvel::scrivet
