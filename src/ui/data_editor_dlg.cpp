#include "ui/data_editor_dlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <cstdio>
#include <vector>

#include "config/plot_settings.h"
#include "data/number_text.h"
#include "data/prompt.h"
#include "data/record_array.h"
#include "ui/record_dlg.h"
#include "plot/plot_state.h"

int RecordTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Records().RecordCount();
}

int RecordTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::TextAlignmentRole)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    std::string date;
    int spots = 0;
    double flux = 0.0;
    if (Records().GetRecordValues(index.row(), &date, &spots, &flux) != 0)
        return {};
    char text[32];
    switch (index.column()) {
    case 0:
        return QString::fromStdString(date);
    case 1:
        std::snprintf(text, sizeof text, "%3d", spots);
        return QString::fromLatin1(text);
    default:
        return QString::fromStdString(FormatFixed(flux, 5, 1));
    }
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* titles[] = {"Date", "Sun Spots", "Solar Flux"};
    return QString(titles[section]);
}

void RecordTableModel::RowsInserted(int first, int count)
{
    beginInsertRows({}, first, first + count - 1);
    endInsertRows();
}

void RecordTableModel::RowsRemoved(int first, int count)
{
    beginRemoveRows({}, first, first + count - 1);
    endRemoveRows();
}

void RecordTableModel::RowChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, 2));
}

DataEditorDlg::DataEditorDlg(QWidget* parent)
    : QDialog(parent), model_(new RecordTableModel(this)), list_(new QTableView(this)),
      insert_(new QPushButton("Insert", this)), delete_(new QPushButton("Delete", this)),
      add_(new QPushButton("Add", this)), done_(new QPushButton("Done", this))
{
    setWindowTitle("Data File Editor");
    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    // Rows of one height need no measuring: a long history opens at once.
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
    list_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {insert_, delete_, add_, done_}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    connect(list_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { OnEdit(index.row()); });
    connect(insert_, &QPushButton::clicked, this, &DataEditorDlg::OnInsert);
    connect(delete_, &QPushButton::clicked, this, &DataEditorDlg::OnDelete);
    connect(add_, &QPushButton::clicked, this, &DataEditorDlg::OnAdd);
    connect(done_, &QPushButton::clicked, this, &QDialog::accept);
    resize(420, 520);
}

int DataEditorDlg::SelectedRow() const
{
    const QModelIndexList rows = list_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void DataEditorDlg::SelectRow(int row)
{
    list_->selectRow(row);
    list_->scrollTo(model_->index(row, 0));
}

void DataEditorDlg::OnEdit(int row)
{
    std::string date;
    int spots = 0;
    double flux = 0.0;
    if (Records().GetRecordValues(row, &date, &spots, &flux) != 0)
        return;
    RecordDlg dialog(0, QString::fromStdString(date), spots,
                     QString::fromStdString(FormatFixed(flux, 0, 2)), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Records().SetRecordValues(row, dialog.Date().toStdString(), dialog.Sunspots(),
                              ParseLeadingDouble(dialog.FluxText().toStdString()));
    model_->RowChanged(row);
    SelectRow(row);
    modified_ = 1;
}

void DataEditorDlg::OnAdd()
{
    RecordDlg dialog(1, QString(), 0, "0", this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int row = Records().RecordCount();
    Records().AppendRecord(SolarRecord(dialog.Date().toStdString(), dialog.Sunspots(),
                                       ParseLeadingDouble(dialog.FluxText().toStdString()), 0, 0));
    model_->RowsInserted(row, 1);
    SelectRow(row);
    modified_ = 1;
}

bool DataEditorDlg::AskCountAfterSelection(int mode, int* row, int* count)
{
    *row = SelectedRow();
    if (*row < 0) {
        Prompt().MessageBox("Select A Record in List Box First!", "No Record Selected",
                            PromptIcon::Stop, PromptButtons::Ok);
        return false;
    }
    RecordCountDlg dialog(mode, model_->index(*row, 0).data().toString(), this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *count = dialog.Count();
    return true;
}

void DataEditorDlg::OnInsert()
{
    int row = 0, count = 0;
    if (!AskCountAfterSelection(0, &row, &count))
        return;
    WaitCursor wait;
    const std::vector<SolarRecord> blanks(static_cast<std::size_t>(count),
                                          SolarRecord(BlankRecordDate, 0, 0.0, 0, 0));
    Records().InsertRecords(row + 1, blanks.data(), count);
    model_->RowsInserted(row + 1, count);
    Plot().CloseupEnd += count;
    modified_ = 1;
}

void DataEditorDlg::OnDelete()
{
    int row = 0, asked = 0;
    if (!AskCountAfterSelection(1, &row, &asked))
        return;
    WaitCursor wait;
    // Only the records after the selected one can go.
    const int count = std::min(asked, Records().RecordCount() - row - 1);
    if (count <= 0)
        return;
    Records().RemoveRecords(row + 1, count);
    model_->RowsRemoved(row + 1, count);
    int& end = Plot().CloseupEnd;
    end -= count;
    if (end < Settings().CloseDays)
        end = std::min(Settings().CloseDays, Records().RecordCount());
    modified_ = 1;
}
