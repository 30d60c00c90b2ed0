// A ScanObserver that keeps the rows, for the tests to read. Rows may be
// written by the scan's thread while the test's thread reads them.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "internet/scan_observer.h"

class RecordingObserver : public ScanObserver {
public:
    int OperationRowCount() override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return static_cast<int>(operations_.size());
    }
    int AddOperationRow(const std::string& message) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        operations_.push_back({message, "", RowBlack});
        return static_cast<int>(operations_.size()) - 1;
    }
    void SetOperationMessage(int row, const std::string& message) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        operations_.at(static_cast<std::size_t>(row)).first = message;
    }
    void SetOperationStatus(int row, const std::string& status) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        operations_.at(static_cast<std::size_t>(row)).second = status;
    }
    void SetOperationColor(int row, std::uint32_t color) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        operations_.at(static_cast<std::size_t>(row)).color = color;
    }
    void ClearFileRows() override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        files_.clear();
    }
    int AddFileRow(const std::string& fileName) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        files_.push_back({fileName, "", RowBlack});
        return static_cast<int>(files_.size()) - 1;
    }
    void SetFileOperation(int row, const std::string& operation) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        files_.at(static_cast<std::size_t>(row)).second = operation;
    }
    void SetFileColor(int row, std::uint32_t color) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        files_.at(static_cast<std::size_t>(row)).color = color;
    }

    std::vector<ScanRow> Operations() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return operations_;
    }
    std::vector<ScanRow> Files() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return files_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<ScanRow> operations_;
    std::vector<ScanRow> files_;
};
