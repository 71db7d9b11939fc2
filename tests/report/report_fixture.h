// Shared fixtures of the report tests: synthetic projects loaded through the
// analysis library, pictures, and independent readers of the written files.
#pragma once

#include "analysis/synthetic.h"
#include "data/area_file.h"
#include "data/project_info.h"

#include <string>
#include <vector>

namespace tarvel::testing {

// A fresh directory under the system's temporary directory, removed with
// everything in it at the end of the test.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    std::string subdir(const std::string& name) const; // created

private:
    std::string path_;
};

SyntheticArea syntheticArea(const std::string& name, int rows, int columns,
                            const std::string& pattern = "gradient:60:140");

struct LoadedProject {
    std::string projectFile;
    ProjectInfo info{};
    AreaFileList areas; // in the order of `areas` given to makeProject
};

// Writes the areas as a project into dir and loads it as the program does.
LoadedProject makeProject(const std::string& dir, const std::vector<SyntheticArea>& areas);

// The pile fields of one area file, as the pile-era instrument stored them.
struct PileFields {
    std::string number; // the area name, also the file's stem
    std::string classText = "Ⅰ类桩";
    float waveSpeed = 3800;
    float length = 12.5f;
    int width = 800;
    int breadth = 0;
    std::string sectionShape = "Round";
    std::string strengthGrade = "C30";
    std::string pileType = "Bored";
    std::vector<float> defects; // positions in m
    int printedPoints = 1;      // the first points get the print mark 2
};

// A project of one 1 x 2 area per pile, with the pile fields written into
// the area files and the project's pile data (40 piles of 12.00 m, 800 mm,
// C30, "Bored") into its record; loaded as the program does.
LoadedProject makePileProject(const std::string& dir, const std::vector<PileFields>& piles);

// Writes `count` 800 x 400 PNG wave pictures "<fileName>-<n>.png", n from 1.
void writeWavePictures(const std::string& dir, const std::string& fileName, int count);
void writePng(const std::string& path, int width, int height);

// The facts read_office.py prints: one row of fields per line.
class OfficeFacts {
public:
    OfficeFacts(const std::string& kind, const std::string& path);

    // Rows whose leading fields equal `key`.
    std::vector<std::vector<std::string>> rows(const std::vector<std::string>& key) const;
    // The field after `key` in the first matching row, or "<none>".
    std::string value(const std::vector<std::string>& key) const;
    bool has(const std::vector<std::string>& key) const { return !rows(key).empty(); }
    // The label of the `occurrence`-th body table (from 1) whose first cell
    // reads `text`, or "<none>".
    std::string tableStartingWith(const std::string& text, int occurrence = 1) const;
    // Every text of the document: paragraphs, cells, header and footer.
    std::string allText() const;

private:
    std::vector<std::vector<std::string>> rows_;
};

bool haveSoffice();

// Converts the file to the PDF beside it as the program does (LibreOffice
// with a private profile and the program's fonts); returns the PDF's path.
std::string convertToPdf(const std::string& file);
int pdfPageCount(const std::string& pdf);
// The text of each page, from pdftotext; with `layout`, lines as printed.
std::vector<std::string> pdfPageTexts(const std::string& pdf, bool layout = false);
// Pictures drawn on each page, from the PDF's image list.
std::vector<int> pdfPicturesPerPage(const std::string& pdf);

} // namespace tarvel::testing
