// Small routines many scenes share: the phrase player, the speech bubble, the Esc exit box,
// the pointer-press animation and the angle helpers.
#pragma once

#include <string_view>

namespace vepa {

struct Game;

void SayPhrase(Game& g, std::string_view stem, int number, int linesOnly, int rate);
void DrawSpeechBubble(Game& g, int x, int y, int tail);
void ExitBox(Game& g);
// Opens the exit box on a fresh Esc press (the part every scene with the box runs while the
// box is closed).
void ExitBoxWatchEsc(Game& g);
void PointerPressStep(Game& g);
// Draws the list-1 pointer "Ruka01" with pattern HandFrame at (MouseX + dx, MouseY + dy).
void DrawPointer(Game& g, int dx = 0, int dy = 0);
int AngleTo(int x1, int y1, int x2, int y2);
void TurnTowards(int target, int& angle);

}  // namespace vepa
