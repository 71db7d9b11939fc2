// tarvel-cli render: the distribution map and the wave pictures of one area,
// drawn by the same code as the desktop's, for batch reports and checks.
#include "render_command.h"

#include "analysis/area_map.h"
#include "cli_common.h"
#include "headless_gui.h"
#include "views/map_export.h"
#include "views/plot_picture.h"
#include "views/wave_pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <cstdlib>
#include <stdexcept>

namespace tarvel {

namespace {

struct RenderRequest {
    std::string areaPath;
    std::string mapPath;
    std::string wavesDir;
    bool everyPoint = false;
};

RenderRequest parseRequest(const std::vector<std::string>& args) {
    RenderRequest request;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--all") {
            request.everyPoint = true;
        } else if (arg == "--map" || arg == "--waves") {
            if (i + 1 >= args.size())
                throw std::invalid_argument(arg + " needs a value");
            (arg == "--map" ? request.mapPath : request.wavesDir) = args[++i];
        } else if (arg.rfind("--", 0) == 0 || !request.areaPath.empty()) {
            throw std::invalid_argument("render: unexpected argument '" + arg + "'");
        } else {
            request.areaPath = arg;
        }
    }
    if (request.areaPath.empty() || (request.mapPath.empty() && request.wavesDir.empty()))
        throw std::invalid_argument("render needs PATH.pip and --map FILE or --waves DIR");
    if (cli::inputKindOf(request.areaPath) != cli::InputKind::AreaFile)
        throw std::invalid_argument("render takes one .pip area file");
    if (request.everyPoint && request.wavesDir.empty())
        throw std::invalid_argument("--all goes with --waves");
    return request;
}

void renderMap(const NamePipeFile& file, const std::string& path) {
    const QImage map = renderAreaMap(file);
    if (map.isNull())
        throw cli::InputError{file.fileName + ": " + buildAreaMap(file).unusable};
    if (const QString error = writePicture(map, QFile::decodeName(path.c_str())); !error.isEmpty())
        throw cli::InputError{path + ": " + error.toStdString()};
}

void renderWaves(NamePipeFile& file, const std::string& dir, bool everyPoint) {
    const QString folder = QFile::decodeName(dir.c_str());
    if (!QFileInfo(folder).isDir())
        throw cli::InputError{dir + ": not a folder"};
    const std::vector<int> points = picturePoints(file, everyPoint);
    if (points.empty())
        throw cli::InputError{file.fileName + ": no wave marked for printing"};
    WavePicture picture(defaultViewOptions());
    const PictureRun run = writeWavePictures(picture, file, points, folder);
    if (!run.failure.isEmpty())
        throw cli::InputError{
            QString(run.failure).replace(QLatin1Char('\n'), QStringLiteral(": ")).toStdString()};
}

} // namespace

int runRenderCommand(const std::vector<std::string>& args) {
    const RenderRequest request = parseRequest(args);
    const cli::HeadlessGui gui;

    std::unique_ptr<NamePipeFile> file = cli::loadAreaOrThrow(request.areaPath);
    if (!request.mapPath.empty())
        renderMap(*file, request.mapPath);
    if (!request.wavesDir.empty())
        renderWaves(*file, request.wavesDir, request.everyPoint);
    return cli::kSuccess;
}

} // namespace tarvel
