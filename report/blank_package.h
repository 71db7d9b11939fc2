// The parts of an empty .docx package.
#pragma once

#include "zip_archive.h"

namespace tarvel::scrivet {

// Content types, package relationships, an empty main part with one section
// (A4, the margins of word_document.h) and the styles: "宋体" 10.5 pt.
ZipEntries blankPackage();

} // namespace tarvel::scrivet
