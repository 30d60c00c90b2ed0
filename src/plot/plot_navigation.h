// Moves of the closeup window (CloseupEnd). Each returns true when it moved;
// afterwards CloseDays <= CloseupEnd <= RecordCount holds.
#pragma once

bool MoveOneDayBack();
bool MoveOneDayForward();
bool PageBack();
bool PageForward();
// The scroll thumb at position p (the first record shown).
bool JumpTo(int position);
// Centres the closeup on day d of the overall pane.
bool CentreOn(int day);

// Shows about 10% fewer days in the closeup per step (more for negative
// steps), within 1..99999 and the record count; the closeup keeps its last
// day where the range allows. True when CloseDays changed.
bool ZoomCloseup(int steps);

// Days the closeup moves for one notch of the mouse wheel.
int WheelPanDays();
