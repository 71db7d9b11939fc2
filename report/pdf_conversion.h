// PDFs of written documents, made by LibreOffice without a screen.
#pragma once

#include <string>

namespace tarvel {

// "<dir>/<stem>.pdf" for "<dir>/<stem>.<ext>".
std::string pdfPathFor(const std::string& documentPath);

// Where `soffice` lies on the PATH, or empty when it is not there.
std::string findSoffice();

// Converts the document to the PDF beside it (pdfPathFor). LibreOffice runs
// with a profile of its own in a fresh temporary directory, so a running
// LibreOffice of the user is neither used nor disturbed. The PDF is made in
// a temporary folder and renamed into place. Returns an empty string, or
// why no PDF was written.
std::string convertDocumentToPdf(const std::string& soffice, const std::string& documentPath);

} // namespace tarvel
