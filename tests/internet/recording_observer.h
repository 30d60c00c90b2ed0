// A ScanObserver that keeps the rows for the tests; the scan's thread may
// write them while the test's thread reads.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "internet/scan_observer.h"

class RecordingObserver : public ScanObserver {
public:
    int OperationRowCount() override { return static_cast<int>(Operations().size()); }
    int AddOperationRow(const std::string& message) override { return Add(operations_, message); }
    void SetOperationMessage(int row, const std::string& m) override { Edit(operations_, row)->first = m; }
    void SetOperationStatus(int row, const std::string& s) override { Edit(operations_, row)->second = s; }
    void SetOperationColor(int row, std::uint32_t c) override { Edit(operations_, row)->color = c; }
    void ClearFileRows() override
    {
        std::lock_guard lock(mutex_);
        files_.clear();
    }
    int AddFileRow(const std::string& fileName) override { return Add(files_, fileName); }
    void SetFileOperation(int row, const std::string& op) override { Edit(files_, row)->second = op; }
    void SetFileColor(int row, std::uint32_t c) override { Edit(files_, row)->color = c; }

    std::vector<ScanRow> Operations() const { return Copy(operations_); }
    std::vector<ScanRow> Files() const { return Copy(files_); }

private:
    mutable std::mutex mutex_;
    std::vector<ScanRow> operations_, files_;

    int Add(std::vector<ScanRow>& rows, const std::string& first)
    {
        std::lock_guard lock(mutex_);
        rows.push_back({first, "", RowBlack});
        return static_cast<int>(rows.size()) - 1;
    }
    std::vector<ScanRow> Copy(const std::vector<ScanRow>& rows) const
    {
        std::lock_guard lock(mutex_);
        return rows;
    }
    // The row, held under the lock to the end of the statement.
    struct Locked {
        std::unique_lock<std::mutex> lock;
        ScanRow* row;
        ScanRow* operator->() const { return row; }
    };
    Locked Edit(std::vector<ScanRow>& rows, int row)
    {
        std::unique_lock lock(mutex_);
        return {std::move(lock), &rows.at(static_cast<std::size_t>(row))};
    }
};
