#pragma once

#include <QHeaderView>
#include <QPointer>
#include <QTableView>

class QTableWidget;

namespace gw {

// The first column of a wide table (the year), kept in view while the rest
// scrolls sideways: a view of the same model that shows only that column,
// laid over the table's left edge and scrolled with it. It shares the
// table's selection and hands it the focus; make it once the table's
// selection mode and focus policy are set.
class FrozenColumn : public QTableView {
    Q_OBJECT
public:
    explicit FrozenColumn(QTableWidget* table);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showFirstColumnOnly();
    void follow();

    QTableWidget* table_;
    // Gone first when the table is destroyed, while its model still reports.
    QPointer<QHeaderView> columns_;
    QPointer<QHeaderView> rows_;
};

} // namespace gw
