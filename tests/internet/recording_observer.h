// A ScanObserver keeping "first | second[ | red]" lines, written by the scan's thread.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "internet/scan_observer.h"

class RecordingObserver : public ScanObserver {
public:
    int OperationRowCount() override { return static_cast<int>(Operations().size()); }
    int AddOperationRow(const std::string& message) override { return Add(operations_, message); }
    void SetOperationMessage(int row, const std::string& m) override
    {
        Edit(operations_, row, [&](ScanRow& r) { r.first = m; });
    }
    void SetOperationStatus(int row, const std::string& s) override
    {
        Edit(operations_, row, [&](ScanRow& r) { r.second = s; });
    }
    void SetOperationColor(int row, std::uint32_t c) override
    {
        Edit(operations_, row, [&](ScanRow& r) { r.color = c; });
    }
    void ClearFileRows() override { Edit(files_, -1, nullptr); }
    int AddFileRow(const std::string& fileName) override { return Add(files_, fileName); }
    void SetFileOperation(int row, const std::string& op) override
    {
        Edit(files_, row, [&](ScanRow& r) { r.second = op; });
    }
    void SetFileColor(int row, std::uint32_t c) override { Edit(files_, row, [&](ScanRow& r) { r.color = c; }); }

    std::vector<std::string> Operations() const { return Lines(operations_); }
    std::vector<std::string> Files() const { return Lines(files_); }

private:
    mutable std::mutex mutex_;
    std::vector<ScanRow> operations_, files_;

    int Add(std::vector<ScanRow>& rows, const std::string& first)
    {
        std::lock_guard lock(mutex_);
        rows.push_back({first, "", RowBlack});
        return static_cast<int>(rows.size()) - 1;
    }
    void Edit(std::vector<ScanRow>& rows, int row, const std::function<void(ScanRow&)>& change)
    {
        std::lock_guard lock(mutex_);
        row < 0 ? rows.clear() : change(rows.at(static_cast<std::size_t>(row)));
    }
    std::vector<std::string> Lines(const std::vector<ScanRow>& rows) const
    {
        std::lock_guard lock(mutex_);
        std::vector<std::string> lines;
        for (const ScanRow& r : rows)
            lines.push_back(r.first + " | " + r.second + (r.color == RowRed ? " | red" : ""));
        return lines;
    }
};
