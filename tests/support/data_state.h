// Puts the program-wide data state back to how a fresh start finds it.
#pragma once

#include "data/data_file.h"
#include "data/record_array.h"

inline void ResetDataState()
{
    Records().FreeRecords();
    Records().SetDataChanged(0);
    DataFile().path.clear();
    DataFile().version3 = true;
    DataFile().usesCrlf = false;
    Stagger() = StaggerRequest();
    DataFileNotifications() = DataFileEvents();
}

inline void AddRecord(const char* date, int sunspots, double flux)
{
    Records().AppendRecord(SolarRecord(date, sunspots, flux, 0, 0));
}
