#include "engine/web_input.h"

#include <algorithm>
#include <cmath>

#include "engine/dom_keys.h"

namespace vepa {

int WebInput::Key(std::string_view domCode, bool down) {
  const int usage = UsbUsageFromDomCode(domCode);
  if (usage <= 0 || usage >= static_cast<int>(usages_.size())) return 0;
  usages_[static_cast<size_t>(usage)] = down ? 1 : 0;
  const int vk = VirtualKeyFromUsbUsage(usage);
  if (down && vk != 0) {
    latch_.Press(vk);
    latch_.Press(SideVirtualKeyFromUsbUsage(usage));
  }
  return vk;
}

void WebInput::ReleaseAll() {
  usages_.fill(0);
  latch_.Clear();
}

void WebInput::Read(std::array<bool, 256>& keys) {
  KeysFromUsbState(usages_.data(), static_cast<int>(usages_.size()), keys);
  latch_.Apply(keys);
}

void WebInput::SetPicture(int width, int height) {
  width_ = std::max(1, width);
  height_ = std::max(1, height);
  x_ = std::clamp(x_, 0.0, width_ - 1.0);
  y_ = std::clamp(y_, 0.0, height_ - 1.0);
}

bool WebInput::MoveTo(double x, double y, double boxW, double boxH) {
  if (!(boxW > 0) || !(boxH > 0) || !std::isfinite(x) || !std::isfinite(y)) return false;
  const double fx = std::floor(x * width_ / boxW);
  const double fy = std::floor(y * height_ / boxH);
  const bool inside = fx >= 0 && fy >= 0 && fx < width_ && fy < height_;
  x_ = std::clamp(fx, 0.0, width_ - 1.0);
  y_ = std::clamp(fy, 0.0, height_ - 1.0);
  return inside;
}

void WebInput::MoveBy(double dx, double dy, double boxW, double boxH) {
  if (!(boxW > 0) || !(boxH > 0) || !std::isfinite(dx) || !std::isfinite(dy)) return;
  // Fractions are kept, so a slow movement on a large screen still gets somewhere.
  x_ = std::clamp(x_ + dx * width_ / boxW, 0.0, width_ - 1.0);
  y_ = std::clamp(y_ + dy * height_ / boxH, 0.0, height_ - 1.0);
}

}  // namespace vepa
