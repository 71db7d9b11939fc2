#include "map_export.h"

#include "distribution_map.h"
#include "plot_picture.h"

#include <qwt_plot_layout.h>

namespace tarvel {

QImage renderAreaMap(const NamePipeFile& file) {
    TestSpectrogram plot;
    if (!plot.setArea(file))
        return QImage();
    const QRect target(0, 0, kPictureWidth, kPictureHeight);
    plot.resize(target.size());
    // The renderer lays the plot out without scroll bars and, as the canvas
    // frame is discarded, without frames.
    plot.keepCellsInProportion(target,
                               QwtPlotLayout::IgnoreScrollbars | QwtPlotLayout::IgnoreFrames);
    plot.replot();

    return pictureOf(plot);
}

} // namespace tarvel
