// The sound channels: common and scene effects by name, the speech channel (item 0 of wave
// list 4) and the music channel (item 1). Without a sound device every operation is silent;
// only the speech countdown still runs, so scenes that wait for a phrase wait three seconds.
#include "engine/sound.h"

#include <string>

#include "engine/loaders.h"
#include "engine/services.h"

namespace vepa {

namespace {

constexpr int kSpeechChannel = 0;
constexpr int kMusicChannel = 1;
// Ticks a phrase counts as spoken when there is no sound to ask.
constexpr uint16_t kSpeechTicks = 60;
// Below this music volume the music is off.
constexpr int kMusicOffVolume = -1900;
// CurrentMusic holds at most this many characters.
constexpr size_t kMusicNameLength = 10;

Wave* Channel(GameServices& g, int item) {
  WaveList* list = g.layer.Waves(4);
  return list ? list->WaveItem(item) : nullptr;
}

void PlayEffect(GameServices& g, int list, std::string_view name, int rate) {
  if (!g.SoundAvailable) return;
  Wave* w = g.layer.FindWave(list, name);
  if (!w) return;  // the layer has reported the missing name
  g.layer.SetFrequency(w, rate);
  g.layer.Play(w, false);
}

void StopEffect(GameServices& g, int list, std::string_view name) {
  if (!g.SoundAvailable) return;
  Wave* w = g.layer.FindWave(list, name);
  if (!w) return;
  g.layer.Stop(w);
  g.layer.SetPosition(w, 0);
}

}  // namespace

void PlayCommonSound(GameServices& g, std::string_view name, int rate) {
  PlayEffect(g, 1, name, rate);
}

void PlaySceneSound(GameServices& g, std::string_view name, int rate) {
  PlayEffect(g, 2, name, rate);
}

void StopCommonSound(GameServices& g, std::string_view name) { StopEffect(g, 1, name); }

void StopSceneSound(GameServices& g, std::string_view name) { StopEffect(g, 2, name); }

void SayWave(GameServices& g, std::string_view name, int rate) {
  SpokenClip clip;
  ReadSpokenClip(g, name, clip);
  SayClip(g, clip, rate);
}

void ReadSpokenClip(GameServices& g, std::string_view name, SpokenClip& clip) {
  clip.Ready = ReadChannelWave(g, name, kSpeechChannel, clip.Buffer);
}

void SayClip(GameServices& g, SpokenClip& clip, int rate) {
  g.SpeechCountdown = kSpeechTicks;
  if (!g.SoundAvailable) return;
  if (clip.Ready) {
    g.layer.LoadBufferFromWave(kSpeechChannel, std::move(clip.Buffer));
    clip.Buffer = SoundBuffer{};
    clip.Ready = false;
  }
  Wave* w = Channel(g, kSpeechChannel);
  if (!w) return;
  g.layer.SetFrequency(w, rate);
  g.layer.Play(w, false);
}

bool IsSpeaking(GameServices& g) {
  if (!g.SoundAvailable) return g.SpeechCountdown > 0;
  Wave* w = Channel(g, kSpeechChannel);
  return w && g.layer.IsPlaying(w);
}

void StopSpeech(GameServices& g) {
  g.SpeechCountdown = 0;
  if (!g.SoundAvailable) return;
  if (Wave* w = Channel(g, kSpeechChannel)) g.layer.Stop(w);
}

void PlayMusic(GameServices& g, std::string_view name, int volumeOffset) {
  if (!g.SoundAvailable) return;
  if (g.MusicVolume < kMusicOffVolume) name = "none";
  Wave* w = Channel(g, kMusicChannel);
  if (name == "none") {
    if (w) g.layer.Stop(w);
  } else if (name == g.CurrentMusic) {
    // The same tune goes on where it is, at the volume it was started with.
    if (w) g.layer.Play(w, true);
  } else {
    LoadChannelWave(g, name, kMusicChannel);
    w = Channel(g, kMusicChannel);
    if (w) {
      g.layer.SetVolume(w, g.MusicVolume + volumeOffset);
      g.layer.Play(w, true);
    }
  }
  g.CurrentMusic = std::string(name.substr(0, kMusicNameLength));
}

}  // namespace vepa
