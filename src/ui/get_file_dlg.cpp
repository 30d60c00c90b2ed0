#include "ui/get_file_dlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "internet/private_files.h"

GetFileDlg::GetFileDlg(FetchRequest request, QWidget* parent)
    : QDialog(parent), request_(std::move(request)), title_(new QLabel(this)),
      button_(new QPushButton("Abort", this)), start_(new QTimer(this))
{
    setWindowTitle("Getting File From Server ...");
    title_->setText(QString("Retrieving %1 from FTP server ....")
                        .arg(QString::fromStdString(request_.fileName)));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    auto* steps = new QGridLayout;
    const char* names[4] = {"Initializing:", "Connecting To Server:", "Getting file:",
                            "Closing Session:"};
    for (int i = 0; i < 4; ++i) {
        steps->addWidget(new QLabel(names[i], this), i, 0);
        status_[i] = new QLabel(this);
        status_[i]->setMinimumWidth(120);
        steps->addWidget(status_[i], i, 1);
    }
    steps->setColumnStretch(1, 1);
    steps->setHorizontalSpacing(16);
    layout->addLayout(steps);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(button_);
    row->addStretch();
    layout->addLayout(row);
    setMinimumWidth(360);

    connect(button_, &QPushButton::clicked, this, &GetFileDlg::reject);
    start_->setSingleShot(true);
    connect(start_, &QTimer::timeout, this, &GetFileDlg::StartFetch);
    start_->start(100);
}

GetFileDlg::~GetFileDlg()
{
    abort_.store(true);
    if (worker_.joinable())
        worker_.join();
}

std::unique_ptr<PrivateTempFile> GetFileDlg::TakeFetchedFile()
{
    if (result() != QDialog::Accepted)
        return nullptr;
    return std::move(file_);
}

void GetFileDlg::StartFetch()
{
    file_ = std::make_unique<PrivateTempFile>();
    if (!file_->IsOpen()) {
        status_[static_cast<int>(FetchStep::Initializing)]->setText("Starting");
        status_[static_cast<int>(FetchStep::GettingFile)]->setText("Transfer Failed");
        FetchEnded(FetchOutcome::Failed);
        return;
    }
    // The worker's reports reach the labels on this thread; queued calls to
    // a dialog that is gone are dropped by Qt, and the worker never outlives it.
    const FetchStepReport report = [this](FetchStep step, const std::string& status) {
        const QString text = QString::fromStdString(status);
        QMetaObject::invokeMethod(
            this, [this, step, text] { status_[static_cast<int>(step)]->setText(text); },
            Qt::QueuedConnection);
    };
    worker_ = std::thread([this, report] {
        const FetchOutcome outcome = FetchBulletin(request_, *file_, abort_, report);
        QMetaObject::invokeMethod(this, [this, outcome] { FetchEnded(outcome); },
                                  Qt::QueuedConnection);
    });
}

void GetFileDlg::FetchEnded(FetchOutcome outcome)
{
    if (worker_.joinable())
        worker_.join();
    if (outcome == FetchOutcome::Fetched && !closing_) {
        accept();
        return;
    }
    file_.reset();  // nothing to hand on: the temporary file goes now
    if (closing_ || outcome == FetchOutcome::Aborted) {
        QDialog::reject();
        return;
    }
    failed_ = true;
    button_->setText("Done");
    button_->setEnabled(true);
}

void GetFileDlg::reject()
{
    if (start_->isActive()) {
        start_->stop();  // closed before the fetch began
        QDialog::reject();
        return;
    }
    if (Fetching()) {
        Abort();
        return;
    }
    QDialog::reject();
}

void GetFileDlg::Abort()
{
    // The fetch notices within about a second; its end closes the window.
    closing_ = true;
    button_->setEnabled(false);
    abort_.store(true);
}
