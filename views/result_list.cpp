#include "result_list.h"

#include "interface_labels.h"

#include "analysis/results.h"
#include "session/interface_language.h"
#include "session/project_session.h"

#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

using namespace tarvel;

namespace {

constexpr int kLeft = 20;
constexpr int kColumnWidth = 150;
// Between a header and the next column, when the headers set the width.
constexpr int kColumnGap = 20;
constexpr int kTitleBaseline = 30;
constexpr int kHeaderBaseline = 60;
constexpr int kFirstRowBaseline = 90;
constexpr int kRowPitch = 30;
// Room after the last column's text and below the last row.
constexpr int kRightMargin = 20;

// The field of a value column: the point table's, then the fitted moduli.
const ResultField& fieldOfColumn(int column) {
    const std::size_t index = static_cast<std::size_t>(column - 1);
    return index < kPointTableColumnCount ? *pointTableFields()[index]
                                          : *fittedColumnFields()[index - kPointTableColumnCount];
}

bool isLevelColumn(int column) {
    return column == qdatalist::kColumnCount - 1;
}

QFont listFont(int points) {
    return QFont(QStringLiteral("Helvetica"), points);
}

} // namespace

qdatalist::qdatalist(const ProjectSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("qdatalist"));
    setWindowTitle(QStringLiteral("qdatalist"));
    // Fully painted: nothing beneath needs drawing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The English headers are longer than a column: the columns grow to fit.
    const QFontMetrics metrics(listFont(12));
    columnWidth_ = kColumnWidth;
    for (int k = 0; k < kColumnCount; ++k)
        columnWidth_ =
            std::max(columnWidth_, metrics.horizontalAdvance(headerText(k)) + kColumnGap);
    for (auto signal : {&ProjectSession::fileChanged, &ProjectSession::pointsChanged,
                        &ProjectSession::resultsChanged})
        connect(&session_, signal, this, &qdatalist::refresh);
    refresh();
}

void qdatalist::refresh() {
    rows_.clear();
    if (const NamePipeFile* file = session_.currentFile()) {
        for (int i = 0; i < static_cast<int>(file->points.size()); ++i) {
            if (!file->points[static_cast<std::size_t>(i)].isDeleted())
                rows_.push_back(i);
        }
    }
    setMinimumSize(sizeHint());
    updateGeometry();
    update();
}

QSize qdatalist::sizeHint() const {
    return {kLeft + columnWidth_ * kColumnCount + kRightMargin,
            kFirstRowBaseline + kRowPitch * rowCount()};
}

QString qdatalist::headerText(int column) const {
    // Named as the result table names them, in the interface's language.
    if (column == 0)
        return tr("测点编号");
    if (isLevelColumn(column))
        return tr("质量");
    const ResultField& field = fieldOfColumn(column);
    return interfaceLanguage() == InterfaceLanguage::English
               ? QString::fromUtf8(field.englishLabel)
               : QString::fromStdString(columnTitle(field));
}

QString qdatalist::cellText(int row, int column) const {
    const int point = pointOfRow(row);
    if (column == 0)
        return tr("序号%1").arg(point + 1);
    const MeasurePoint& p = session_.currentFile()->points[static_cast<std::size_t>(point)];
    if (isLevelColumn(column)) {
        FlagSeverity level = FlagSeverity::Info;
        return p.hasResults && p.results.flags.level(level) ? severityText(level) : QString();
    }
    const ResultField& field = fieldOfColumn(column);
    const double value = p.results.*field.value;
    if (!p.hasResults || !std::isfinite(value))
        return QStringLiteral("--");
    return QString::fromStdString(formatFixed(value, field.decimals));
}

QRect qdatalist::rowRect(int row) const {
    const QFontMetrics metrics(listFont(12));
    const int baseline = kFirstRowBaseline + kRowPitch * row;
    return {0, baseline - metrics.ascent(), width(), metrics.ascent() + metrics.descent()};
}

void qdatalist::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect exposed = event->rect();
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, Qt::green);
    painter.fillRect(exposed, gradient);
    if (!session_.currentFile())
        return;

    painter.setPen(QPen(QBrush(Qt::blue), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setFont(listFont(20));
    painter.drawText(kLeft, kTitleBaseline, tr("测试结果列表："));
    painter.setFont(listFont(12));
    for (int k = 0; k < kColumnCount; ++k)
        painter.drawText(kLeft + columnWidth_ * k, kHeaderBaseline, headerText(k));

    // Only the rows the exposed band touches: a long area scrolls smoothly.
    const QFontMetrics metrics(painter.font());
    const int first =
        std::max(0, (exposed.top() - metrics.descent() - kFirstRowBaseline) / kRowPitch);
    const int last = std::min(
        rowCount() - 1, (exposed.bottom() + metrics.ascent() - kFirstRowBaseline) / kRowPitch);
    for (int row = first; row <= last; ++row) {
        const int baseline = kFirstRowBaseline + kRowPitch * row;
        for (int k = 0; k < kColumnCount; ++k)
            painter.drawText(kLeft + columnWidth_ * k, baseline, cellText(row, k));
    }
}
