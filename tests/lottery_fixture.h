// Where the lottery tests point on a ticket; their game is the shared scene fixture.
#pragma once

#include "lottery/ticket_layout.h"
#include "tests/scene_fixture.h"

namespace vepa::testing {

// The ticket's number cells.
inline lottery::CellPosition Cell(int n) { return lottery::TicketCells[n - 1]; }
// Where to point so that the pen's tip lies on the middle of a number's digits.
inline int PointX(int n) { return Cell(n).X - lottery::PenTipDX; }
inline int PointY(int n) { return Cell(n).Y + 9; }

}  // namespace vepa::testing
