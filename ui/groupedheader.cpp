#include "groupedheader.h"

#include <QAbstractScrollArea>
#include <QFontMetrics>
#include <QMetaObject>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionHeader>

#include <algorithm>

namespace gw {

namespace {

// Centred captions that wrap between words (the styles take text flags in
// the alignment).
const Qt::Alignment kWrappedCentre = Qt::Alignment::fromInt(Qt::AlignCenter | Qt::TextWordWrap);

int headMargin(const QWidget& w)
{
    return std::max(2, w.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &w));
}

} // namespace

GroupedHeader::GroupedHeader(QAbstractScrollArea* table) : QHeaderView(Qt::Horizontal, table)
{
    setDefaultAlignment(kWrappedCentre);
    setTextElideMode(Qt::ElideNone);
    setSectionsClickable(false);
    setHighlightSections(false);
    // A column the user widens may need fewer caption lines; measured once
    // the drag has been handled.
    connect(this, &QHeaderView::sectionResized, this, [this] {
        if (heightPending_)
            return;
        heightPending_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                heightPending_ = false;
                updateHeight();
            },
            Qt::QueuedConnection);
    });
    // Group captions sit in the visible part of their run, which scrolling
    // changes.
    if (table)
        connect(table->horizontalScrollBar(), &QScrollBar::valueChanged, viewport(), [this] { viewport()->update(); });
}

int GroupedHeader::groupId(int logicalIndex) const
{
    const QVariant id = model() ? model()->headerData(logicalIndex, Qt::Horizontal, kGroupIdRole) : QVariant();
    return id.isValid() ? id.toInt() : -1;
}

QString GroupedHeader::text(int logicalIndex, int role) const
{
    return model() ? model()->headerData(logicalIndex, Qt::Horizontal, role).toString() : QString();
}

void GroupedHeader::updateHeight()
{
    const QFontMetrics fm(font());
    const int margin = headMargin(*this);
    bool groups = false;
    for (int i = 0; i < count(); ++i)
        groups = groups || groupId(i) >= 0;
    const int groupRow = groups ? fm.height() + 2 * margin : 0;
    int captions = fm.height();
    for (int i = 0; i < count(); ++i) {
        const int width = std::max(1, sectionSize(i) - 2 * margin);
        int need = fm.boundingRect(QRect(0, 0, width, 100000), Qt::AlignCenter | Qt::TextWordWrap,
                                   text(i, Qt::DisplayRole))
                       .height();
        if (groups && groupId(i) < 0)
            need -= groupRow;  // the caption has the group row as well
        captions = std::max(captions, need);
    }
    const int height = groupRow + captions + 2 * margin;
    if (height != height_ || groupRow != groupRow_) {
        height_ = height;
        groupRow_ = groupRow;
        updateGeometry();
        viewport()->update();
        emit heightChanged();
    }
}

void GroupedHeader::setNeededWidths(std::vector<int> widths)
{
    needed_ = std::move(widths);
    fitWidths();
}

void GroupedHeader::resizeEvent(QResizeEvent* event)
{
    QHeaderView::resizeEvent(event);
    if (fillsWidth_)
        fitWidths();
}

void GroupedHeader::fitWidths()
{
    const int columns = std::min(count(), static_cast<int>(needed_.size()));
    int total = 0;
    for (int c = 0; c < columns; ++c)
        total += needed_[static_cast<std::size_t>(c)];
    const bool scrolls = !fillsWidth_ || total > width();
    for (int c = 0; c < columns; ++c) {
        const QHeaderView::ResizeMode mode = scrolls || c == 0 ? QHeaderView::Interactive : QHeaderView::Stretch;
        if (sectionResizeMode(c) != mode)
            setSectionResizeMode(c, mode);
        const int width = needed_[static_cast<std::size_t>(c)];
        if (mode == QHeaderView::Interactive && sectionSize(c) != width)
            resizeSection(c, width);
    }
    if (fillsWidth_ && scrolls != scrolls_) {
        scrolls_ = scrolls;
        emit heightChanged();  // the scroll bar takes room under the rows
    }
}

QSize GroupedHeader::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    if (height_ > 0)
        size.setHeight(height_);
    return size;
}

void GroupedHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.section = logicalIndex;
    option.textAlignment = kWrappedCentre;
    option.position = QStyleOptionHeader::Middle;
    option.sortIndicator = QStyleOptionHeader::None;

    QRect captionRect = rect;
    const int id = groupId(logicalIndex);
    if (groupRow_ > 0 && id >= 0) {
        // The group cell is drawn across its whole run and clipped to this
        // section, so that the pieces join into one cell.
        int first = logicalIndex;
        int last = logicalIndex;
        while (first > 0 && groupId(first - 1) == id)
            --first;
        while (last + 1 < count() && groupId(last + 1) == id)
            ++last;
        const int left = sectionViewportPosition(first);
        const int right = sectionViewportPosition(last) + sectionSize(last);
        QStyleOptionHeader group = option;
        group.rect = QRect(left, rect.top(), right - left, groupRow_);
        group.text = text(logicalIndex, kGroupRole);
        group.textAlignment = Qt::AlignCenter;
        painter->save();
        painter->setClipRect(QRect(rect.left(), rect.top(), rect.width(), groupRow_), Qt::IntersectClip);
        style()->drawControl(QStyle::CE_HeaderSection, &group, painter, this);
        // The caption is centred on the part of the run in view, so that a
        // wide group scrolled half away still shows it.
        const int viewLeft = std::max(left, 0);
        const int viewRight = std::min(right, viewport()->width());
        group.rect = QRect(viewLeft, rect.top(), std::max(viewRight - viewLeft, 0), groupRow_);
        style()->drawControl(QStyle::CE_HeaderLabel, &group, painter, this);
        painter->restore();
        captionRect.setTop(rect.top() + groupRow_);
    }
    option.rect = captionRect;
    option.text = text(logicalIndex, Qt::DisplayRole);
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
}

} // namespace gw
