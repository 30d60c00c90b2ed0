// "Getting File From Server ...": fetches one bulletin on a worker thread
// while its four step lines show how far it got. Abort (or Escape, or the
// close box) ends the fetch within about a second; after a failure the
// button reads "Done" and closes the window.
#pragma once

#include <QDialog>
#include <atomic>
#include <memory>
#include <thread>

#include "internet/single_bulletin.h"

class QLabel;
class QPushButton;
class QTimer;
class PrivateTempFile;

class GetFileDlg : public QDialog {
    Q_OBJECT
public:
    // Fetches request.fileName from its year folder on request.site.
    explicit GetFileDlg(FetchRequest request, QWidget* parent = nullptr);
    ~GetFileDlg() override;

    // Set when the fetch failed (the dialog then stays open with "Done").
    bool Failed() const { return failed_; }
    // After an accepted run: the fetched file, which the caller now owns.
    // Otherwise null; a file the dialog keeps is removed with it.
    std::unique_ptr<PrivateTempFile> TakeFetchedFile();

    QLabel* TitleLine() const { return title_; }
    QLabel* StepStatus(FetchStep step) const { return status_[static_cast<int>(step)]; }
    QPushButton* Button() const { return button_; }
    bool Fetching() const { return worker_.joinable(); }

    void reject() override;

private:
    FetchRequest request_;
    QLabel* title_;
    QLabel* status_[4];
    QPushButton* button_;
    QTimer* start_;
    std::unique_ptr<PrivateTempFile> file_;
    std::thread worker_;
    std::atomic<bool> abort_{false};
    bool failed_ = false;
    bool closing_ = false;  // the user asked to close while the fetch ran

    void StartFetch();
    void FetchEnded(FetchOutcome outcome);
    void Abort();
};
