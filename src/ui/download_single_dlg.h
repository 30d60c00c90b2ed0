// "Download Single File": which bulletin (year and number, or one picked
// from the known ones) and what to do with it once fetched.
#pragma once

#include <QDialog>

#include "internet/bulletin_dispositions.h"

class CheckedFileList;
class QCheckBox;
class QLineEdit;
class QPushButton;

class DownloadSingleDlg : public QDialog {
    Q_OBJECT
public:
    // currentYear: the latest year that may be asked for (this year).
    DownloadSingleDlg(const CheckedFileList& list, int currentYear, QWidget* parent = nullptr);

    int Year() const;
    int Number() const;
    BulletinDispositions Dispositions() const;

    QLineEdit* YearField() const { return year_; }
    QLineEdit* NumberField() const { return number_; }
    QCheckBox* SaveBox() const { return save_; }
    QCheckBox* ViewBox() const { return view_; }
    QCheckBox* AddBox() const { return add_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* BrowseButton() const { return browse_; }

    void OnBrowse();

protected:
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    const CheckedFileList& list_;
    int currentYear_;
    QLineEdit* year_;
    QLineEdit* number_;
    QCheckBox* save_;
    QCheckBox* view_;
    QCheckBox* add_;
    QPushButton* browse_;
    QPushButton* ok_;
    QPushButton* cancel_;

    void UpdateOk();
};
