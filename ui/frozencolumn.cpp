#include "frozencolumn.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

namespace gw {

FrozenColumn::FrozenColumn(QTableWidget* table)
    : QTableView(table), table_(table), columns_(table->horizontalHeader()), rows_(table->verticalHeader())
{
    setObjectName(table->objectName() + QStringLiteral("_FrozenColumn"));
    setModel(table->model());
    // One selection with the table, which a click here gives the focus to.
    QItemSelectionModel* own = selectionModel();
    setSelectionModel(table->selectionModel());
    delete own;
    setSelectionMode(table->selectionMode());
    setSelectionBehavior(table->selectionBehavior());
    setFocusPolicy(table->focusPolicy());
    setFocusProxy(table);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultAlignment(table->horizontalHeader()->defaultAlignment());
    horizontalHeader()->setTextElideMode(Qt::ElideNone);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    // Pixel scrolling on both, or the rows would drift apart.
    table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

    connect(table->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(), &QScrollBar::setValue);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, table->verticalScrollBar(), &QScrollBar::setValue);
    connect(table->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { follow(); });
    connect(table->horizontalHeader(), &QHeaderView::geometriesChanged, this, [this] { follow(); });
    connect(table->verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int size) { setRowHeight(row, size); });
    QAbstractItemModel* m = table->model();
    connect(m, &QAbstractItemModel::columnsInserted, this, [this] { showFirstColumnOnly(); });
    connect(m, &QAbstractItemModel::columnsRemoved, this, [this] { showFirstColumnOnly(); });
    connect(m, &QAbstractItemModel::modelReset, this, [this] { showFirstColumnOnly(); });
    table->installEventFilter(this);

    table->viewport()->stackUnder(this);
    showFirstColumnOnly();
}

bool FrozenColumn::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == table_ && (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest))
        follow();
    return QTableView::eventFilter(watched, event);
}

void FrozenColumn::showFirstColumnOnly()
{
    for (int c = 0; c < model()->columnCount(); ++c)
        setColumnHidden(c, c != 0);
    follow();
}

void FrozenColumn::follow()
{
    if (!columns_ || !rows_ || model()->columnCount() == 0)
        return;
    const int width = table_->columnWidth(0);
    setColumnWidth(0, width);
    for (int r = 0; r < model()->rowCount(); ++r) {
        if (rowHeight(r) != table_->rowHeight(r))
            setRowHeight(r, table_->rowHeight(r));
    }
    const int head = table_->horizontalHeader()->height();
    horizontalHeader()->setFixedHeight(head);
    const int frame = table_->frameWidth();
    setGeometry(frame, frame, width, head + table_->viewport()->height());
    verticalScrollBar()->setValue(table_->verticalScrollBar()->value());
    // Only a table that scrolls sideways needs it.
    setVisible(table_->horizontalScrollBar()->maximum() > 0);
}

} // namespace gw
