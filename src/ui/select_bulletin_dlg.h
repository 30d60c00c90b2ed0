// "Select Bulletin File": the bulletins the checked-file list knows, as a
// tree of years; OK gives the chosen item's text ("2002-ARLP-005").
#pragma once

#include <QDialog>

class CheckedFileList;
class QPushButton;
class QTreeWidget;

class SelectBulletinDlg : public QDialog {
    Q_OBJECT
public:
    explicit SelectBulletinDlg(const CheckedFileList& list, QWidget* parent = nullptr);

    // The chosen item's text after OK; empty for a year node or no choice.
    QString Text() const { return text_; }

    QTreeWidget* Tree() const { return tree_; }
    QPushButton* ExpandAllButton() const { return expand_; }
    QPushButton* CollapseAllButton() const { return collapse_; }
    QPushButton* RefreshButton() const { return refresh_; }

    void accept() override;

protected:
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QTreeWidget* tree_;
    QPushButton* expand_;
    QPushButton* collapse_;
    QPushButton* refresh_;
    QString text_;

    void SetAllExpanded(bool expanded);
    void OnRefresh();
};

// The text of the notice Refresh From Net shows.
extern const char* const RefreshNoticeText;
