// The two progress lists of the Internet window: rows of two texts in their
// own colour (red for a failed step), text cut with "..." to fit its cell.
#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <vector>

#include "internet/scan_observer.h"

class QFontMetrics;

// 0x00BBGGRR, as the scan reports it.
QColor RowColor(std::uint32_t bgr);

class StatusListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    StatusListModel(const QString& firstHeader, const QString& secondHeader,
                    QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Qt::DisplayRole: the column's text; Qt::ForegroundRole: the row's colour.
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void AppendRow(const QString& first);
    void SetFirst(int row, const QString& text);
    void SetSecond(int row, const QString& text);
    void SetColor(int row, std::uint32_t bgr);
    void Clear();
    const std::vector<ScanRow>& Rows() const { return rows_; }

private:
    QString headers_[2];
    std::vector<ScanRow> rows_;
    bool Valid(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()); }
};

// text as drawn in a cell cellWidth wide: unchanged while it is narrower than
// the cell less 4 pixels, else cut from its end until it fits with "...".
QString ElideWithDots(const QString& text, const QFontMetrics& metrics, int cellWidth);

// Draws each cell in the row's colour (highlight colours when selected), the
// text 2 pixels in from the left and 1 down from the top, cut to fit.
class StatusRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

// A report-style list over a StatusListModel: single selection, headers that
// do not sort, the second column as wide as its longest status, new rows
// scrolled into view.
class StatusListView : public QTreeView {
    Q_OBJECT
public:
    explicit StatusListView(StatusListModel* model, QWidget* parent = nullptr);
    // Second column: "Solar Flux Data Not Located" + 16; first: the rest less 25.
    void SetColumnWidths();

protected:
    void resizeEvent(QResizeEvent* event) override;
};
