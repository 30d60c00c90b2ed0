// File > Export Plot... and File > Export Data...: the plot area as a
// picture, drawing or PDF, and the loaded days as CSV. Neither changes the
// data file.
#pragma once

class View;

void ExportPlotCommand(View* view);
void ExportDataCommand(View* view);
