// The main window's two settings views: the sampling of the current file and
// the display options.
#include "main_window.h"

#include "session/view_options_store.h"
#include "views/user_dialogs.h"
#include "views/view_options_dialog.h"
#include "views/wave_list.h"

#include <QAction>

using namespace tarvel;

void MainWindow::getDataParamter() {
    if (const NamePipeFile* file = state_.current())
        dialogs_.showSamplingParameters(this, *file);
}

void MainWindow::setParamter() {
    // A height out of range is replaced as the dialog opens, kept even when
    // it is cancelled.
    ViewOptions options = state_.options;
    QParamter::normaliseHeight(options);
    session_.setOptions(options);
    if (!dialogs_.editViewOptions(this, options))
        return;
    session_.setOptions(options);
    const QString failure = storeViewOptions(options);
    if (!failure.isEmpty())
        dialogs_.notify(this, NoticeIcon::Warning, QStringLiteral("Tarvel"),
                        tr("显示选项未能保存：\n%1").arg(failure));
    // The new sizes and axes take effect at once; the data is as it was, so
    // the views are drawn again, not conditioned again.
    waveList_->applyWaveSizes();
    if (analysisListAct_->isChecked())
        waveList_->applyListSizes();
    else if (contourMapAct_->isChecked())
        waveList_->applyMapSizes();
    waveList_->redrawAll();
}
