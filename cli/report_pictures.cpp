#include "report_pictures.h"

#include "analysis/area_loader.h"
#include "analysis/shared_map_scale.h"
#include "report/scrivet.h"

#include <filesystem>
#include <vector>

namespace tarvel {
namespace {

namespace fs = std::filesystem;

// Takes the user's picture of that name, or draws it with `draw`.
template <typename Draw>
std::string provide(const PictureSources& sources, const std::string& name,
                    const std::string& folder, Draw draw) {
    const fs::path target = fs::path(folder) / name;
    std::error_code ec;
    if (!sources.overrides.empty()) {
        const fs::path given = fs::path(sources.overrides) / name;
        if (fs::is_regular_file(given, ec)) {
            fs::copy_file(given, target, fs::copy_options::overwrite_existing, ec);
            return ec ? given.string() + ": " + ec.message() : std::string();
        }
    }
    if (sources.painter == nullptr)
        return (sources.overrides.empty() ? name : (fs::path(sources.overrides) / name).string()) +
               ": no such picture, and this build cannot draw it";
    const std::string error = draw(target.string());
    return error.empty() ? std::string() : target.filename().string() + ": " + error;
}

// The area read again with its samples, for its wave pictures.
std::unique_ptr<NamePipeFile> loadWithSamples(const ProjectLoad& project, const NamePipeFile& area,
                                              std::string& error) {
    std::unique_ptr<NamePipeFile> file = loadAreaRecord(project.projectDir + area.fileName);
    if (!file->loadError.empty())
        error = project.projectDir + area.fileName + ": " + file->loadError;
    return file;
}

} // namespace

std::string gatherMaps(const AreaFileList& areas, const AcceptanceCriteria* criteria,
                       const PictureSources& sources, const std::string& folder) {
    const MapScale scale = sharedMapScale(areas);
    for (std::size_t i = 0; i < areas.size(); ++i) {
        const NamePipeFile& area = *areas[i];
        if (!buildAreaMap(area).usable())
            continue; // the report says the area has no map
        const std::optional<double> required =
            criteria ? requirementFor(*criteria, area.fileName).deformationModulus : std::nullopt;
        const std::string error =
            provide(sources, scrivet::mapFileName(static_cast<int>(i) + 1), folder,
                    [&](const std::string& path) {
                        return sources.painter->drawMap(area, scale, required, path);
                    });
        if (!error.empty())
            return error;
    }
    return {};
}

std::string gatherAreaWaves(const ProjectLoad& project, std::size_t area,
                            const PictureSources& sources, const std::string& folder) {
    std::string error;
    std::unique_ptr<NamePipeFile> file = loadWithSamples(project, *project.files[area], error);
    if (!error.empty())
        return error;
    // Marked as "生成位图" takes them: not deleted, print mark 2.
    int number = 0;
    for (std::size_t i = 0; i < file->points.size() && error.empty(); ++i) {
        const MeasurePoint& point = file->points[i];
        if (point.isDeleted() || point.header.printMark != 2)
            continue;
        ++number;
        error = provide(sources, file->fileName + "-" + std::to_string(number) + ".png", folder,
                        [&](const std::string& path) {
                            return sources.painter->drawWave(*file, static_cast<int>(i), path);
                        });
    }
    if (error.empty() && number == 0)
        error = file->fileName + ": no wave marked for printing";
    return error;
}

std::string gatherPileWaves(const ProjectLoad& project, const PictureSources& sources,
                            const std::string& folder) {
    for (const auto& pile : project.files) {
        if (pile->excluded)
            continue;
        std::string error;
        std::unique_ptr<NamePipeFile> file = loadWithSamples(project, *pile, error);
        // As the pile picture report takes them: not deleted, marked above 1.
        for (std::size_t i = 0; i < file->points.size() && error.empty(); ++i) {
            const MeasurePoint& point = file->points[i];
            if (point.isDeleted() || point.header.printMark <= 1)
                continue;
            error = provide(sources, file->fileName + "-" + std::to_string(i + 1) + ".png", folder,
                            [&](const std::string& path) {
                                return sources.painter->drawWave(*file, static_cast<int>(i), path);
                            });
        }
        if (!error.empty())
            return error;
    }
    return {};
}

} // namespace tarvel
