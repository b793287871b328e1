// Where the start menu draws its options, selectors, exit button and hint, the codes of its
// hit map, and the entries of the menu and the closing screen. Shared by the scenes, their
// content module and their test.
#pragma once

#include <cstdint>
#include <string_view>

namespace vepa::start_menu {

// The archive entries of the start menu and of the closing screen.
inline constexpr std::string_view BackgroundEntry = "r_intm01";
inline constexpr std::string_view HitMapEntry = "b_intm01";
inline constexpr std::string_view ImagesEntry = "s_intm01";
inline constexpr std::string_view WavesEntry = "w_intm01";
inline constexpr std::string_view ClosingEntry = "l_demo01";

// The menu's hit map is read this far below the pointer: the hand's fingertip.
inline constexpr int FingertipDY = 20;

// Hit-map codes.
enum Code : uint8_t {
  NoSubtitles = 3,  // "РЕЧЬ БЕЗ СУБТИТРОВ"
  Subtitles = 4,    // "РЕЧЬ С СУБТИТРАМИ"
  Exit = 5,         // the exit button
};

struct Box {
  int Left, Top, Right, Bottom;
};
// The two option lines, the upper one without subtitles; their labels end at OptionRight and
// the selectors ("Selector01", 0 neither chosen yet, 1 chosen, 2 not chosen) follow.
inline constexpr Box NoSubtitlesLine{338, 418, 564, 441};
inline constexpr Box SubtitlesLine{338, 441, 564, 464};
inline constexpr int OptionRight = 522;
inline constexpr int SelectorX = 530, NoSubtitlesSelectorY = 420, SubtitlesSelectorY = 441;
inline constexpr int SelectorW = 24, SelectorH = 20;

// The exit button ("Button01" of the common images) and its two caption lines.
inline constexpr Box ExitButton{535, 6, 635, 50};
inline constexpr int ExitCaptionX = 585, ExitTopY = 16, ExitBottomY = 26;
// The hint line over the top strip, centred on HintX.
inline constexpr int HintX = 322, HintY = 2;

}  // namespace vepa::start_menu
