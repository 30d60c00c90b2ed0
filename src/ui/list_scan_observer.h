// The Internet window's side of the scan: every row the scan adds or changes
// reaches the two list models on the window's thread, in the order the calls
// were made. The scan never waits for the window, so the window may wait for
// the scan (Stop, closing) without either of them standing still.
#pragma once

#include <QObject>
#include <functional>
#include <mutex>

#include "internet/scan_observer.h"

class StatusListModel;

class ListScanObserver : public QObject, public ScanObserver {
    Q_OBJECT
public:
    // Both models live on this object's thread (the window's).
    ListScanObserver(StatusListModel* operations, StatusListModel* files,
                     QObject* parent = nullptr);

    int OperationRowCount() override;
    int AddOperationRow(const std::string& message) override;
    void SetOperationMessage(int row, const std::string& message) override;
    void SetOperationStatus(int row, const std::string& status) override;
    void SetOperationColor(int row, std::uint32_t color) override;

    void ClearFileRows() override;
    int AddFileRow(const std::string& fileName) override;
    void SetFileOperation(int row, const std::string& operation) override;
    void SetFileColor(int row, std::uint32_t color) override;

private:
    StatusListModel* operations_;
    StatusListModel* files_;
    // The row counts as the calls made so far will leave them; the models
    // catch up when the window's thread runs the posted changes.
    std::mutex mutex_;
    int operationRows_ = 0;
    int fileRows_ = 0;

    // Queues change for the window's thread; called with mutex_ held, so
    // changes from two threads arrive in the order their rows were counted.
    void Post(std::function<void()> change);
};
