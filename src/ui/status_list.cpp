#include "ui/status_list.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>

QColor RowColor(std::uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

StatusListModel::StatusListModel(const QString& firstHeader, const QString& secondHeader,
                                 QObject* parent)
    : QAbstractTableModel(parent), headers_{firstHeader, secondHeader}
{
}

int StatusListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int StatusListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant StatusListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !Valid(index.row()))
        return {};
    const ScanRow& row = rows_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return QString::fromStdString(index.column() == 0 ? row.first : row.second);
    if (role == Qt::ForegroundRole)
        return RowColor(row.color);
    return {};
}

QVariant StatusListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 2)
        return headers_[section];
    return {};
}

void StatusListModel::AppendRow(const QString& first)
{
    const int row = static_cast<int>(rows_.size());
    beginInsertRows({}, row, row);
    rows_.push_back({first.toStdString(), {}, RowBlack});
    endInsertRows();
}

void StatusListModel::SetFirst(int row, const QString& text)
{
    if (!Valid(row))
        return;
    rows_[static_cast<std::size_t>(row)].first = text.toStdString();
    emit dataChanged(index(row, 0), index(row, 0));
}

void StatusListModel::SetSecond(int row, const QString& text)
{
    if (!Valid(row))
        return;
    rows_[static_cast<std::size_t>(row)].second = text.toStdString();
    emit dataChanged(index(row, 1), index(row, 1));
}

void StatusListModel::SetColor(int row, std::uint32_t bgr)
{
    if (!Valid(row))
        return;
    rows_[static_cast<std::size_t>(row)].color = bgr;
    emit dataChanged(index(row, 0), index(row, 1), {Qt::ForegroundRole});
}

void StatusListModel::Clear()
{
    beginResetModel();
    rows_.clear();
    endResetModel();
}

QString ElideWithDots(const QString& text, const QFontMetrics& metrics, int cellWidth)
{
    const int room = cellWidth - 4;
    if (metrics.horizontalAdvance(text) < room)
        return text;
    QString kept = text;
    while (!kept.isEmpty() && metrics.horizontalAdvance(kept + "...") >= room)
        kept.chop(1);
    return kept + "...";
}

void StatusRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const QRect cell = option.rect;
    painter->save();
    painter->fillRect(cell, selected ? option.palette.highlight() : option.palette.base());
    painter->setPen(selected ? option.palette.highlightedText().color()
                             : index.data(Qt::ForegroundRole).value<QColor>());
    painter->setFont(option.font);
    painter->setClipRect(cell);
    const QString text = ElideWithDots(index.data(Qt::DisplayRole).toString(),
                                       option.fontMetrics, cell.width());
    painter->drawText(cell.adjusted(2, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      text);
    painter->restore();
}

StatusListView::StatusListView(StatusListModel* model, QWidget* parent) : QTreeView(parent)
{
    setModel(model);
    setItemDelegate(new StatusRowDelegate(this));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);  // the focus rectangle spans the row
    setTextElideMode(Qt::ElideNone);  // the delegate cuts the text itself
    header()->setSectionsClickable(false);
    header()->setStretchLastSection(false);
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int, int last) { scrollTo(this->model()->index(last, 0)); });
    SetColumnWidths();
}

void StatusListView::SetColumnWidths()
{
    const int second = fontMetrics().horizontalAdvance("Solar Flux Data Not Located") + 16;
    setColumnWidth(1, second);
    setColumnWidth(0, std::max(0, width() - second - 25));
}

void StatusListView::resizeEvent(QResizeEvent* event)
{
    QTreeView::resizeEvent(event);
    SetColumnWidths();
}
