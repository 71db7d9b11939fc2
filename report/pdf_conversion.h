// PDFs of written documents, made by LibreOffice without a screen.
#pragma once

#include <string>
#include <vector>

namespace tarvel {

// "<dir>/<stem>.pdf" for "<dir>/<stem>.<ext>".
std::string pdfPathFor(const std::string& documentPath);

// Where `soffice` lies on the PATH, or empty when it is not there.
std::string findSoffice();

struct PdfRun {
    std::vector<std::string> failures; // one line per PDF not written: its path and why
    // Set when a font the documents ask for is not installed, naming the
    // Debian package to install; the PDFs are written with another face.
    std::string fontWarning;
};

// Converts every document to the PDF beside it (pdfPathFor) in one
// LibreOffice run, started with a profile of its own in a fresh temporary
// folder, so a running LibreOffice of the user is neither used nor
// disturbed. Its fonts: "宋体"/SimSun as a Song (serif) Chinese face, Times
// New Roman and Calibri as faces of the same metrics, when installed. Each
// PDF is made in a temporary folder and moved into place.
PdfRun convertDocumentsToPdf(const std::string& soffice, const std::vector<std::string>& documents);

} // namespace tarvel
