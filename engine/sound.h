// The four sound channels: common effects, scene effects, speech and music. Every operation
// is silent without a sound device.
#pragma once

#include <string_view>

namespace vepa {

struct Game;

void PlayCommonSound(Game& g, std::string_view name, int rate);
void PlaySceneSound(Game& g, std::string_view name, int rate);
void StopCommonSound(Game& g, std::string_view name);
void StopSceneSound(Game& g, std::string_view name);
void SayWave(Game& g, std::string_view name, int rate);
bool IsSpeaking(Game& g);
void StopSpeech(Game& g);
void PlayMusic(Game& g, std::string_view name, int volumeOffset);

}  // namespace vepa
