#include "ui/list_scan_observer.h"

#include "ui/status_list.h"

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

ListScanObserver::ListScanObserver(StatusListModel* operations, StatusListModel* files,
                                   QObject* parent)
    : QObject(parent), operations_(operations), files_(files)
{
    operationRows_ = operations_->rowCount();
    fileRows_ = files_->rowCount();
}

void ListScanObserver::Post(std::function<void()> change)
{
    QMetaObject::invokeMethod(this, std::move(change), Qt::QueuedConnection);
}

int ListScanObserver::OperationRowCount()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return operationRows_;
}

int ListScanObserver::AddOperationRow(const std::string& message)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Post([this, text = Q(message)] { operations_->AppendRow(text); });
    return operationRows_++;
}

void ListScanObserver::SetOperationMessage(int row, const std::string& message)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Post([this, row, text = Q(message)] { operations_->SetFirst(row, text); });
}

void ListScanObserver::SetOperationStatus(int row, const std::string& status)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Post([this, row, text = Q(status)] { operations_->SetSecond(row, text); });
}

void ListScanObserver::SetOperationColor(int row, std::uint32_t color)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Post([this, row, color] { operations_->SetColor(row, color); });
}

void ListScanObserver::ClearFileRows()
{
    std::lock_guard<std::mutex> lock(mutex_);
    fileRows_ = 0;
    Post([this] { files_->Clear(); });
}

int ListScanObserver::AddFileRow(const std::string& fileName)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Post([this, text = Q(fileName)] { files_->AppendRow(text); });
    return fileRows_++;
}

void ListScanObserver::SetFileOperation(int row, const std::string& operation)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Post([this, row, text = Q(operation)] { files_->SetSecond(row, text); });
}

void ListScanObserver::SetFileColor(int row, std::uint32_t color)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Post([this, row, color] { files_->SetColor(row, color); });
}
