#pragma once

#include <QHeaderView>

#include <vector>

class QAbstractScrollArea;

namespace gw {

// Horizontal head of a result table. Column captions wrap over as many
// lines as they need; above them an optional row of group captions, each
// spanning the run of adjacent columns that share a group id. A column
// without a group shows its caption over both rows.
class GroupedHeader : public QHeaderView {
    Q_OBJECT
public:
    // Header data of the model, per column.
    static constexpr int kGroupRole = Qt::UserRole + 1;    // QString
    static constexpr int kGroupIdRole = Qt::UserRole + 2;  // int, -1 for none
    static constexpr int kBaseWidthRole = Qt::UserRole + 3;  // int pixels

    // `table`: the table the head belongs to (its parent).
    explicit GroupedHeader(QAbstractScrollArea* table);

    // Whether the columns after the first share out the table's width.
    void setFillsWidth(bool fills) { fillsWidth_ = fills; }
    bool fillsWidth() const { return fillsWidth_; }

    // The widths the columns need for their figures. A head that fills the
    // width stretches them over a table wide enough for all, and otherwise
    // keeps them at these widths and lets the table scroll sideways: the
    // table never asks its window for more room, and no figure is cut.
    void setNeededWidths(std::vector<int> widths);
    // The needed widths do not fit: the table scrolls sideways.
    bool scrollsSideways() const { return scrolls_; }

    // Recomputes the height the captions need at the current widths.
    void updateHeight();
    QSize sizeHint() const override;

signals:
    void heightChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    void fitWidths();
    int groupId(int logicalIndex) const;
    QString text(int logicalIndex, int role) const;

    int height_ = 0;
    int groupRow_ = 0;  // height of the group row, 0 without groups
    bool fillsWidth_ = false;
    bool heightPending_ = false;
    std::vector<int> needed_;
    bool scrolls_ = false;
};

} // namespace gw
