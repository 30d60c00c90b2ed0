#include "data/record_array.h"

#include <algorithm>

namespace {
void (*recordsFreedHandler)() = nullptr;
}

void SetRecordsFreedHandler(void (*handler)())
{
    recordsFreedHandler = handler;
}

RecordArray& Records()
{
    static RecordArray records;
    return records;
}

int RecordArray::RecordCount() const
{
    return static_cast<int>(records_.size());
}

int RecordArray::GetRecord(int index, std::string* date, int* sunspots, double* flux,
                           int* avgSunspots, int* avgFlux) const
{
    Lock lock = Acquire();
    if (!Valid(index))
        return 1;
    const SolarRecord& r = At(index);
    *date = r.GetDate();
    *sunspots = r.m_sunspots;
    *flux = r.m_flux;
    *avgSunspots = r.m_avgSunspots;
    *avgFlux = r.m_avgFlux;
    return 0;
}

int RecordArray::GetRecordValues(int index, std::string* date, int* sunspots, double* flux) const
{
    Lock lock = Acquire();
    if (!Valid(index))
        return 1;
    const SolarRecord& r = At(index);
    *date = r.GetDate();
    *sunspots = r.m_sunspots;
    *flux = r.m_flux;
    return 0;
}

void RecordArray::SetRecord(int index, const std::string& date, int sunspots, double flux,
                            int avgSunspots, int avgFlux)
{
    Lock lock = Acquire();
    if (!Valid(index))
        return;
    records_[static_cast<std::size_t>(index)] = SolarRecord(date, sunspots, flux, avgSunspots, avgFlux);
}

void RecordArray::SetRecordValues(int index, const std::string& date, int sunspots, double flux)
{
    Lock lock = Acquire();
    if (!Valid(index))
        return;
    SolarRecord& r = records_[static_cast<std::size_t>(index)];
    r.SetDate(date);
    r.m_sunspots = sunspots;
    r.m_flux = flux;
}

void RecordArray::AppendRecord(const SolarRecord& record)
{
    Lock lock = Acquire();
    records_.push_back(record);
}

void RecordArray::InsertRecords(int index, const SolarRecord* records, int n)
{
    Lock lock = Acquire();
    if (n <= 0 || index < 0 || index > RecordCount())
        return;
    records_.insert(records_.begin() + index, records, records + n);
}

void RecordArray::RemoveRecords(int index, int n)
{
    Lock lock = Acquire();
    if (n <= 0 || !Valid(index))
        return;
    const int end = std::min(RecordCount(), index + n);
    records_.erase(records_.begin() + index, records_.begin() + end);
}

void RecordArray::SetDataChanged(int changed)
{
    const int value = changed ? 1 : 0;
    if (value == dataChanged_)
        return;
    dataChanged_ = value;
    if (dataChangedListener_)
        dataChangedListener_(value == 1);
}

void RecordArray::SetDataChangedListener(std::function<void(bool)> listener)
{
    dataChangedListener_ = std::move(listener);
}

void RecordArray::FreeRecords()
{
    Lock lock = Acquire();
    records_.clear();
    records_.shrink_to_fit();
    if (recordsFreedHandler)
        recordsFreedHandler();
}

void RecordArray::ReplaceAll(std::vector<SolarRecord> records)
{
    Lock lock = Acquire();
    records_ = std::move(records);
}

void RecordArray::Reserve(int count)
{
    Lock lock = Acquire();
    if (count > 0)
        records_.reserve(static_cast<std::size_t>(count));
}
