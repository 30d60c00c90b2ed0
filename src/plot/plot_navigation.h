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
