// How a scan reports its steps: rows in two lists, the operations list
// ("Message", "Status") and the file list ("FileName", "Operation"). The
// window implements it on its own thread, "skylog fetch" by printing, the
// tests by recording.
#pragma once

#include <cstdint>
#include <string>

// Row text colours, 0x00BBGGRR.
inline constexpr std::uint32_t RowBlack = 0x000000;
inline constexpr std::uint32_t RowRed = 0x0000FF;

class ScanObserver {
public:
    virtual ~ScanObserver() = default;

    // Operations list. A new row is black; the index of the new row is returned.
    virtual int OperationRowCount() = 0;
    virtual int AddOperationRow(const std::string& message) = 0;
    virtual void SetOperationMessage(int row, const std::string& message) = 0;
    virtual void SetOperationStatus(int row, const std::string& status) = 0;
    virtual void SetOperationColor(int row, std::uint32_t color) = 0;

    // File list: emptied at the start of every run.
    virtual void ClearFileRows() = 0;
    virtual int AddFileRow(const std::string& fileName) = 0;
    virtual void SetFileOperation(int row, const std::string& operation) = 0;
    virtual void SetFileColor(int row, std::uint32_t color) = 0;
};

// The rows as plain values: what a recording observer and the window's
// models hold.
struct ScanRow {
    std::string first;   // Message / FileName
    std::string second;  // Status / Operation
    std::uint32_t color = RowBlack;
};
