// The program-wide game state that all scenes share. Field names and widths are the game's
// own: a u16 here wraps like a u16 on purpose.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vepa {

// The game's random generator: a 32-bit linear congruential generator
// (seed * 134775813 + 1), result = high 32 bits of seed * n. Random(n) gives 0..n-1.
class RandomGenerator {
 public:
  uint32_t Seed = 0;
  int Random(int n) {
    Seed = Seed * 134775813u + 1u;
    if (n <= 0) return 0;
    return static_cast<int>((static_cast<uint64_t>(Seed) * static_cast<uint32_t>(n)) >> 32);
  }
};

// Record of the phrase last loaded by the phrase player: 111 bytes from the table.
struct PhraseRecord {
  uint16_t Kind = 0;
  uint16_t Price = 0;
  uint16_t LineShift = 0;
  // Five lines; each holds at most 20 characters (code page 1251). The fifth line keeps only
  // 18, because the record ends two bytes short of it.
  std::array<std::string, 5> Lines;
};

struct SharedState {
  // Shell and input.
  uint8_t SceneNumber = 0;
  uint8_t FatalError = 0;
  uint8_t FullScreenActive = 0;
  uint8_t FrameToggle = 0;
  std::string DataDir;
  int32_t MouseX = 0, MouseY = 0;
  uint8_t ClickState = 0;
  uint8_t HandFrame = 0;
  uint8_t ButtonHeld = 0;
  int32_t AimShakeX = 0, AimShakeY = 0;
  uint8_t ExitMenuState = 0;
  uint8_t EscLatch = 0;
  std::array<uint8_t, 76800> HitMap{};
  std::array<uint8_t, 12> SceneBytes{};

  // Screen transition.
  uint8_t FadeMode = 0;
  uint16_t FadeProgress = 0;
  uint16_t FadeLatch = 0;
  uint8_t FadeShape = 0;

  // Sound and speech.
  uint8_t SoundAvailable = 0;
  uint16_t SpeechCountdown = 0;
  int32_t MusicVolume = -1500;
  std::string CurrentMusic = "none";
  uint8_t BubbleMode = 1;
  uint8_t AutoAnswer = 0;
  std::string SpeakerName;
  PhraseRecord SpeechRecord;

  // Player progress.
  uint16_t Money = 0;
  uint16_t BatteryCharge = 0;
  uint16_t Tickets = 0;
  uint8_t TicketsFilled = 0;
  std::array<std::array<uint8_t, 6>, 6> TicketNumbers{};  // [ticket][place]
  std::array<uint8_t, 6> DrawnNumbers{};
  uint16_t GameStake = 0;
  uint16_t GameWinnings = 0;
  uint8_t SelectedItem = 0;

  // Cell of the hit map under a screen point with a scene's offsets; rows past 240 and columns
  // past 320 (and negative ones) read as 0.
  uint8_t HitMapAt(int x, int y, int dx = 0, int dy = 0) const {
    int row = (y + dy) / 2, col = (x + dx) / 2;
    if (row < 0 || row >= 240 || col < 0 || col >= 320) return 0;
    return HitMap[static_cast<size_t>(row) * 320 + col];
  }
};

}  // namespace vepa
