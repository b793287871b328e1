// The four sound channels: common effects, scene effects, speech and music. Every operation
// is silent without a sound device.
#pragma once

#include <string_view>

#include "engine/mixer.h"

namespace vepa {

struct GameServices;

// A spoken clip read ahead, with its scene: starting it later plays it without reading the
// archive inside a frame (a long clip takes longer to read than the rest of the frame).
struct SpokenClip {
  SoundBuffer Buffer;
  bool Ready = false;
};

void PlayCommonSound(GameServices& g, std::string_view name, int rate);
void PlaySceneSound(GameServices& g, std::string_view name, int rate);
void StopCommonSound(GameServices& g, std::string_view name);
void StopSceneSound(GameServices& g, std::string_view name);
void SayWave(GameServices& g, std::string_view name, int rate);
// Reads the clip `name` into `clip` (not ready without sound or when the entry is missing).
void ReadSpokenClip(GameServices& g, std::string_view name, SpokenClip& clip);
// SayWave with a clip read ahead: the clip moves into the speech channel. A clip that is not
// ready leaves the channel's sound, which then plays again, as SayWave does for a missing entry.
void SayClip(GameServices& g, SpokenClip& clip, int rate);
bool IsSpeaking(GameServices& g);
void StopSpeech(GameServices& g);
void PlayMusic(GameServices& g, std::string_view name, int volumeOffset);

}  // namespace vepa
