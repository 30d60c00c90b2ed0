// A ScanObserver that keeps the rows, for the tests to read. Rows may be
// written by the scan's thread while the test's thread reads them.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "internet/scan_observer.h"

class RecordingObserver : public ScanObserver {
public:
    int OperationRowCount() override { return static_cast<int>(Operations().size()); }
    int AddOperationRow(const std::string& message) override { return Add(operations_, message); }
    void SetOperationMessage(int row, const std::string& message) override
    {
        Change(operations_, row, [&](ScanRow& r) { r.first = message; });
    }
    void SetOperationStatus(int row, const std::string& status) override
    {
        Change(operations_, row, [&](ScanRow& r) { r.second = status; });
    }
    void SetOperationColor(int row, std::uint32_t color) override
    {
        Change(operations_, row, [&](ScanRow& r) { r.color = color; });
    }
    void ClearFileRows() override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        files_.clear();
    }
    int AddFileRow(const std::string& fileName) override { return Add(files_, fileName); }
    void SetFileOperation(int row, const std::string& operation) override
    {
        Change(files_, row, [&](ScanRow& r) { r.second = operation; });
    }
    void SetFileColor(int row, std::uint32_t color) override
    {
        Change(files_, row, [&](ScanRow& r) { r.color = color; });
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

    int Add(std::vector<ScanRow>& rows, const std::string& first)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        rows.push_back({first, "", RowBlack});
        return static_cast<int>(rows.size()) - 1;
    }
    template <typename Edit>
    void Change(std::vector<ScanRow>& rows, int row, Edit edit)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        edit(rows.at(static_cast<std::size_t>(row)));
    }
};
