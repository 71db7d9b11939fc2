// Scrivet: the report library. Turns a project's records into an Excel
// summary workbook (.xlsx) and two Word reports (.docx).
//
// Every export reads the caller's records in place and never changes them.
// After its own arguments each takes the path of the file to write and a flag
// saying whether to open the finished file with the desktop's default
// application. It returns true when the file was written; otherwise it
// returns false and scrivetLastError() tells why (the file path and the
// reason). No exception leaves the library.
//
// Paths are the platform's file names (UTF-8 on Linux). A picture directory
// may be given with or without its trailing separator. Values that are not
// finite numbers (a point whose modulus could not be computed, the means of
// an area without points) are printed as "--". Every page of every document
// carries the report number and its page of the pages.
#pragma once

#include "data/acceptance_file.h"
#include "data/area_file.h"
#include "data/lab_profile.h"
#include "data/project_info.h"

#include <cstdint>
#include <string>

#define SCRIVET_EXPORT __attribute__((visibility("default")))

extern "C" {

enum ScrivetLanguage : int32_t { ScrivetChinese = 0, ScrivetEnglish = 1 };

// What a report takes besides the records; every pointer may be null.
struct ScrivetSettings {
    const tarvel::AcceptanceCriteria* criteria; // null: nothing is required, no verdicts
    const tarvel::LabProfile* lab;              // null: the project record's lab data only
    // openDoc1With: the folder of the maps "dengzhi<n>.png" of area n (from
    // 1), each expected for an area with a usable grid; null or empty: no
    // map chapter. openDoc2With and openDoc2_EWith: the wave pictures.
    const char* pictureDir;
    ScrivetLanguage language; // of the drop-ball documents; the pile ones are English
};

// The workbook with the sheets "汇总表" (one block per area under one row of
// column titles, each ending with the statistics of its moduli and their
// verdicts) and "工程信息".
SCRIVET_EXPORT bool openExcelWith(const tarvel::ProjectInfo* project,
                                  const tarvel::AreaFileList* areas,
                                  const ScrivetSettings* settings, const char* outputPath,
                                  bool openWhenDone);

// The test report: the cover with the lab, the project, its test basis, a
// summary of every area with its verdict and a conclusion, each area's
// point table (flagged points marked, a note naming the warnings and
// errors) and statistics, the maps and the signatures. In Chinese it is
// laid into the template at templatePath when that file exists and into the
// built-in copy otherwise; in English into the built-in English one.
SCRIVET_EXPORT bool openDoc1With(const char* templatePath, const tarvel::ProjectInfo* project,
                                 const tarvel::AreaFileList* areas, const ScrivetSettings* settings,
                                 const char* outputPath, bool openWhenDone);

// The wave-picture report of area fileIndex (from 0): the files of the
// settings' picture folder named "<fileName>-<n>.png" are its pictures, n
// from 1 (other files are left alone); two pictures on the first page and
// three on each further page.
SCRIVET_EXPORT bool openDoc2With(const tarvel::ProjectInfo* project,
                                 const tarvel::AreaFileList* areas, int32_t fileIndex,
                                 const ScrivetSettings* settings, const char* outputPath,
                                 bool openWhenDone);

// The three above in Chinese, judged against nothing and without a lab
// profile; pictureDir as in the settings.
SCRIVET_EXPORT bool openExcel(const tarvel::ProjectInfo* project, const tarvel::AreaFileList* areas,
                              const char* outputPath, bool openWhenDone);
SCRIVET_EXPORT bool openDoc1(const char* templatePath, const tarvel::ProjectInfo* project,
                             const tarvel::AreaFileList* areas, const char* pictureDir,
                             const char* outputPath, bool openWhenDone);
SCRIVET_EXPORT bool openDoc2(const char* pictureDir, const tarvel::ProjectInfo* project,
                             const tarvel::AreaFileList* areas, int32_t fileIndex,
                             const char* outputPath, bool openWhenDone);

// The English pile integrity reports: every area file stands for one pile,
// and a pile takes part when its `excluded` flag is false. Texts are in
// Times New Roman; values that cannot be computed read "--". The settings
// give the lab (its name and signatories) and, for the picture report, the
// picture folder; criteria and language do not apply.

// The workbook with the sheets "Summary Table" (one row per pile) and
// "Project Information" (with the pile statistics).
SCRIVET_EXPORT bool openExcel_EWith(const tarvel::ProjectInfo* project,
                                    const tarvel::AreaFileList* areas,
                                    const ScrivetSettings* settings, const char* outputPath,
                                    bool openWhenDone);

// The pile test report, laid into the template at templatePath when that
// file exists and into the built-in copy otherwise.
SCRIVET_EXPORT bool openDoc1_EWith(const char* templatePath, const tarvel::ProjectInfo* project,
                                   const tarvel::AreaFileList* areas,
                                   const ScrivetSettings* settings, const char* outputPath,
                                   bool openWhenDone);

// The pile picture report: the pictures "<fileName>-<n>.png" in the picture
// folder of every point not deleted and marked for printing (n its number
// from 1). A picture that cannot be read fails the call, naming it.
SCRIVET_EXPORT bool openDoc2_EWith(const tarvel::ProjectInfo* project,
                                   const tarvel::AreaFileList* areas,
                                   const ScrivetSettings* settings, const char* outputPath,
                                   bool openWhenDone);

// The three above without a lab profile.
SCRIVET_EXPORT bool openExcel_E(const tarvel::ProjectInfo* project,
                                const tarvel::AreaFileList* areas, const char* outputPath,
                                bool openWhenDone);
SCRIVET_EXPORT bool openDoc1_E(const char* templatePath, const tarvel::ProjectInfo* project,
                               const tarvel::AreaFileList* areas, const char* outputPath,
                               bool openWhenDone);
SCRIVET_EXPORT bool openDoc2_E(const char* pictureDir, const tarvel::ProjectInfo* project,
                               const tarvel::AreaFileList* areas, const char* outputPath,
                               bool openWhenDone);

// Why the last failed call on this thread failed. After a success it is
// empty, or says why the finished file could not be handed to the viewer.
SCRIVET_EXPORT const char* scrivetLastError();
}

namespace tarvel::scrivet {

// The name of the map of area `number` (from 1) in openDoc1With's picture
// folder.
inline std::string mapFileName(int number) {
    return "dengzhi" + std::to_string(number) + ".png";
}

} // namespace tarvel::scrivet
