#include "flow_layout.h"

#include <QWidget>
#include <algorithm>

FlowLayout::FlowLayout(QWidget* parent, int spacing) : QLayout(parent), spacing_(spacing) {
    setContentsMargins(0, 0, 0, 0);
}

FlowLayout::~FlowLayout() {
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void FlowLayout::addItem(QLayoutItem* item) {
    items_.append(item);
}

int FlowLayout::count() const {
    return items_.size();
}

QLayoutItem* FlowLayout::itemAt(int index) const {
    return items_.value(index);
}

QLayoutItem* FlowLayout::takeAt(int index) {
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

Qt::Orientations FlowLayout::expandingDirections() const {
    return {};
}

bool FlowLayout::hasHeightForWidth() const {
    return true;
}

int FlowLayout::heightForWidth(int width) const {
    return arrange(QRect(0, 0, width, 0), false);
}

QSize FlowLayout::minimumSize() const {
    // As narrow as the widest item: then every item has a row of its own.
    QSize size;
    for (const QLayoutItem* item : items_)
        size = size.expandedTo(item->minimumSize());
    const QMargins margins = contentsMargins();
    return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

QSize FlowLayout::sizeHint() const {
    // Everything on one row.
    int width = 0;
    int height = 0;
    for (const QLayoutItem* item : items_) {
        if (item->isEmpty())
            continue;
        width += (width > 0 ? spacing_ : 0) + item->sizeHint().width();
        height = std::max(height, item->sizeHint().height());
    }
    const QMargins margins = contentsMargins();
    return {width + margins.left() + margins.right(), height + margins.top() + margins.bottom()};
}

void FlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int FlowLayout::arrange(const QRect& rect, bool place) const {
    const QRect area = rect.marginsRemoved(contentsMargins());
    int x = area.x();
    int y = area.y();
    int rowHeight = 0;
    // Items of one row share its height; the last one of a row takes what is
    // left of the width, so a lone item fills a narrow place.
    QList<QLayoutItem*> row;
    const auto placeRow = [&](int right) {
        for (int i = 0; i < row.size(); ++i) {
            QLayoutItem* item = row[i];
            const QRect r = item->geometry();
            const int width = i + 1 == row.size() ? std::max(r.width(), right - r.x()) : r.width();
            item->setGeometry(
                QRect(r.x(), r.y(), std::min(width, item->maximumSize().width()), rowHeight));
        }
        row.clear();
    };
    for (QLayoutItem* item : items_) {
        if (item->isEmpty())
            continue;
        const QSize hint = item->sizeHint();
        const int width = std::min(hint.width(), area.width());
        if (x > area.x() && x + width > area.right() + 1) {
            if (place)
                placeRow(area.right() + 1);
            x = area.x();
            y += rowHeight + spacing_;
            rowHeight = 0;
        }
        const int height = item->hasHeightForWidth()
                               ? std::max(item->heightForWidth(width), item->minimumSize().height())
                               : hint.height();
        if (place) {
            item->setGeometry(QRect(x, y, width, height));
            row.append(item);
        }
        x += width + spacing_;
        rowHeight = std::max(rowHeight, height);
    }
    if (place)
        placeRow(area.right() + 1);
    const QMargins margins = contentsMargins();
    return y + rowHeight - rect.y() + margins.bottom();
}
