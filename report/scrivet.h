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
// an area without points) are printed as "--".
#pragma once

#include "data/acceptance_file.h"
#include "data/area_file.h"
#include "data/project_info.h"

#include <cstdint>

#define SCRIVET_EXPORT __attribute__((visibility("default")))

extern "C" {

// The workbook with the sheets "汇总表" (one block per area) and "工程信息".
// Each area block ends with the statistics of its moduli; here nothing is
// required, so every verdict reads "--".
SCRIVET_EXPORT bool openExcel(const tarvel::ProjectInfo* project, const tarvel::AreaFileList* areas,
                              const char* outputPath, bool openWhenDone);

// openExcel with each area judged against the criteria (the project's
// acceptance file as read by the caller); null judges against nothing.
SCRIVET_EXPORT bool openExcelJudged(const tarvel::ProjectInfo* project,
                                    const tarvel::AreaFileList* areas,
                                    const tarvel::AcceptanceCriteria* criteria,
                                    const char* outputPath, bool openWhenDone);

// The test report, laid into the template at templatePath when that file
// exists and into the built-in copy otherwise. Under "三 等值图" it shows the
// distribution map "dengzhi<i>.png" of area i from pictureDir when present.
// Under each point table, whose flagged points carry a raised "*" explained
// in a note, stands the statistics table of the area's moduli; here nothing
// is required, so every verdict reads "--".
SCRIVET_EXPORT bool openDoc1(const char* templatePath, const tarvel::ProjectInfo* project,
                             const tarvel::AreaFileList* areas, const char* pictureDir,
                             const char* outputPath, bool openWhenDone);

// openDoc1 with each area judged against the criteria; null judges against
// nothing.
SCRIVET_EXPORT bool openDoc1Judged(const char* templatePath, const tarvel::ProjectInfo* project,
                                   const tarvel::AreaFileList* areas,
                                   const tarvel::AcceptanceCriteria* criteria,
                                   const char* pictureDir, const char* outputPath,
                                   bool openWhenDone);

// The wave-picture report of area fileIndex: the files of pictureDir named
// "<fileName>-<n>.png" are its pictures, n from 1 (other files are left
// alone); two pictures on the first page and three on each further page.
SCRIVET_EXPORT bool openDoc2(const char* pictureDir, const tarvel::ProjectInfo* project,
                             const tarvel::AreaFileList* areas, int32_t fileIndex,
                             const char* outputPath, bool openWhenDone);

// The English pile integrity reports: every area file stands for one pile,
// and a pile takes part when its `excluded` flag is false. Texts are in
// Times New Roman; values that cannot be computed read "--".

// The workbook with the sheets "Summary Table" (one row per pile) and
// "Project Information" (with the pile statistics).
SCRIVET_EXPORT bool openExcel_E(const tarvel::ProjectInfo* project,
                                const tarvel::AreaFileList* areas, const char* outputPath,
                                bool openWhenDone);

// The pile test report, laid into the template at templatePath when that
// file exists and into the built-in copy otherwise.
SCRIVET_EXPORT bool openDoc1_E(const char* templatePath, const tarvel::ProjectInfo* project,
                               const tarvel::AreaFileList* areas, const char* outputPath,
                               bool openWhenDone);

// The pile picture report: the pictures "<fileName>-<n>.png" in pictureDir of
// every point not deleted and marked for printing (n its number from 1).
// A picture that cannot be read fails the call, naming it.
SCRIVET_EXPORT bool openDoc2_E(const char* pictureDir, const tarvel::ProjectInfo* project,
                               const tarvel::AreaFileList* areas, const char* outputPath,
                               bool openWhenDone);

// Why the last failed call on this thread failed. After a success it is
// empty, or says why the finished file could not be handed to the viewer.
SCRIVET_EXPORT const char* scrivetLastError();
}
