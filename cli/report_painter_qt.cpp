// The report's pictures drawn by the desktop's own code.
#include "drawing_module.h"
#include "headless_gui.h"

#include "data/view_options.h"
#include "views/map_export.h"
#include "views/picture_language.h"
#include "views/plot_picture.h"
#include "views/wave_pictures.h"

#include <QFile>
#include <QImageWriter>
#include <iostream>

namespace tarvel {
namespace {

std::string write(const QImage& image, const std::string& path) {
    QImageWriter writer(QFile::decodeName(path.c_str()), "png");
    writer.setQuality(kPictureQuality);
    return writer.write(image) ? std::string() : writer.errorString().toStdString();
}

class QtReportPainter : public ReportPainter {
public:
    explicit QtReportPainter(bool english) : english_(english) {}

    std::string drawMap(const NamePipeFile& area, const MapScale& scale,
                        std::optional<double> requiredMpa, const std::string& path) override {
        start();
        const QImage map = renderAreaMap(area, {&scale, requiredMpa});
        if (map.isNull())
            return buildAreaMap(area).unusable;
        return write(map, path);
    }

    std::string drawWave(NamePipeFile& area, int pointIndex, const std::string& path) override {
        start();
        if (!waves_)
            waves_ = std::make_unique<WavePicture>(defaultViewOptions());
        return write(waves_->render(area, pointIndex), path);
    }

private:
    // The machinery starts with the first picture: a report without
    // pictures needs none of it.
    void start() {
        if (gui_)
            return;
        gui_ = std::make_unique<cli::HeadlessGui>();
        if (!english_)
            return;
        englishPictures_ = std::make_unique<EnglishPictures>();
        if (!englishPictures_->ready())
            std::cerr << "tarvel-cli report: no English translation beside the program: the "
                         "pictures carry Chinese labels\n";
    }

    bool english_;
    std::unique_ptr<cli::HeadlessGui> gui_;
    std::unique_ptr<EnglishPictures> englishPictures_;
    std::unique_ptr<WavePicture> waves_;
};

} // namespace

std::unique_ptr<ReportPainter> cli::makeQtReportPainter(bool english) {
    return std::make_unique<QtReportPainter>(english);
}

} // namespace tarvel
