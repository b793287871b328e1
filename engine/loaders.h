// The scene loaders' archive reads: each finds its entry, reads and unscrambles it, and hands
// the bytes to its consumer. A file that cannot be opened sets FatalError.
#pragma once

#include <string_view>

namespace vepa {

struct GameServices;
struct SoundBuffer;

void LoadBackground(GameServices& g, std::string_view name);
void LoadImages(GameServices& g, int list, std::string_view name);
void LoadHitMap(GameServices& g, std::string_view name);
void LoadWaves(GameServices& g, int list, std::string_view name);
// Channel 0 speech ("CustomSnd01"), 1 music ("Music01").
void LoadChannelWave(GameServices& g, std::string_view name, int channel);
// Only the read of LoadChannelWave: the entry's sound into `out`, without touching the channel.
// False (and `out` unchanged) without sound, for a missing or damaged entry or a read error
// (which sets FatalError).
bool ReadChannelWave(GameServices& g, std::string_view name, int channel, SoundBuffer& out);

}  // namespace vepa
