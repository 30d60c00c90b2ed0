// "Available Bulletin Files": the checked-file list, one row per name, each
// marked keep (blue check) or remove (red cross); OK rebuilds the list from
// the kept rows and saves FNAMES.DAT. Any row can be fetched to save or view.
#pragma once

#include <QDialog>
#include <string>

#include "ui/state_icons.h"

class CheckedFileList;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

class BulletinFilesDlg : public QDialog {
    Q_OBJECT
public:
    // fnamesPath: where OK saves the list.
    BulletinFilesDlg(CheckedFileList& list, std::string fnamesPath, QWidget* parent = nullptr);

    QTreeWidget* List() const { return list_; }
    QMenu* ContextMenu() const { return menu_; }
    FileState RowState(int row) const;

    void CheckAll() { SetAllStates(FileState::Keep); }
    void UncheckAll() { SetAllStates(FileState::Remove); }
    // Toggles the first selected row: remove becomes keep, anything else remove.
    void ChangeState();
    void DownloadAndSave();
    void DownloadAndView();

    void accept() override;

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CheckedFileList& checked_;
    std::string fnamesPath_;
    QTreeWidget* list_;
    QMenu* menu_;

    void SetAllStates(FileState state);
    void SetRowState(QTreeWidgetItem* row, FileState state);
    QTreeWidgetItem* FirstSelectedRow() const;
    std::string FirstSelectedName() const;
};
