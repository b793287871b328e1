// The display, sound and input layer: image and wave lists, the back buffer and its
// presentation, the sound buffers behind the audio lock, and the keyboard snapshot.
#include "engine/layer.h"

#include <cstdio>
#include <utility>

namespace vepa {

namespace {

// Lower case of one code page 1251 byte: Latin A..Z, Cyrillic А..Я and Ё.
unsigned char FoldCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDF) return static_cast<unsigned char>(c + 32);
  if (c == 0xA8) return 0xB8;
  return c;
}

// Holds the audio lock of a backend for one scope.
class AudioLock {
 public:
  explicit AudioLock(Backend& backend) : backend_(backend) { backend_.LockAudio(); }
  ~AudioLock() { backend_.UnlockAudio(); }
  AudioLock(const AudioLock&) = delete;
  AudioLock& operator=(const AudioLock&) = delete;

 private:
  Backend& backend_;
};

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(static_cast<unsigned char>(a[i])) != FoldCase(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

void MissingNameLog::Report(const char* kind, std::string_view name) {
  ++Lookups;
  std::string message = std::string(kind) + " '" + std::string(name) + "' not found";
  for (const std::string& known : Names) {
    if (known == message) return;
  }
  std::fprintf(stderr, "%s\n", message.c_str());
  Names.push_back(std::move(message));
}

namespace {

// The first item of a list with this name, letters of either case alike; null when there is
// none, the miss reported to the log (or written out when the list has no log).
template <typename Items>
auto FindNamed(Items& items, std::string_view name, const char* kind, MissingNameLog* log)
    -> decltype(&items.front()) {
  for (auto& item : items) {
    if (SameName(item.Name, name)) return &item;
  }
  if (log != nullptr) {
    log->Report(kind, name);
  } else {
    std::fprintf(stderr, "%s '%.*s' not found\n", kind, static_cast<int>(name.size()), name.data());
  }
  return nullptr;
}

}  // namespace

const Image* ImageList::FindImage(std::string_view name) const {
  return FindNamed(Images, name, "Image", Log);
}

Wave* WaveList::FindWave(std::string_view name) { return FindNamed(Waves, name, "Wave", Log); }

Wave* WaveList::WaveItem(int index) {
  if (index < 0 || static_cast<size_t>(index) >= Waves.size()) return nullptr;
  return &Waves[static_cast<size_t>(index)];
}

Layer::Layer(Backend& backend) : backend_(backend) {
  for (ImageList& list : images_) list.Log = &missing_;
  for (WaveList& list : waves_) list.Log = &missing_;
  // The speech and music channels: two fixed items whose sounds are replaced at run time.
  Wave speech;
  speech.Name = "CustomSnd01";
  Wave music;
  music.Name = "Music01";
  waves_[2].Waves.push_back(std::move(speech));
  waves_[2].Waves.push_back(std::move(music));
  backBuffer_.Resize(ScreenWidth, ScreenHeight);
}

Layer::~Layer() {
  FinalizeSound();
  FinalizeDisplay();
}

// --- Display.

bool Layer::InitDisplay(std::string* error) {
  std::string message;
  if (fullScreen_ &&
      (modeWidth_ != ScreenWidth || modeHeight_ != ScreenHeight || modeBits_ != 16)) {
    char text[96];
    std::snprintf(text, sizeof text, "Display mode cannot be changed (%dx%d %dbit)", modeWidth_,
                  modeHeight_, modeBits_);
    message = text;
    displayReady_ = false;
  } else {
    if (backBuffer_.width != ScreenWidth || backBuffer_.height != ScreenHeight)
      backBuffer_.Resize(ScreenWidth, ScreenHeight);
    displayReady_ = backend_.InitDisplay(fullScreen_, message);
    if (!displayReady_ && message.empty()) message = "The display cannot be initialized";
  }
  if (!displayReady_ && error != nullptr) *error = message;
  return displayReady_;
}

void Layer::FinalizeDisplay() {
  if (!displayReady_) return;
  backend_.FinalizeDisplay();
  displayReady_ = false;
}

void Layer::SetDisplayMode(int width, int height, int bits) {
  modeWidth_ = width;
  modeHeight_ = height;
  modeBits_ = bits;
}

void Layer::Flip() {
  if (!displayReady_) return;
  backend_.Present(backBuffer_);
  ++framesPresented_;
}

// --- Image lists.

ImageList* Layer::Images(int list) {
  if (list < 1 || list > 3) return nullptr;
  shrinks_.Forget(images_[list - 1].Images);
  return &images_[list - 1];
}

const Image* Layer::FindImage(int list, std::string_view name) const {
  if (list < 1 || list > 3) {
    missing_.Report("Image", name);
    return nullptr;
  }
  return images_[list - 1].FindImage(name);
}

// --- Sound.

bool Layer::InitSound() {
  if (soundReady_) return true;
  mixer_.SetSources({&waves_[0].Waves, &waves_[1].Waves, &waves_[2].Waves});
  soundReady_ = backend_.OpenAudio(mixer_);
  return soundReady_;
}

void Layer::FinalizeSound() {
  if (!soundReady_) return;
  backend_.CloseAudio();
  soundReady_ = false;
}

WaveList* Layer::Waves(int list) {
  switch (list) {
    case 1:
      return &waves_[0];
    case 2:
      return &waves_[1];
    case 4:
      return &waves_[2];
    default:
      return nullptr;
  }
}

Wave* Layer::FindWave(int list, std::string_view name) {
  WaveList* waves = Waves(list);
  if (waves == nullptr) {
    missing_.Report("Wave", name);
    return nullptr;
  }
  return waves->FindWave(name);
}

template <typename Op>
auto Layer::OnBuffer(Wave* w, Op op) {
  using Result = decltype(op(w->Buffer));
  if (w == nullptr || !soundReady_) return Result();
  AudioLock lock(backend_);
  return op(w->Buffer);
}

void Layer::Play(Wave* w, bool loop) {
  OnBuffer(w, [&](SoundBuffer& b) { b.Play(loop); });
}
void Layer::Stop(Wave* w) {
  OnBuffer(w, [](SoundBuffer& b) { b.Stop(); });
}
void Layer::SetPosition(Wave* w, uint32_t bytes) {
  OnBuffer(w, [&](SoundBuffer& b) { b.SetPosition(bytes); });
}
void Layer::SetFrequency(Wave* w, int hz) {
  OnBuffer(w, [&](SoundBuffer& b) { b.SetFrequency(hz); });
}
void Layer::SetVolume(Wave* w, int hundredthsDb) {
  OnBuffer(w, [&](SoundBuffer& b) { b.SetVolume(hundredthsDb); });
}
void Layer::SetPan(Wave* w, int pan) {
  OnBuffer(w, [&](SoundBuffer& b) { b.SetPan(pan); });
}
bool Layer::IsPlaying(Wave* w) {
  return OnBuffer(w, [](SoundBuffer& b) { return b.IsPlaying(); });
}
uint32_t Layer::GetPosition(Wave* w) {
  return OnBuffer(w, [](SoundBuffer& b) { return b.GetPosition(); });
}

void Layer::ReplaceWaves(int list, std::vector<Wave> waves) {
  if (list != 1 && list != 2) return;
  // Fresh buffers: stopped at the start, at their recorded rate, full volume, centred.
  for (Wave& w : waves) w.Buffer.ResetPlayback();
  WaveList& target = waves_[list - 1];
  {
    AudioLock lock(backend_);
    target.Waves.swap(waves);
  }
  // The old sounds are freed here, outside the lock.
}

void Layer::LoadBufferFromWave(int item, SoundBuffer buffer) {
  if (item != 0 && item != 1) return;
  // Loading creates a new buffer: volume, pan and rate start afresh, and the caller sets what
  // it needs afterwards (the music channel its volume).
  buffer.ResetPlayback();
  SoundBuffer& target = waves_[2].Waves[static_cast<size_t>(item)].Buffer;
  {
    AudioLock lock(backend_);
    std::swap(target, buffer);
  }
}

void Layer::AdvanceAudio(double seconds) {
  if (!soundReady_) return;
  AudioLock lock(backend_);
  mixer_.Advance(seconds);
}

// --- Input.

void Layer::UpdateInput() { backend_.ReadKeyboard(keys_); }

}  // namespace vepa
