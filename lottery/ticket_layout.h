// Where the 36 numbers of a lottery ticket sit on the screen. The ticket lies on the table in
// perspective, so every cell was placed by eye; the ticket scene draws each number centred on
// its cell position (top of the digits at the position's y), and the ticket picture and its
// hit map are drawn around the same positions.
#pragma once

#include <array>

namespace vepa::lottery {

struct CellPosition {
  int X = 0, Y = 0;
};

// Number n = 6 * row + column + 1 is at TicketCells[n - 1].
inline constexpr std::array<CellPosition, 36> TicketCells{{
    {235, 95},  {284, 95},  {333, 95},  {379, 97},  {428, 97},  {480, 97},   // 1-6
    {235, 144}, {284, 144}, {333, 144}, {379, 142}, {428, 144}, {480, 146},  // 7-12
    {235, 198}, {284, 198}, {328, 198}, {377, 196}, {426, 198}, {480, 200},  // 13-18
    {238, 257}, {288, 255}, {334, 253}, {379, 252}, {427, 254}, {475, 256},  // 19-24
    {238, 305}, {288, 305}, {334, 305}, {379, 305}, {427, 305}, {475, 305},  // 25-30
    {242, 353}, {292, 354}, {334, 355}, {380, 356}, {426, 357}, {472, 358},  // 31-36
}};

// The pen's hand position when it draws the cross of a number: the cell moved by (-15, +15).
inline constexpr int PenAimDX = -15, PenAimDY = 15;
// The pen's tip lies 10 pixels right of the hand position; the hit map is read there.
inline constexpr int PenTipDX = 10;
// The pen picture is drawn 75 pixels above the hand position (its tip is at (+10, +75)).
inline constexpr int PenDrawDY = -75;
// A cross mark is stored at the hand position moved by (+5, -16) and drawn from there.
inline constexpr int CrossDX = 5, CrossDY = -16;

// The texts on the left of the ticket are centred on this x.
inline constexpr int TicketCaptionX = 158;

}  // namespace vepa::lottery
