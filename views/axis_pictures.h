// Plot axes painted from pictures shared by every plot whose axis looks the
// same.
//
// The wave views of an area share one time axis, and drawing its tick
// labels was a fifth of painting a view. An axis is drawn once onto the
// plain colour it stands on and kept in the application's pixmap cache
// under everything that decides its pixels; every other view with the same
// axis copies the picture. Where the colour beneath is not one known plain
// colour, or the screen is scaled, the axis paints itself as before.
#pragma once

#include <QObject>

class QwtPlot;

class SharedAxisPictures : public QObject {
public:
    // Paints the plot's bottom and left axes from shared pictures; owned by
    // the plot.
    explicit SharedAxisPictures(QwtPlot* plot);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
