// "Data File Editor": every record in a list, edited, added, inserted and
// deleted in place.
#pragma once

#include <QAbstractTableModel>
#include <QDialog>

class QPushButton;
class QTableView;

// The records as the editor's list shows them, read on demand, so that the
// longest history opens at once.
class RecordTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void RowsInserted(int first, int count);
    void RowsRemoved(int first, int count);
    void RowChanged(int row);
};

class DataEditorDlg : public QDialog {
    Q_OBJECT
public:
    explicit DataEditorDlg(QWidget* parent = nullptr);

    int Modified() const { return modified_; }
    QTableView* List() const { return list_; }
    QPushButton* InsertButton() const { return insert_; }
    QPushButton* DeleteButton() const { return delete_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* DoneButton() const { return done_; }

    void OnEdit(int row);
    void OnAdd();
    void OnInsert();
    void OnDelete();

private:
    RecordTableModel* model_;
    QTableView* list_;
    QPushButton* insert_;
    QPushButton* delete_;
    QPushButton* add_;
    QPushButton* done_;
    int modified_ = 0;

    int SelectedRow() const;
    // The selected row and the count asked for (mode 0 insert, 1 delete);
    // false when nothing is selected (said so) or the count was cancelled.
    bool AskCountAfterSelection(int mode, int* row, int* count);
    void SelectRow(int row);
};
