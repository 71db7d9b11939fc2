// The single-wave view: the impact waveform of one point of the current file
// with its marks, peak, result lines and print flag.
#pragma once

#include "data/view_options.h"
#include "edit/area_edits.h"

#include <QImage>
#include <array>
#include <qwt_plot.h>

class QMenu;
class QAction;
class QwtPlotCurve;
class QwtPlotGrid;
class QwtPlotMarker;
class QwtPlotPicker;
class QwtPlotImage;
class QwtPlotTextEx;
class QwtPlotTextEx1;

namespace tarvel {
struct NamePipeFile;
struct MeasurePoint;
class ProjectSession;
class UserDialogs;
} // namespace tarvel

class QWave : public QwtPlot {
    Q_OBJECT

public:
    static constexpr int kResultLineCount = 15;

    QWave(tarvel::ProjectSession& session, tarvel::UserDialogs& dialogs, QWidget* parent = nullptr);
    // A view that only draws pictures: no session, no menu, no picking; it
    // shows points of the file it is bound to with `options`.
    explicit QWave(const tarvel::ViewOptions& options);
    ~QWave() override;

    // The point of the current file this view shows (the wave list binds it).
    void bindPoint(int pointIndex);
    // Shows a point of `file` instead of the current file's (pictures of
    // areas other than the current one).
    void bindFile(tarvel::NamePipeFile* file) { file_ = file; }
    int pointIndex() const { return pointIndex_; }

    // Draws the view's point from the data as it stands and replots.
    void drawPoint();
    // The picture variant used for image export: no current-point highlight.
    void drawForExport();
    // Shows the wave with its start mark at the origin until the next
    // conditioning run of the file.
    void alignHead();
    void clearAlignment();

    // The plot parts, for whoever needs to read what the view shows.
    const QwtPlotTextEx* titleItem() const { return title_; }
    // The quality badge beside the title: the gravest flag's severity.
    const QwtPlotTextEx* badgeItem() const { return badge_; }
    // The fitted moduli, in the title band beside the badge.
    const QwtPlotTextEx* fitItem() const { return fitText_; }
    const QwtPlotTextEx* unitItem() const { return unitLabel_; }
    const QwtPlotTextEx* resultItem(int line) const;
    const QwtPlotMarker* startMarker() const { return startMarker_; }
    const QwtPlotMarker* endMarker() const { return endMarker_; }
    const QwtPlotMarker* peakMarker() const { return peakMarker_; }
    const QwtPlotMarker* pickMarker() const { return pickMarker_; }
    const QwtPlotMarker* baselineMarker() const { return baselineMarker_; }
    const QwtPlotMarker* defectLine(int entry) const { return defectLines_[std::size_t(entry)]; }
    const QwtPlotMarker* defectLabel(int entry) const { return defectLabels_[std::size_t(entry)]; }
    const QwtPlotCurve* curve() const { return curve_; }
    // The fitted pulse's line; attached only while it is shown.
    const QwtPlotCurve* fitCurve() const { return fitCurve_; }
    const QwtPlotGrid* grid() const { return grid_; }
    const QwtPlotImage* checkImage() const { return checkImage_; }
    // The context menu, made the first time it is needed: an area's worth of
    // views seldom opens more than a few.
    QMenu* mainMenu();
    // Prepares the menu as opening it does (enabled marks, print text).
    void prepareMenu();

public slots:
    void Pickedselected(const QPointF& point);
    void doHead();
    void doTail();
    // Marks a defect at the picked time (the entry is hidden in the menu).
    void doError();
    // Clears the defect marks of this wave (hidden in the menu as well).
    void doClear();
    void doPrint();
    void saveAs();
    void autoHead();
    void waveDel();
    void hzClear();
    void hzFengZhi();
    void dataexport();
    void CalculateResult(tarvel::NamePipeFile* file);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    enum class Variant { Screen, Export };

    void draw(Variant variant);
    tarvel::NamePipeFile* file() const;
    tarvel::MeasurePoint* point() const;
    void setSamples(tarvel::NamePipeFile& file, tarvel::MeasurePoint& point);
    void setFitCurve(const tarvel::MeasurePoint& point, Variant variant);
    bool fitShown() const;
    void setScales(const tarvel::NamePipeFile& file, const tarvel::MeasurePoint& point);
    void setMarkers(const tarvel::NamePipeFile& file, const tarvel::MeasurePoint& point);
    // The legend marks found on this point: a green line at each, and in
    // the time mode a label with its time or position.
    void setDefectMarkers(const tarvel::NamePipeFile& file, const tarvel::MeasurePoint& point);
    // The badge and the view's tooltip from the point's quality flags.
    void setFitText(const tarvel::MeasurePoint& point, int left);
    // Returns where the title band is free again, right of the badge.
    int setQualityBadge(const tarvel::MeasurePoint& point, const QString& title);
    void createMenu();
    // Asks where an export goes, starting at "<area>-<point>.<suffix>" in the
    // last export folder (first: the area's own); "" when cancelled.
    QString exportPath(const QString& caption, const QString& suffix, const QString& filter);
    // Applies an edit through the session; a refusal is shown with `title`.
    void edit(const tarvel::Edit& edit, const QString& title = QStringLiteral("Tarvel"));

    // The display options of the session, or the picture view's own.
    const tarvel::ViewOptions& options() const;
    void build();

    // Both null in a picture view.
    tarvel::ProjectSession* session_ = nullptr;
    tarvel::UserDialogs* dialogs_ = nullptr;
    tarvel::ViewOptions pictureOptions_{};
    int pointIndex_ = -1;
    tarvel::NamePipeFile* file_ = nullptr;
    bool aligned_ = false;
    double alignShiftMs_ = 0;

    QwtPlotGrid* grid_;
    QwtPlotCurve* curve_;
    QwtPlotCurve* fitCurve_;
    QwtPlotMarker* baselineMarker_;
    QwtPlotMarker* startMarker_;
    QwtPlotMarker* endMarker_;
    QwtPlotMarker* peakMarker_;
    QwtPlotMarker* pickMarker_;
    QwtPlotPicker* picker_ = nullptr;
    QImage checkPicture_;
    QwtPlotImage* checkImage_;
    QwtPlotTextEx* title_;
    QwtPlotTextEx* badge_;
    QwtPlotTextEx* fitText_;
    QwtPlotTextEx* unitLabel_;
    QwtPlotTextEx1* spectrumText_;
    std::array<QwtPlotTextEx*, kResultLineCount> resultLines_{};
    // Made when a legend entry first falls on this point.
    std::array<QwtPlotMarker*, 10> defectLines_{};
    std::array<QwtPlotMarker*, 10> defectLabels_{};

    QMenu* mainMenu_ = nullptr;
    QAction* headAction_ = nullptr;
    QAction* tailAction_ = nullptr;
    QAction* printAction_ = nullptr;
};
