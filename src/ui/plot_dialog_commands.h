// Options > Stagger Plot, View > Records and View > Show Color Legend.
#pragma once

class QWidget;
class View;

// The stagger dialog; on OK its values are taken (an unusable date switches
// the stagger plot off with a message) and the data file is read again.
void StaggerPlotCommand(View* view);
void RecordsCommand(QWidget* parent);
void ColorLegendCommand(QWidget* parent);

// The message for a stagger date without a "/" after its first character.
inline constexpr const char* StaggerDateMessage = "Date Must Be In The Format MM/DD/YYYY";
