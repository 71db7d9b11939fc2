// The result list: one painted row per point not deleted of the current
// file: its number, the point-table columns and the fitted moduli
// (analysis/result_columns.h) read from the points' stored results, and the
// gravest of the point's flags.
#pragma once

#include "analysis/result_columns.h"

#include <QWidget>

#include <vector>

namespace tarvel {
class ProjectSession;
}

class qdatalist : public QWidget {
    Q_OBJECT

public:
    static constexpr int kColumnCount = 1 + static_cast<int>(tarvel::kPointTableColumnCount) +
                                        static_cast<int>(tarvel::kFittedColumnCount) + 1;

    explicit qdatalist(const tarvel::ProjectSession& session, QWidget* parent = nullptr);

    int rowCount() const { return static_cast<int>(rows_.size()); }
    // The point index a row shows.
    int pointOfRow(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    QString headerText(int column) const;
    QString cellText(int row, int column) const;
    // The band a row's text occupies, in widget coordinates.
    QRect rowRect(int row) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // Reads the current file's points again and repaints.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const tarvel::ProjectSession& session_;
    std::vector<int> rows_;
    int columnWidth_ = 0; // wide enough for the widest header
};
