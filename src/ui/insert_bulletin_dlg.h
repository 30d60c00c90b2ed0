// "Insert Propagation Forecast Data Into Data File": pick a bulletin, see its
// days, settle dates already stored, and merge.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "bulletin/bulletin_parser.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;

class InsertBulletinDlg : public QDialog {
    Q_OBJECT
public:
    InsertBulletinDlg(int validate, QWidget* parent = nullptr);

    int Validate() const;
    QPushButton* SelectButton() const { return select_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* HelpButton() const { return help_; }
    QCheckBox* ValidateBox() const { return validate_; }
    QTreeWidget* List() const { return list_; }
    QLineEdit* PathField() const { return path_; }
    QLabel* StatusText() const { return status_; }
    QProgressBar* ProgressBar() const { return progress_; }
    // True when the listed days came from the lenient reading.
    bool ReadLeniently() const { return readLeniently_; }

    // The duplicates question (the real dialog unless a test replaces it):
    // 0 ignore, 1 replace, nothing for Cancel.
    std::function<std::optional<int>()> askDuplicatePolicy;

    void OnSelect();
    void accept() override;
    // What the merge on OK did.
    const MergeCounts& Merged() const { return merged_; }

protected:
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    BulletinParser parser_;
    bool readLeniently_ = false;
    MergeCounts merged_;
    QPushButton* select_;
    QLineEdit* path_;
    QTreeWidget* list_;
    QCheckBox* validate_;
    QLabel* status_;
    QProgressBar* progress_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* help_;

    void FillList();
    void CheckDuplicates();
};

// The file chooser's starting point: PFBPath + "*" + PFBType.
std::string BulletinChooserStart();
inline constexpr const char* BulletinFileFilter = "Text Files (*.TXT *.txt);;All Files (*)";
