// The software renderer: nearest-neighbour and area-averaged drawing on RGB565 surfaces.
//
// Sampling: a destination pixel shows the texel under its centre. For a span of L cells showing
// N texels, cell k shows texel floor((2k + 1) * N / (2L)); this is exact integer arithmetic,
// stepped per cell without division, so a 1:1 draw is an exact copy and a mirrored draw is the
// exact mirror of the plain one. Stretched draws that shrink a pattern by more than 1.5 on either
// axis average the texels each pixel covers instead (see "Area-averaged shrinking" below).
//
// Blending: per channel (5, 6, 5 bits), result = round((s * a + d * (255 - a)) / 255), the
// division done exactly with Div255. Two consequences are used as shortcuts and are exact, not
// approximations: with a >= 253 the result always equals the source (the destination's share is
// below half a step for 6-bit channels), and with a <= 2 it always equals the destination.
// With a per-pixel alpha mask m the effective alpha is round(a * m / 255) (m itself when a >= 255).
// Rows are combined sixteen pixels at a time with AVX2 where the processor has it, eight at a
// time with SSE2 otherwise, with the same formulas as the scalar code that finishes each row.
//
// Clipping: every operation computes its visible range once, in 64-bit (or floating-point, for
// rotation) arithmetic, so no coordinate or size can make it touch memory outside the surfaces.
#include "engine/render.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <numbers>
#include <unordered_map>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace vepa {
namespace {

// round(x / 255) for 0 <= x <= 65662 (the largest product here is 255 * 254): the classic
// (x + 128 + ((x + 128) >> 8)) >> 8, exact over that range.
inline uint32_t Div255(uint32_t x) {
  x += 128;
  return (x + (x >> 8)) >> 8;
}

// The three channels of an RGB565 pixel spread into 16-bit lanes of a 64-bit word (blue in bits
// 0..4, green 16..21, red 32..36), so that one multiplication scales all three: a lane holds at
// most 63 * 255 + 255, far from overflowing into the next.
inline uint64_t Spread565(uint32_t c) {
  return (c & 0x001Fu) | (static_cast<uint64_t>(c & 0x07E0u) << 11) |
         (static_cast<uint64_t>(c & 0xF800u) << 21);
}

// Div255 in each lane at once (every lane below 65535 - 255).
inline uint64_t Div255Lanes(uint64_t x) {
  constexpr uint64_t kHalf = 0x0000'0080'0080'0080ull, kLow = 0x0000'00FF'00FF'00FFull;
  x += kHalf;
  return ((x + ((x >> 8) & kLow)) >> 8) & kLow;
}

inline uint16_t Pack565(uint64_t lanes) {
  return static_cast<uint16_t>((lanes & 0x001Fu) | ((lanes >> 11) & 0x07E0u) |
                               ((lanes >> 21) & 0xF800u));
}

// src * a / 255 + dst * (255 - a) / 255 per channel, rounded to nearest; a in 0..255.
inline uint16_t Blend565(uint32_t s, uint32_t d, uint32_t a) {
  return Pack565(Div255Lanes(Spread565(s) * a + Spread565(d) * (255 - a)));
}

// dst + src * a / 255 per channel (rounded to nearest), saturated at the channel maximum.
template <bool kScaled>
inline uint16_t AddSaturate565(uint32_t s, uint32_t d, uint32_t a) {
  uint64_t src = Spread565(s);
  if constexpr (kScaled) src = Div255Lanes(src * a);
  // Lane sums stay below 128; a lane that passed its channel maximum is clamped to it.
  constexpr uint64_t kMax = 0x0000'001F'003F'001Full;
  const uint64_t sum = src + Spread565(d);
  // Per lane: (kMax | 0x8000) - sum keeps bit 15 set exactly when sum <= max.
  const uint64_t fits = ((kMax | 0x0000'8000'8000'8000ull) - sum) & 0x0000'8000'8000'8000ull;
  const uint64_t keep = (fits >> 15) * 0xFFFF;  // 0xFFFF in the lanes that fit
  return Pack565((sum & keep) | (kMax & ~keep));
}

// Alpha at or above this draws the source as is, at or below kAlphaNone leaves the destination
// (see the note on blending at the top of the file).
constexpr uint32_t kAlphaOpaque = 253;
constexpr uint32_t kAlphaNone = 2;

// Fills n pixels with one colour, eight bytes at a time.
void FillPixels(uint16_t* p, size_t n, uint16_t color) {
  if ((color >> 8) == (color & 0xFF)) {
    std::memset(p, color & 0xFF, n * sizeof(uint16_t));
    return;
  }
  const uint64_t word = color * 0x0001'0001'0001'0001ull;
  for (; n >= 4; n -= 4, p += 4) std::memcpy(p, &word, sizeof(word));
  while (n-- > 0) *p++ = color;
}

// A surface whose pixel store holds width x height pixels; anything else is not drawn on.
bool Usable(const Surface& s) {
  return s.width > 0 && s.height > 0 &&
         s.pixels.size() >= static_cast<size_t>(s.width) * static_cast<size_t>(s.height);
}

// How a run of source texels lands on a run of destination pixels. kCopy and kCopyKeyed are
// only used for pictures without an alpha mask.
struct RowOp {
  enum Kind { kCopy, kCopyKeyed, kBlend, kAdd };
  Kind kind = kCopy;
  bool keyed = false;  // skip texels equal to key
  uint16_t key = 0;
  uint32_t a = 255;  // kBlend, kAdd: the global alpha, 1..255
};

// False when UseWideVectors limited the vector code to SSE2.
std::atomic<bool> wideVectorsAllowed{true};

#if defined(__SSE2__) && defined(__GNUC__) && defined(__x86_64__)
#define VEPA_BOX_AVX2 1
#define VEPA_TARGET_AVX2 __attribute__((target("avx2")))
#endif

// The widest vector code the processor runs (AVX2 where present), unless limited by
// UseWideVectors.
bool UseWide() {
#if defined(VEPA_BOX_AVX2)
  static const bool present = __builtin_cpu_supports("avx2");
  return present && wideVectorsAllowed.load(std::memory_order_relaxed);
#else
  return false;
#endif
}

// Copies n pixels. glibc's memcpy spends noticeably longer on the row lengths drawn here (a few
// hundred to 1280 bytes) than a plain unrolled vector loop, so rows go through this loop.
inline void CopyRow(uint16_t* out, const uint16_t* in, int n) {
  int i = 0;
#if defined(__SSE2__)
  for (; i + 32 <= n; i += 32) {
    const __m128i* s = reinterpret_cast<const __m128i*>(in + i);
    __m128i* d = reinterpret_cast<__m128i*>(out + i);
    const __m128i a = _mm_loadu_si128(s), b = _mm_loadu_si128(s + 1);
    const __m128i c = _mm_loadu_si128(s + 2), e = _mm_loadu_si128(s + 3);
    _mm_storeu_si128(d, a);
    _mm_storeu_si128(d + 1, b);
    _mm_storeu_si128(d + 2, c);
    _mm_storeu_si128(d + 3, e);
  }
#endif
  if (i < n) std::memcpy(out + i, in + i, static_cast<size_t>(n - i) * sizeof(uint16_t));
}

// The row operations on contiguous runs: out[i] combined with src[i] (and mask[i], or the global
// alpha alone when mask is null). The alpha of a texel is round(a * m / 255), which is m itself
// for a = 255. The scalar loops finish what the vector loops leave and serve builds without
// SSE2; both compute the same exact formulas.
void CopyKeyedScalar(uint16_t* out, const uint16_t* src, int n, uint16_t key) {
  for (int i = 0; i < n; ++i) {
    if (src[i] != key) out[i] = src[i];
  }
}

void BlendScalar(uint16_t* out, const uint16_t* src, const uint8_t* mask, int n, bool keyed,
                 uint16_t key, uint32_t a) {
  for (int i = 0; i < n; ++i) {
    if (keyed && src[i] == key) continue;
    const uint32_t e = mask != nullptr ? Div255(mask[i] * a) : a;
    out[i] = Blend565(src[i], out[i], e);
  }
}

void AddScalar(uint16_t* out, const uint16_t* src, const uint8_t* mask, int n, bool keyed,
               uint16_t key, uint32_t a) {
  for (int i = 0; i < n; ++i) {
    if (keyed && src[i] == key) continue;
    const uint32_t e = mask != nullptr ? Div255(mask[i] * a) : a;
    out[i] = e >= 255 ? AddSaturate565<false>(src[i], out[i], 255)
                      : AddSaturate565<true>(src[i], out[i], e);
  }
}

#if defined(__SSE2__)
// Eight pixels at a time in 16-bit lanes; every intermediate value stays below 65536.
inline __m128i Div255x8(__m128i x) {
  x = _mm_add_epi16(x, _mm_set1_epi16(128));
  return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
}

struct Channels8 {
  __m128i r, g, b;
};

inline Channels8 Split8(__m128i p) {
  return {_mm_srli_epi16(p, 11), _mm_and_si128(_mm_srli_epi16(p, 5), _mm_set1_epi16(63)),
          _mm_and_si128(p, _mm_set1_epi16(31))};
}

inline __m128i Join8(__m128i r, __m128i g, __m128i b) {
  return _mm_or_si128(_mm_or_si128(_mm_slli_epi16(r, 11), _mm_slli_epi16(g, 5)), b);
}

// Lanes of `yes` where `which` is set, of `no` elsewhere.
inline __m128i Select8(__m128i which, __m128i yes, __m128i no) {
  return _mm_or_si128(_mm_and_si128(which, yes), _mm_andnot_si128(which, no));
}

inline __m128i Load8(const uint16_t* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

inline void Store8(uint16_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// The alpha of eight texels: round(a * m / 255), or a when there is no mask.
inline __m128i Alpha8(const uint8_t* mask, __m128i a) {
  if (mask == nullptr) return a;
  const __m128i m = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(mask)),
                                      _mm_setzero_si128());
  return Div255x8(_mm_mullo_epi16(m, a));
}

void CopyKeyedRow(uint16_t* out, const uint16_t* src, int n, uint16_t key) {
  const __m128i k = _mm_set1_epi16(static_cast<short>(key));
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m128i s = Load8(src + i);
    Store8(out + i, Select8(_mm_cmpeq_epi16(s, k), Load8(out + i), s));
  }
  CopyKeyedScalar(out + i, src + i, n - i, key);
}

void BlendRow(uint16_t* out, const uint16_t* src, const uint8_t* mask, int n, bool keyed,
              uint16_t key, uint32_t a) {
  const __m128i va = _mm_set1_epi16(static_cast<short>(a)), full = _mm_set1_epi16(255);
  const __m128i k = _mm_set1_epi16(static_cast<short>(key));
  int i = 0;
  const __m128i none = _mm_set1_epi16(static_cast<short>(kAlphaNone));
  const __m128i opaque = _mm_set1_epi16(static_cast<short>(kAlphaOpaque - 1));
  for (; i + 8 <= n; i += 8) {
    const __m128i e = Alpha8(mask != nullptr ? mask + i : nullptr, va);
    // Most texels of a sprite are wholly transparent or wholly opaque; runs of eight of either
    // skip the arithmetic (both shortcuts are exact, see the note on blending).
    if (_mm_movemask_epi8(_mm_cmpgt_epi16(e, none)) == 0) continue;
    const __m128i s = Load8(src + i);
    if (_mm_movemask_epi8(_mm_cmpgt_epi16(e, opaque)) == 0xFFFF) {
      Store8(out + i, keyed ? Select8(_mm_cmpeq_epi16(s, k), Load8(out + i), s) : s);
      continue;
    }
    const __m128i d = Load8(out + i);
    const __m128i ie = _mm_sub_epi16(full, e);
    const Channels8 cs = Split8(s), cd = Split8(d);
    const __m128i r = Div255x8(_mm_add_epi16(_mm_mullo_epi16(cs.r, e), _mm_mullo_epi16(cd.r, ie)));
    const __m128i g = Div255x8(_mm_add_epi16(_mm_mullo_epi16(cs.g, e), _mm_mullo_epi16(cd.g, ie)));
    const __m128i b = Div255x8(_mm_add_epi16(_mm_mullo_epi16(cs.b, e), _mm_mullo_epi16(cd.b, ie)));
    __m128i res = Join8(r, g, b);
    if (keyed) res = Select8(_mm_cmpeq_epi16(s, k), d, res);
    Store8(out + i, res);
  }
  BlendScalar(out + i, src + i, mask != nullptr ? mask + i : nullptr, n - i, keyed, key, a);
}

void AddRow(uint16_t* out, const uint16_t* src, const uint8_t* mask, int n, bool keyed,
            uint16_t key, uint32_t a) {
  const __m128i va = _mm_set1_epi16(static_cast<short>(a));
  const __m128i k = _mm_set1_epi16(static_cast<short>(key));
  const __m128i max5 = _mm_set1_epi16(31), max6 = _mm_set1_epi16(63);
  const __m128i none = _mm_set1_epi16(static_cast<short>(kAlphaNone));
  const bool scaled = mask != nullptr || a < 255;
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    __m128i e = va;
    if (scaled) {
      e = Alpha8(mask != nullptr ? mask + i : nullptr, va);
      // With alpha 2 or less every channel's share rounds to 0: the run adds nothing.
      if (_mm_movemask_epi8(_mm_cmpgt_epi16(e, none)) == 0) continue;
    }
    const __m128i s = Load8(src + i), d = Load8(out + i);
    Channels8 cs = Split8(s);
    if (scaled) {
      cs.r = Div255x8(_mm_mullo_epi16(cs.r, e));
      cs.g = Div255x8(_mm_mullo_epi16(cs.g, e));
      cs.b = Div255x8(_mm_mullo_epi16(cs.b, e));
    }
    const Channels8 cd = Split8(d);
    __m128i res = Join8(_mm_min_epi16(_mm_add_epi16(cs.r, cd.r), max5),
                        _mm_min_epi16(_mm_add_epi16(cs.g, cd.g), max6),
                        _mm_min_epi16(_mm_add_epi16(cs.b, cd.b), max5));
    if (keyed) res = Select8(_mm_cmpeq_epi16(s, k), d, res);
    Store8(out + i, res);
  }
  AddScalar(out + i, src + i, mask != nullptr ? mask + i : nullptr, n - i, keyed, key, a);
}

#if defined(VEPA_BOX_AVX2)
// The keyed copy and the blend sixteen pixels at a time, with the same formulas; the SSE2 code
// finishes each row.
VEPA_TARGET_AVX2 inline __m256i Div255x16(__m256i x) {
  x = _mm256_add_epi16(x, _mm256_set1_epi16(128));
  return _mm256_srli_epi16(_mm256_add_epi16(x, _mm256_srli_epi16(x, 8)), 8);
}

VEPA_TARGET_AVX2 inline __m256i Load16(const uint16_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

VEPA_TARGET_AVX2 inline void Store16(uint16_t* p, __m256i v) {
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}

VEPA_TARGET_AVX2 void CopyKeyedRowWide(uint16_t* out, const uint16_t* src, int n, uint16_t key) {
  const __m256i k = _mm256_set1_epi16(static_cast<short>(key));
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m256i s = Load16(src + i);
    Store16(out + i, _mm256_blendv_epi8(s, Load16(out + i), _mm256_cmpeq_epi16(s, k)));
  }
  CopyKeyedRow(out + i, src + i, n - i, key);
}

VEPA_TARGET_AVX2 void BlendRowWide(uint16_t* out, const uint16_t* src, const uint8_t* mask, int n,
                                   bool keyed, uint16_t key, uint32_t a) {
  const __m256i va = _mm256_set1_epi16(static_cast<short>(a)), full = _mm256_set1_epi16(255);
  const __m256i k = _mm256_set1_epi16(static_cast<short>(key));
  const __m256i none = _mm256_set1_epi16(static_cast<short>(kAlphaNone));
  const __m256i opaque = _mm256_set1_epi16(static_cast<short>(kAlphaOpaque - 1));
  const __m256i max5 = _mm256_set1_epi16(31), max6 = _mm256_set1_epi16(63);
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    __m256i e = va;
    if (mask != nullptr) {
      const __m256i m =
          _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(mask + i)));
      e = Div255x16(_mm256_mullo_epi16(m, va));
    }
    if (_mm256_movemask_epi8(_mm256_cmpgt_epi16(e, none)) == 0) continue;
    const __m256i s = Load16(src + i);
    if (_mm256_movemask_epi8(_mm256_cmpgt_epi16(e, opaque)) == -1) {
      Store16(out + i,
              keyed ? _mm256_blendv_epi8(s, Load16(out + i), _mm256_cmpeq_epi16(s, k)) : s);
      continue;
    }
    const __m256i d = Load16(out + i);
    const __m256i ie = _mm256_sub_epi16(full, e);
    const __m256i r = Div255x16(_mm256_add_epi16(_mm256_mullo_epi16(_mm256_srli_epi16(s, 11), e),
                                                 _mm256_mullo_epi16(_mm256_srli_epi16(d, 11), ie)));
    const __m256i g = Div255x16(
        _mm256_add_epi16(_mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi16(s, 5), max6), e),
                         _mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi16(d, 5), max6), ie)));
    const __m256i b =
        Div255x16(_mm256_add_epi16(_mm256_mullo_epi16(_mm256_and_si256(s, max5), e),
                                   _mm256_mullo_epi16(_mm256_and_si256(d, max5), ie)));
    __m256i res =
        _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(r, 11), _mm256_slli_epi16(g, 5)), b);
    if (keyed) res = _mm256_blendv_epi8(res, d, _mm256_cmpeq_epi16(s, k));
    Store16(out + i, res);
  }
  BlendRow(out + i, src + i, mask != nullptr ? mask + i : nullptr, n - i, keyed, key, a);
}
#endif
#else
void CopyKeyedRow(uint16_t* out, const uint16_t* src, int n, uint16_t key) {
  CopyKeyedScalar(out, src, n, key);
}
void BlendRow(uint16_t* out, const uint16_t* src, const uint8_t* mask, int n, bool keyed,
              uint16_t key, uint32_t a) {
  BlendScalar(out, src, mask, n, keyed, key, a);
}
void AddRow(uint16_t* out, const uint16_t* src, const uint8_t* mask, int n, bool keyed,
            uint16_t key, uint32_t a) {
  AddScalar(out, src, mask, n, keyed, key, a);
}
#endif

void ApplyRow(const RowOp& op, uint16_t* out, const uint16_t* src, const uint8_t* mask, int n) {
  switch (op.kind) {
    case RowOp::kCopy:
      CopyRow(out, src, n);
      break;
    case RowOp::kCopyKeyed:
#if defined(VEPA_BOX_AVX2)
      if (UseWide()) return CopyKeyedRowWide(out, src, n, op.key);
#endif
      CopyKeyedRow(out, src, n, op.key);
      break;
    case RowOp::kBlend:
#if defined(VEPA_BOX_AVX2)
      if (UseWide()) return BlendRowWide(out, src, mask, n, op.keyed, op.key, op.a);
#endif
      BlendRow(out, src, mask, n, op.keyed, op.key, op.a);
      break;
    case RowOp::kAdd:
      AddRow(out, src, mask, n, op.keyed, op.key, op.a);
      break;
  }
}

// Texels gathered from scattered places of a picture go through a small buffer on the stack
// in runs of this many pixels before the row operation combines them with the destination.
constexpr int kRun = 256;

// A pattern of a picture, checked once: every index inside width x height is valid.
struct PatternView {
  const uint16_t* pixels = nullptr;  // the pattern's top-left texel
  const uint8_t* mask = nullptr;     // same place in the alpha mask, or null
  ptrdiff_t stride = 0;              // texels per picture row
  int width = 0;
  int height = 0;
  bool keyed = false;
  uint16_t key = 0;
  size_t avail = 0;  // texels (and mask bytes) readable from `pixels` on, to the store's end
};

// False for a null image, a pattern out of range, or a picture whose pixel (or mask) store is
// smaller than its stated size (damaged data draws nothing rather than reading past the end).
bool ViewPattern(const Image* img, int pattern, PatternView& v) {
  if (img == nullptr || img->Width <= 0 || img->Height <= 0 || img->PatternWidth <= 0 ||
      img->PatternHeight <= 0) {
    return false;
  }
  // Texel indices are 32-bit; a picture of 2^31 texels or more is not a sprite.
  const size_t total = static_cast<size_t>(img->Width) * static_cast<size_t>(img->Height);
  if (total > static_cast<size_t>(INT32_MAX) || img->Pixels.size() < total) return false;
  if (!img->Alpha.empty() && img->Alpha.size() < total) return false;
  int px = 0, py = 0;
  if (!img->PatternOrigin(pattern, px, py)) return false;
  const ptrdiff_t origin = static_cast<ptrdiff_t>(py) * img->Width + px;
  v.pixels = img->Pixels.data() + origin;
  v.mask = img->Alpha.empty() ? nullptr : img->Alpha.data() + origin;
  v.stride = img->Width;
  v.width = img->PatternWidth;
  v.height = img->PatternHeight;
  v.keyed = img->Transparent;
  v.key = img->TransparentColor;
  v.avail = total - static_cast<size_t>(origin);
  return true;
}

// Texel index under the centre of cell k of a span of dstLen cells showing srcLen texels:
// floor((2k + 1) * srcLen / (2 dstLen)), then advanced one cell at a time without division.
class TexelStepper {
 public:
  TexelStepper(int64_t k, int64_t srcLen, int64_t dstLen) : den_(2 * dstLen) {
    if (k < (int64_t{1} << 30) && srcLen < (int64_t{1} << 31)) {
      const int64_t num = (2 * k + 1) * srcLen;
      q_ = num / den_;
      r_ = num % den_;
    } else {
      const unsigned __int128 num = static_cast<unsigned __int128>(2 * k + 1) * srcLen;
      q_ = static_cast<int64_t>(num / static_cast<unsigned __int128>(den_));
      r_ = static_cast<int64_t>(num % static_cast<unsigned __int128>(den_));
    }
    qStep_ = (2 * srcLen) / den_;
    rStep_ = (2 * srcLen) % den_;
  }
  int64_t Index() const { return q_; }
  void Next() {
    q_ += qStep_;
    r_ += rStep_;
    if (r_ >= den_) {
      r_ -= den_;
      ++q_;
    }
  }

 private:
  int64_t den_;
  int64_t q_ = 0, r_ = 0, qStep_ = 0, rStep_ = 0;
};

// Scratch table of texel columns, reused between calls so drawing does not allocate per sprite.
std::vector<int32_t>& ColumnScratch(size_t n) {
  thread_local std::vector<int32_t> table;
  if (table.size() < n) table.resize(n);
  return table;
}

// Fills out[0..count) with the texel columns of cells k0.. of a span of dstLen cells.
void FillColumns(int32_t* out, int64_t k0, int count, int64_t srcLen, int64_t dstLen, bool mirror) {
  TexelStepper step(k0, srcLen, dstLen);
  const int64_t last = srcLen - 1;
  for (int i = 0; i < count; ++i, step.Next()) {
    const int64_t q = step.Index();
    out[i] = static_cast<int32_t>(mirror ? last - q : q);
  }
}

// The visible part [from, to) of a span [start, start + len) on an axis of `size` pixels.
bool ClipSpan(int64_t start, int64_t len, int size, int& from, int& to) {
  const int64_t a = std::max<int64_t>(start, 0);
  const int64_t b = std::min<int64_t>(start + len, size);
  if (a >= b) return false;
  from = static_cast<int>(a);
  to = static_cast<int>(b);
  return true;
}

// The row operation of a plain or blended draw with alpha a (0..255); false when nothing shows.
bool DrawOp(const PatternView& v, uint32_t a, RowOp& op) {
  if (a <= kAlphaNone) return false;
  op.keyed = v.keyed;
  op.key = v.key;
  op.a = a;
  if (v.mask == nullptr && a >= kAlphaOpaque) {
    op.kind = v.keyed ? RowOp::kCopyKeyed : RowOp::kCopy;
  } else {
    op.kind = RowOp::kBlend;
  }
  return true;
}

// --- Area-averaged shrinking ---------------------------------------------------------------
//
// Nearest sampling of a strong shrink keeps one texel in two or three and drops the rest, so
// thin strokes and small holes come and go with the position (a glyph drawn at a third of its
// size loses whole strokes). A draw that shrinks a pattern by more than 1.5 on either axis
// therefore averages instead: each destination pixel covers a box of the pattern, and every
// texel counts with the part of it that lies in the box (a box filter). The colours are
// averaged premultiplied by the texel alpha (mask, or 0 for the transparent colour, 255
// otherwise), so transparent texels add no colour, and the pixel is blended with the averaged
// alpha times the call's alpha. An axis that is not shrunk keeps nearest sampling with the
// same texel choice as the plain path.
//
// Fixed point, the same in the AVX2, SSE2 and scalar code (every value fits 16 bits):
// - The weights of one pixel along an axis are integers summing to exactly 256, by cumulative
//   rounding of the covered lengths, so an opaque box averages to opaque and a uniform box to
//   its own colour.
// - Vertical pass, per texel column, with aw = alpha * row weight: VA = sum aw (256 a),
//   VR = sum ((r << 11) aw) >> 16 (8 r a), VG = sum ((g << 10) aw) >> 16 (4 g a), VB like VR.
// - Horizontal pass, per pixel: HX = sum (VX * W) >> 16 with W = 256 * column weight (at most
//   65535), keeping the scales.
// - Blend with the call's alpha g: a = (HA + 128) >> 8, e = round(a g / 255), and per channel
//   round((src g / 255 + dst (255 - e)) / 255), the source term scaled by g with one 16-bit
//   multiply-high (exact for g = 255).
// Each truncation loses under one unit of these scales, far below a colour step. No division
// is done per pixel, and the axis tables are kept while consecutive draws (the glyphs of a
// text) have the same size and clipping.

constexpr uint32_t kBoxOne = 256;  // the weights of a pixel along one axis sum to this

// True when a span of srcLen texels drawn over dstLen pixels is shrunk by more than 1.5.
bool StrongShrink(int64_t srcLen, int64_t dstLen) { return 2 * srcLen > 3 * dstLen; }

// The texels that the cells k0 .. k0 + n - 1 of a span of dstLen cells cover: cell i reads
// texels first[i] .. first[i] + count[i] - 1 with the weights weight[i * taps ..]. The weights
// past count are 0 and taps is even, so that columns can be taken two at a time. For the
// column pass, `spread` holds each weight times 256 (at most 65535) four times, in rows of
// spreadTaps (a multiple of four) per cell.
struct BoxAxis {
  std::vector<int32_t> first, count;
  std::vector<uint16_t> weight, spread, zeros;
  std::vector<int32_t> sumAt;  // per cell, 4 * (first - lo): where its column sums start
  int taps = 2, spreadTaps = 4;
  int32_t lo = 0, hi = 0;  // the union of all cells' texels, [lo, hi)

  void Build(int64_t k0, int n, int64_t srcLen, int64_t dstLen, bool mirror, bool spreadPairs);

 private:
  struct Key {
    int64_t k0 = -1, srcLen = 0, dstLen = 0;
    int n = 0;
    bool mirror = false, spreadPairs = false;
    bool operator==(const Key&) const = default;
  } built_;
};

void BoxAxis::Build(int64_t k0, int n, int64_t srcLen, int64_t dstLen, bool mirror,
                    bool spreadPairs) {
  const Key key{k0, srcLen, dstLen, n, mirror, spreadPairs};
  if (key == built_) return;
  built_ = key;
  first.resize(static_cast<size_t>(n));
  count.resize(static_cast<size_t>(n));
  if (srcLen <= dstLen) {
    // Not shrunk: the texel under the cell's centre, as the nearest-sampling path picks it.
    taps = 2;
    weight.assign(static_cast<size_t>(n) * 2, 0);
    TexelStepper step(k0, srcLen, dstLen);
    for (int i = 0; i < n; ++i, step.Next()) {
      const int64_t q = step.Index();
      first[static_cast<size_t>(i)] = static_cast<int32_t>(mirror ? srcLen - 1 - q : q);
      count[static_cast<size_t>(i)] = 1;
      weight[static_cast<size_t>(i) * 2] = static_cast<uint16_t>(kBoxOne);
    }
  } else {
    // Cell k covers [k srcLen, (k + 1) srcLen) in units of 1 / dstLen texel; a mirrored cell k
    // covers what the plain cell dstLen - 1 - k covers. Positions are carried as texel and
    // remainder, so only the first cell needs a division. srcLen < 2^31 here (a picture side),
    // and dstLen < srcLen.
    taps = static_cast<int>((srcLen / dstLen + 3) & ~int64_t{1});
    weight.assign(static_cast<size_t>(n) * static_cast<size_t>(taps), 0);
    const int64_t stepQ = srcLen / dstLen, stepR = srcLen % dstLen;
    const int64_t kStart = mirror ? dstLen - 1 - k0 : k0;
    int64_t q = kStart * srcLen / dstLen, r = kStart * srcLen % dstLen;
    // round(c * 256 / srcLen) for a covered length c, by one multiplication; exact at srcLen.
    const uint64_t scale = (uint64_t{kBoxOne} << 32) / static_cast<uint64_t>(srcLen);
    auto part = [scale](int64_t c) {
      return static_cast<uint32_t>((static_cast<uint64_t>(c) * scale + (uint64_t{1} << 31)) >> 32);
    };
    for (int i = 0; i < n; ++i) {
      // End of the cell: one step further.
      int64_t q1 = q + stepQ, r1 = r + stepR;
      if (r1 >= dstLen) {
        r1 -= dstLen;
        ++q1;
      }
      const int64_t last = r1 > 0 ? q1 : q1 - 1;
      uint16_t* w = weight.data() + static_cast<size_t>(i) * static_cast<size_t>(taps);
      int64_t covered = 0, lead = q;
      uint32_t before = 0;
      int used = 0;
      for (int64_t j = q; j <= last; ++j) {
        const int64_t from = j == q ? r : 0, to = j == q1 ? r1 : dstLen;
        covered += to - from;
        const uint32_t upTo = part(covered);
        const uint16_t wj = static_cast<uint16_t>(upTo - before);
        before = upTo;
        // Texels too thin to get a share are left out at the ends of the box.
        if (wj == 0 && used == 0) {
          lead = j + 1;
          continue;
        }
        w[used++] = wj;
      }
      while (used > 1 && w[used - 1] == 0) --used;
      first[static_cast<size_t>(i)] = static_cast<int32_t>(lead);
      count[static_cast<size_t>(i)] = used;
      // The next cell: forwards, or backwards for a mirrored span.
      if (!mirror) {
        q = q1;
        r = r1;
      } else {
        q -= stepQ;
        r -= stepR;
        if (r < 0) {
          r += dstLen;
          --q;
        }
      }
    }
  }
  lo = INT32_MAX;
  hi = INT32_MIN;
  for (int i = 0; i < n; ++i) {
    lo = std::min(lo, first[static_cast<size_t>(i)]);
    hi = std::max(hi, first[static_cast<size_t>(i)] + count[static_cast<size_t>(i)]);
  }
  if (spreadPairs) {
    // Rows of spreadTaps (taps rounded up to four) weights, four copies each, zero-padded.
    spreadTaps = (taps + 3) & ~3;
    spread.assign(static_cast<size_t>(n) * static_cast<size_t>(spreadTaps) * 4, 0);
    for (int i = 0; i < n; ++i) {
      for (int t = 0; t < taps; ++t) {
        const uint32_t wt = weight[static_cast<size_t>(i) * taps + t];
        const uint16_t w256 = static_cast<uint16_t>(std::min<uint32_t>(wt * 256u, 65535u));
        uint16_t* at = spread.data() + (static_cast<size_t>(i) * spreadTaps + t) * 4;
        for (int k = 0; k < 4; ++k) at[k] = w256;
      }
    }
    zeros.assign(static_cast<size_t>(spreadTaps) * 4, 0);
    sumAt.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
      sumAt[static_cast<size_t>(i)] = (first[static_cast<size_t>(i)] - lo) * 4;
  }
}

// Scratch of the box draw, reused between calls.
struct BoxScratch {
  BoxAxis cols, rows;
  // Column sums of one destination row, four 16-bit values (VA, VR, VG, VB) per texel column,
  // with room past the last column for whole groups of eight and one column more.
  std::vector<uint16_t> sums;

  // The axes of the cells [kx, kx + n) x [ky, ky + m) of a pattern drawn at w x h, with room
  // in sums; gives the number of texel columns the cells read.
  int Prepare(const PatternView& v, int64_t kx, int n, int64_t ky, int m, int64_t w, int64_t h,
              bool flipX, bool flipY) {
    cols.Build(kx, n, v.width, w, flipX, true);
    rows.Build(ky, m, v.height, h, flipY, false);
    const int nc = cols.hi - cols.lo;
    // Whole groups of sixteen columns, and the last pixel's taps reading past its texels.
    const size_t need = (static_cast<size_t>(nc) + static_cast<size_t>(cols.spreadTaps) + 32) * 4;
    if (sums.size() < need) sums.resize(need);
    return nc;
  }
};

BoxScratch& Scratch() {
  thread_local BoxScratch scratch;
  return scratch;
}

// round(g * 65536 / 510): the source terms HR * this >> 16 are 4 r a g / 255 (HG: 2 g a g /
// 255); 32768 for g = 255, which halves exactly.
uint32_t SourceScale(uint32_t g) { return (g * 65536 + 255) / 510; }

#if defined(__SSE2__)
// Processors with AVX2 run the two passes sixteen columns (four column taps) at a time; the
// formulas and results are the same as those of the SSE2 code (a test compares them).

// The vertical pass of destination row ri over texel columns [left, left + nc), written to
// sums as VA VR VG VB per column. Groups of eight columns are read whole while the picture's
// store reaches that far (the columns past nc compute values nobody uses), through a padded
// copy after that.
// (Inlined into both the SSE2 and the AVX2 code, so that each keeps one instruction encoding.)
template <bool kMask, bool kKeyed>
__attribute__((always_inline)) inline void BoxColumnSumsOf(const PatternView& v,
                                                           const BoxAxis& rows, int ri,
                                                           int32_t left, int nc, uint16_t* sums) {
  const int32_t top = rows.first[static_cast<size_t>(ri)];
  const int m = rows.count[static_cast<size_t>(ri)];
  const uint16_t* w = rows.weight.data() + static_cast<size_t>(ri) * rows.taps;
  const __m128i key = _mm_set1_epi16(static_cast<short>(v.key));
  const __m128i zero = _mm_setzero_si128();
  const __m128i redMask = _mm_set1_epi16(static_cast<short>(0xF800));
  const __m128i greenMask = _mm_set1_epi16(0x07E0);
  const ptrdiff_t stride = v.stride;
  const ptrdiff_t first = static_cast<ptrdiff_t>(top) * stride + left;
  // Groups starting at or before this column read whole rows on every tap.
  const ptrdiff_t wholeUpTo =
      static_cast<ptrdiff_t>(v.avail) - (first + static_cast<ptrdiff_t>(m - 1) * stride) - 8;
  for (int c0 = 0; c0 < nc; c0 += 8) {
    __m128i sa = zero, sr = zero, sg = zero, sb = zero;
    const uint16_t* px = v.pixels + first + c0;
    const uint8_t* mk = kMask ? v.mask + first + c0 : nullptr;
    const bool whole = c0 <= wholeUpTo;
    for (int t = 0; t < m; ++t, px += stride, mk += kMask ? stride : 0) {
      __m128i p, a;
      if (whole) {
        p = Load8(px);
        if constexpr (kMask) {
          a = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(mk)), zero);
        } else {
          a = _mm_set1_epi16(255);
        }
      } else {
        alignas(16) uint16_t pad[8] = {}, padMask[8] = {};
        const size_t room = v.avail - static_cast<size_t>(px - v.pixels);
        const int k = static_cast<int>(std::min<size_t>(8, room));
        for (int i = 0; i < k; ++i) {
          pad[i] = px[i];
          padMask[i] = kMask ? mk[i] : 255;
        }
        p = Load8(pad);
        a = Load8(padMask);
      }
      if constexpr (kKeyed) a = _mm_andnot_si128(_mm_cmpeq_epi16(p, key), a);
      // Transparent texels add nothing (glyph cells are mostly empty).
      if (_mm_movemask_epi8(_mm_cmpeq_epi16(a, zero)) == 0xFFFF) continue;
      const __m128i aw = _mm_mullo_epi16(a, _mm_set1_epi16(static_cast<short>(w[t])));
      sa = _mm_add_epi16(sa, aw);
      sr = _mm_add_epi16(sr, _mm_mulhi_epu16(_mm_and_si128(p, redMask), aw));
      sg = _mm_add_epi16(sg, _mm_mulhi_epu16(_mm_slli_epi16(_mm_and_si128(p, greenMask), 5), aw));
      sb = _mm_add_epi16(sb, _mm_mulhi_epu16(_mm_slli_epi16(p, 11), aw));
    }
    // Interleave to VA VR VG VB per column.
    const __m128i ar0 = _mm_unpacklo_epi16(sa, sr), ar1 = _mm_unpackhi_epi16(sa, sr);
    const __m128i gb0 = _mm_unpacklo_epi16(sg, sb), gb1 = _mm_unpackhi_epi16(sg, sb);
    uint16_t* out = sums + static_cast<ptrdiff_t>(c0) * 4;
    Store8(out, _mm_unpacklo_epi32(ar0, gb0));
    Store8(out + 8, _mm_unpackhi_epi32(ar0, gb0));
    Store8(out + 16, _mm_unpacklo_epi32(ar1, gb1));
    Store8(out + 24, _mm_unpackhi_epi32(ar1, gb1));
  }
}

#if defined(VEPA_BOX_AVX2)
// The same with sixteen columns a group.
template <bool kMask, bool kKeyed>
VEPA_TARGET_AVX2 void BoxColumnSumsWide(const PatternView& v, const BoxAxis& rows, int ri,
                                        int32_t left, int nc, uint16_t* sums) {
  const int32_t top = rows.first[static_cast<size_t>(ri)];
  const int m = rows.count[static_cast<size_t>(ri)];
  const uint16_t* w = rows.weight.data() + static_cast<size_t>(ri) * rows.taps;
  const __m256i key = _mm256_set1_epi16(static_cast<short>(v.key));
  const __m256i zero = _mm256_setzero_si256();
  const __m256i redMask = _mm256_set1_epi16(static_cast<short>(0xF800));
  const __m256i greenMask = _mm256_set1_epi16(0x07E0);
  const ptrdiff_t stride = v.stride;
  const ptrdiff_t first = static_cast<ptrdiff_t>(top) * stride + left;
  const ptrdiff_t wholeUpTo =
      static_cast<ptrdiff_t>(v.avail) - (first + static_cast<ptrdiff_t>(m - 1) * stride) - 16;
  int c0 = 0;
  for (; c0 + 8 < nc; c0 += 16) {
    __m256i sa = zero, sr = zero, sg = zero, sb = zero;
    const uint16_t* px = v.pixels + first + c0;
    const uint8_t* mk = kMask ? v.mask + first + c0 : nullptr;
    const bool whole = c0 <= wholeUpTo;
    for (int t = 0; t < m; ++t, px += stride, mk += kMask ? stride : 0) {
      __m256i p, a;
      if (whole) {
        p = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(px));
        if constexpr (kMask) {
          a = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(mk)));
        } else {
          a = _mm256_set1_epi16(255);
        }
      } else {
        alignas(32) uint16_t pad[16] = {}, padMask[16] = {};
        const size_t room = v.avail - static_cast<size_t>(px - v.pixels);
        const int k = static_cast<int>(std::min<size_t>(16, room));
        for (int i = 0; i < k; ++i) {
          pad[i] = px[i];
          padMask[i] = kMask ? mk[i] : 255;
        }
        p = _mm256_load_si256(reinterpret_cast<const __m256i*>(pad));
        a = _mm256_load_si256(reinterpret_cast<const __m256i*>(padMask));
      }
      if constexpr (kKeyed) a = _mm256_andnot_si256(_mm256_cmpeq_epi16(p, key), a);
      if (_mm256_testz_si256(a, a)) continue;  // transparent texels add nothing
      const __m256i aw = _mm256_mullo_epi16(a, _mm256_set1_epi16(static_cast<short>(w[t])));
      sa = _mm256_add_epi16(sa, aw);
      sr = _mm256_add_epi16(sr, _mm256_mulhi_epu16(_mm256_and_si256(p, redMask), aw));
      sg = _mm256_add_epi16(
          sg, _mm256_mulhi_epu16(_mm256_slli_epi16(_mm256_and_si256(p, greenMask), 5), aw));
      sb = _mm256_add_epi16(sb, _mm256_mulhi_epu16(_mm256_slli_epi16(p, 11), aw));
    }
    // Interleave to VA VR VG VB per column; the unpacks work within 128-bit halves, so the
    // halves hold columns 0-1 | 8-9, 2-3 | 10-11, 4-5 | 12-13 and 6-7 | 14-15.
    const __m256i ar0 = _mm256_unpacklo_epi16(sa, sr), ar1 = _mm256_unpackhi_epi16(sa, sr);
    const __m256i gb0 = _mm256_unpacklo_epi16(sg, sb), gb1 = _mm256_unpackhi_epi16(sg, sb);
    const __m256i x0 = _mm256_unpacklo_epi32(ar0, gb0), x1 = _mm256_unpackhi_epi32(ar0, gb0);
    const __m256i x2 = _mm256_unpacklo_epi32(ar1, gb1), x3 = _mm256_unpackhi_epi32(ar1, gb1);
    __m256i* out = reinterpret_cast<__m256i*>(sums + static_cast<ptrdiff_t>(c0) * 4);
    _mm256_storeu_si256(out, _mm256_permute2x128_si256(x0, x1, 0x20));
    _mm256_storeu_si256(out + 1, _mm256_permute2x128_si256(x2, x3, 0x20));
    _mm256_storeu_si256(out + 2, _mm256_permute2x128_si256(x0, x1, 0x31));
    _mm256_storeu_si256(out + 3, _mm256_permute2x128_si256(x2, x3, 0x31));
  }
  // Eight columns or fewer left: one narrow group.
  if (c0 < nc) BoxColumnSumsOf<kMask, kKeyed>(v, rows, ri, left + c0, nc - c0, sums + c0 * 4);
}
#endif

template <bool kMask, bool kKeyed>
void BoxColumnSumsFor(bool wide, const PatternView& v, const BoxAxis& rows, int ri, int32_t left,
                      int nc, uint16_t* sums) {
#if defined(VEPA_BOX_AVX2)
  if (wide) return BoxColumnSumsWide<kMask, kKeyed>(v, rows, ri, left, nc, sums);
#endif
  (void)wide;
  BoxColumnSumsOf<kMask, kKeyed>(v, rows, ri, left, nc, sums);
}

void BoxColumnSums(bool wide, const PatternView& v, const BoxAxis& rows, int ri, int32_t left,
                   int nc, uint16_t* sums) {
  if (v.mask != nullptr) {
    if (v.keyed) {
      BoxColumnSumsFor<true, true>(wide, v, rows, ri, left, nc, sums);
    } else {
      BoxColumnSumsFor<true, false>(wide, v, rows, ri, left, nc, sums);
    }
  } else if (v.keyed) {
    BoxColumnSumsFor<false, true>(wide, v, rows, ri, left, nc, sums);
  } else {
    BoxColumnSumsFor<false, false>(wide, v, rows, ri, left, nc, sums);
  }
}

// The horizontal pass of one pixel, kPairs (or pairs) column pairs: HA HR HG HB in the low four
// lanes. Weights past a pixel's own texels are 0.
template <int kPairs>
inline __m128i BoxPixel(const uint16_t* s, const uint16_t* w, int pairs) {
  const int n = kPairs > 0 ? kPairs : pairs;
  // Two columns a step: [A0 R0 G0 B0 A1 R1 G1 B1] times [W0 x4, W1 x4], halves added last.
  __m128i acc = _mm_mulhi_epu16(Load8(s), Load8(w));
  for (int t = 1; t < n; ++t) {
    acc = _mm_add_epi16(acc, _mm_mulhi_epu16(Load8(s + 8 * t), Load8(w + 8 * t)));
  }
  return _mm_add_epi16(acc, _mm_srli_si128(acc, 8));
}

// Two pixels of the horizontal pass: HA HR HG HB of the first in the low half, of the second
// in the high half.
template <int kPairs>
inline __m128i BoxPair(const uint16_t* s0, const uint16_t* w0, const uint16_t* s1,
                       const uint16_t* w1, int pairs) {
  return _mm_unpacklo_epi64(BoxPixel<kPairs>(s0, w0, pairs), BoxPixel<kPairs>(s1, w1, pairs));
}

#if defined(VEPA_BOX_AVX2)
// The same four columns a step, both pixels folded together.
template <int kQuads>
VEPA_TARGET_AVX2 inline __m128i BoxPairWide(const uint16_t* s0, const uint16_t* w0,
                                            const uint16_t* s1, const uint16_t* w1, int quads) {
  const int n = kQuads > 0 ? kQuads : quads;
  auto sv0 = reinterpret_cast<const __m256i*>(s0), wv0 = reinterpret_cast<const __m256i*>(w0);
  auto sv1 = reinterpret_cast<const __m256i*>(s1), wv1 = reinterpret_cast<const __m256i*>(w1);
  __m256i acc0 = _mm256_mulhi_epu16(_mm256_loadu_si256(sv0), _mm256_loadu_si256(wv0));
  __m256i acc1 = _mm256_mulhi_epu16(_mm256_loadu_si256(sv1), _mm256_loadu_si256(wv1));
  for (int t = 1; t < n; ++t) {
    acc0 = _mm256_add_epi16(
        acc0, _mm256_mulhi_epu16(_mm256_loadu_si256(sv0 + t), _mm256_loadu_si256(wv0 + t)));
    acc1 = _mm256_add_epi16(
        acc1, _mm256_mulhi_epu16(_mm256_loadu_si256(sv1 + t), _mm256_loadu_si256(wv1 + t)));
  }
  // Halves: [first.lo + first.hi | second.lo + second.hi], then the quarters of each.
  const __m256i u = _mm256_add_epi16(_mm256_permute2x128_si256(acc0, acc1, 0x20),
                                     _mm256_permute2x128_si256(acc0, acc1, 0x31));
  const __m256i v = _mm256_add_epi16(u, _mm256_srli_si256(u, 8));
  return _mm256_castsi256_si128(_mm256_permute4x64_epi64(v, 0x08));
}
#endif

// The blend of eight pixels at out (k of them real) from their horizontal sums, two pixels
// to each of q[0..4).
__attribute__((always_inline)) inline void BoxBlendEight(uint16_t* out, int k, bool roomForEight,
                                                         const __m128i* q, __m128i g,
                                                         __m128i scale) {
  const __m128i q0 = q[0], q1 = q[1], q2 = q[2], q3 = q[3];
  // Transpose to planes of eight.
  const __m128i t0 = _mm_unpacklo_epi16(q0, q1), t1 = _mm_unpackhi_epi16(q0, q1);
  const __m128i t2 = _mm_unpacklo_epi16(q2, q3), t3 = _mm_unpackhi_epi16(q2, q3);
  const __m128i u0 = _mm_unpacklo_epi16(t0, t1), u1 = _mm_unpackhi_epi16(t0, t1);
  const __m128i u2 = _mm_unpacklo_epi16(t2, t3), u3 = _mm_unpackhi_epi16(t2, t3);
  const __m128i ha = _mm_unpacklo_epi64(u0, u2), hr = _mm_unpackhi_epi64(u0, u2);
  const __m128i hg = _mm_unpacklo_epi64(u1, u3), hb = _mm_unpackhi_epi64(u1, u3);
  // Nothing covers these pixels: they keep their colour exactly.
  if (_mm_movemask_epi8(_mm_cmpeq_epi16(ha, _mm_setzero_si128())) == 0xFFFF) return;

  alignas(16) uint16_t edge[8] = {};
  uint16_t* dst = out;
  if (!roomForEight && k < 8) {
    std::memcpy(edge, dst, static_cast<size_t>(k) * sizeof(uint16_t));
    dst = edge;
  }
  const __m128i d = Load8(dst);
  const Channels8 cd = Split8(d);
  const __m128i avg = _mm_srli_epi16(_mm_add_epi16(ha, _mm_set1_epi16(128)), 8);
  const __m128i keep = _mm_sub_epi16(_mm_set1_epi16(255), Div255x8(_mm_mullo_epi16(avg, g)));
  const __m128i sr = _mm_mulhi_epu16(hr, scale);
  const __m128i sg = _mm_mulhi_epu16(hg, scale);
  const __m128i sb = _mm_mulhi_epu16(hb, scale);
  const __m128i xr = _mm_add_epi16(sr, _mm_slli_epi16(_mm_mullo_epi16(cd.r, keep), 2));
  const __m128i xg = _mm_add_epi16(sg, _mm_slli_epi16(_mm_mullo_epi16(cd.g, keep), 1));
  const __m128i xb = _mm_add_epi16(sb, _mm_slli_epi16(_mm_mullo_epi16(cd.b, keep), 2));
  const __m128i r = Div255x8(_mm_srli_epi16(_mm_add_epi16(xr, _mm_set1_epi16(2)), 2));
  const __m128i gg = Div255x8(_mm_srli_epi16(_mm_add_epi16(xg, _mm_set1_epi16(1)), 1));
  const __m128i b = Div255x8(_mm_srli_epi16(_mm_add_epi16(xb, _mm_set1_epi16(2)), 2));
  Store8(dst, Join8(_mm_min_epi16(r, _mm_set1_epi16(31)), _mm_min_epi16(gg, _mm_set1_epi16(63)),
                    _mm_min_epi16(b, _mm_set1_epi16(31))));
  if (dst == edge) std::memcpy(out, edge, static_cast<size_t>(k) * sizeof(uint16_t));
}

// The horizontal pass and the blend of one destination row of n pixels at out. Pixels past the
// row are 0, which blends to nothing. With `store` set, the horizontal sums (HA HR HG HB per
// pixel, whole groups of eight pixels, zero past the row) go there instead and nothing is drawn.
#define VEPA_BOX_ROW(PAIR)                                                                       \
  const __m128i g = _mm_set1_epi16(static_cast<short>(alpha));                                   \
  const __m128i scale = _mm_set1_epi16(static_cast<short>(SourceScale(alpha)));                  \
  const int32_t* at = cols.sumAt.data();                                                         \
  const uint16_t* spread = cols.spread.data();                                                   \
  const ptrdiff_t step = static_cast<ptrdiff_t>(cols.spreadTaps) * 4;                            \
  for (int i0 = 0; i0 < n; i0 += 8) {                                                            \
    const int k = std::min(8, n - i0);                                                           \
    __m128i q[4];                                                                                \
    for (int j = 0; j < 4; ++j) {                                                                \
      const int i = i0 + 2 * j;                                                                  \
      if (2 * j >= k) {                                                                          \
        q[j] = _mm_setzero_si128();                                                              \
      } else if (2 * j + 1 < k) {                                                                \
        q[j] = PAIR(sums + at[i], spread + i * step, sums + at[i + 1], spread + (i + 1) * step); \
      } else {                                                                                   \
        q[j] = PAIR(sums + at[i], spread + i * step, sums + at[i], cols.zeros.data());           \
      }                                                                                          \
    }                                                                                            \
    if (store != nullptr) {                                                                      \
      for (int j = 0; j < 4; ++j) Store8(store + (i0 + 2 * j) * 4, q[j]);                        \
    } else {                                                                                     \
      BoxBlendEight(out + i0, k, roomForEight, q, g, scale);                                     \
    }                                                                                            \
  }

template <int kPairs>
void BoxRowOf(uint16_t* out, int n, bool roomForEight, const BoxAxis& cols, const uint16_t* sums,
              uint32_t alpha, uint16_t* store) {
  const int pairs = cols.taps / 2;
#define VEPA_PAIR(s0, w0, s1, w1) BoxPair<kPairs>(s0, w0, s1, w1, pairs)
  VEPA_BOX_ROW(VEPA_PAIR)
#undef VEPA_PAIR
}

#if defined(VEPA_BOX_AVX2)
template <int kQuads>
VEPA_TARGET_AVX2 void BoxRowWide(uint16_t* out, int n, bool roomForEight, const BoxAxis& cols,
                                 const uint16_t* sums, uint32_t alpha, uint16_t* store) {
  const int quads = cols.spreadTaps / 4;
#define VEPA_PAIR(s0, w0, s1, w1) BoxPairWide<kQuads>(s0, w0, s1, w1, quads)
  VEPA_BOX_ROW(VEPA_PAIR)
#undef VEPA_PAIR
}
#endif

void BoxRow(bool wide, uint16_t* out, int n, bool roomForEight, const BoxAxis& cols,
            const uint16_t* sums, uint32_t alpha, uint16_t* store = nullptr) {
#if defined(VEPA_BOX_AVX2)
  if (wide) {
    if (cols.spreadTaps == 4) return BoxRowWide<1>(out, n, roomForEight, cols, sums, alpha, store);
    return BoxRowWide<0>(out, n, roomForEight, cols, sums, alpha, store);
  }
#endif
  (void)wide;
  switch (cols.taps) {
    case 2:
      BoxRowOf<1>(out, n, roomForEight, cols, sums, alpha, store);
      break;
    case 4:
      BoxRowOf<2>(out, n, roomForEight, cols, sums, alpha, store);
      break;
    default:
      BoxRowOf<0>(out, n, roomForEight, cols, sums, alpha, store);
      break;
  }
}
#else
void BoxColumnSums(bool, const PatternView& v, const BoxAxis& rows, int ri, int32_t left, int nc,
                   uint16_t* sums) {
  const int32_t top = rows.first[static_cast<size_t>(ri)];
  const int m = rows.count[static_cast<size_t>(ri)];
  const uint16_t* w = rows.weight.data() + static_cast<size_t>(ri) * rows.taps;
  for (int c = 0; c < nc; ++c) {
    uint32_t sa = 0, sr = 0, sg = 0, sb = 0;
    for (int t = 0; t < m; ++t) {
      const ptrdiff_t at = static_cast<ptrdiff_t>(top + t) * v.stride + left + c;
      const uint32_t p = v.pixels[at];
      uint32_t a = v.mask != nullptr ? v.mask[at] : 255;
      if (v.keyed && p == v.key) a = 0;
      const uint32_t aw = (a * w[t]) & 0xFFFFu;
      sa += aw;
      sr += ((p & 0xF800u) * aw) >> 16;
      sg += (((p & 0x07E0u) << 5) * aw) >> 16;
      sb += (((p << 11) & 0xFFFFu) * aw) >> 16;
    }
    uint16_t* out = sums + static_cast<ptrdiff_t>(c) * 4;
    out[0] = static_cast<uint16_t>(sa);
    out[1] = static_cast<uint16_t>(sr);
    out[2] = static_cast<uint16_t>(sg);
    out[3] = static_cast<uint16_t>(sb);
  }
}

void BoxRow(bool, uint16_t* out, int n, bool, const BoxAxis& cols, const uint16_t* sums,
            uint32_t alpha) {
  const uint32_t scale = SourceScale(alpha);
  for (int i = 0; i < n; ++i) {
    const int32_t f = cols.first[static_cast<size_t>(i)] - cols.lo;
    const int m = cols.count[static_cast<size_t>(i)];
    const uint16_t* w = cols.spread.data() + static_cast<size_t>(i) * cols.spreadTaps * 4;
    uint32_t h[4] = {0, 0, 0, 0};
    for (int t = 0; t < m; ++t) {
      const uint32_t wt = w[t * 4];
      for (int c = 0; c < 4; ++c) h[c] += (sums[static_cast<ptrdiff_t>(f + t) * 4 + c] * wt) >> 16;
    }
    const uint32_t d = out[i];
    const uint32_t avg = ((h[0] & 0xFFFFu) + 128) >> 8;
    const uint32_t keep = 255 - Div255(avg * alpha);
    const uint32_t sr = (h[1] * scale) >> 16, sg = (h[2] * scale) >> 16, sb = (h[3] * scale) >> 16;
    const uint32_t r = Div255((sr + (((d >> 11) * keep) << 2) + 2) >> 2);
    const uint32_t g = Div255((sg + ((((d >> 5) & 63) * keep) << 1) + 1) >> 1);
    const uint32_t b = Div255((sb + (((d & 31) * keep) << 2) + 2) >> 2);
    out[i] = static_cast<uint16_t>((std::min(r, 31u) << 11) | (std::min(g, 63u) << 5) |
                                   std::min(b, 31u));
  }
}
#endif

}  // namespace

// --- Kept shrinks ----------------------------------------------------------------------------
//
// The horizontal sums of a pixel depend only on the pattern, the size it is drawn at and the
// mirroring, so a kept shrink holds them for the whole unclipped box, and drawing it again is
// the blend stage alone, with the same results as averaging afresh.

namespace {

struct ShrinkKey {
  const uint16_t* pixels;
  const uint8_t* mask;
  ptrdiff_t stride;
  int width, height;
  bool keyed;
  uint16_t key;
  int64_t w, h;
  bool flipX, flipY;
  bool operator==(const ShrinkKey&) const = default;
};

struct ShrinkKeyHash {
  size_t operator()(const ShrinkKey& k) const {
    uint64_t x = reinterpret_cast<uintptr_t>(k.pixels);
    auto mix = [&x](uint64_t v) { x = (x ^ v) * 0x9E37'79B9'7F4A'7C15ull; };
    mix(reinterpret_cast<uintptr_t>(k.mask));
    mix(static_cast<uint64_t>(k.stride));
    mix(static_cast<uint64_t>(k.width) << 32 | static_cast<uint32_t>(k.height));
    mix(static_cast<uint64_t>(k.w) << 32 ^ static_cast<uint64_t>(k.h));
    mix(static_cast<uint64_t>(k.key) << 3 | (k.keyed ? 4u : 0u) | (k.flipX ? 2u : 0u) |
        (k.flipY ? 1u : 0u));
    return static_cast<size_t>(x ^ (x >> 29));
  }
};

struct KeptShrink {
  int rowStride = 0;  // values per row: four per pixel, whole groups of eight pixels
  std::vector<uint16_t> sums;
};

}  // namespace

struct ShrinkCache::Store {
  std::unordered_map<ShrinkKey, KeptShrink, ShrinkKeyHash> entries;
  size_t bytes = 0;
};

ShrinkCache::ShrinkCache() : store_(std::make_unique<Store>()) {}
ShrinkCache::~ShrinkCache() = default;

void ShrinkCache::Clear() {
  store_->entries.clear();
  store_->bytes = 0;
}

void ShrinkCache::Forget(const std::vector<Image>& pictures) {
  auto& entries = store_->entries;
  for (auto it = entries.begin(); it != entries.end();) {
    const auto at = reinterpret_cast<uintptr_t>(it->first.pixels);
    const bool theirs = std::any_of(pictures.begin(), pictures.end(), [at](const Image& img) {
      const auto from = reinterpret_cast<uintptr_t>(img.Pixels.data());
      return at >= from && at < from + img.Pixels.size() * sizeof(uint16_t);
    });
    if (theirs) {
      store_->bytes -= it->second.sums.size() * sizeof(uint16_t);
      it = entries.erase(it);
    } else {
      ++it;
    }
  }
}

size_t ShrinkCache::Size() const { return store_->entries.size(); }

namespace {

#if defined(__SSE2__)
// Blends the kept sums of the pixels [x0, x1) x [y0, y1) of a box placed at (left, top).
void BlendKeptShrink(Surface& dst, const std::vector<uint16_t>& sums, int rowStride, int64_t left,
                     int64_t top, int x0, int x1, int y0, int y1, uint32_t a) {
  const __m128i g = _mm_set1_epi16(static_cast<short>(a));
  const __m128i scale = _mm_set1_epi16(static_cast<short>(SourceScale(a)));
  const int n = x1 - x0;
  const bool roomForEight = x1 - n % 8 + 8 <= dst.width;  // for the last, partial group
  for (int y = y0; y < y1; ++y) {
    const uint16_t* row =
        sums.data() + (y - top) * static_cast<ptrdiff_t>(rowStride) + (x0 - left) * 4;
    uint16_t* out = dst.Row(y) + x0;
    for (int i0 = 0; i0 < n; i0 += 8) {
      const int k = std::min(8, n - i0);
      const uint16_t* at = row + static_cast<ptrdiff_t>(i0) * 4;
      alignas(16) uint16_t part[32] = {};  // pixels past the visible ones blend to nothing
      if (k < 8) {
        std::memcpy(part, at, static_cast<size_t>(k) * 4 * sizeof(uint16_t));
        at = part;
      }
      const __m128i q[4] = {Load8(at), Load8(at + 8), Load8(at + 16), Load8(at + 24)};
      BoxBlendEight(out + i0, k, roomForEight, q, g, scale);
    }
  }
}

// Boxes up to this many pixels are kept (text and small sprites), in all up to kKeptBytes of
// sums; a draw that would pass that forgets all kept shrinks first.
constexpr int64_t kLargestKeptBox = 64 * 64;
constexpr size_t kKeptBytes = size_t{4} << 20;

// The kept shrink of a pattern at w x h, averaged now if it is not kept yet.
const KeptShrink& KeepShrink(ShrinkCache::Store& store, const PatternView& v, int64_t w, int64_t h,
                             bool flipX, bool flipY) {
  const ShrinkKey key{v.pixels, v.mask, v.stride, v.width, v.height, v.keyed,
                      v.key,    w,      h,        flipX,   flipY};
  if (auto found = store.entries.find(key); found != store.entries.end()) return found->second;
  const int n = static_cast<int>(w), rows = static_cast<int>(h);
  KeptShrink kept;
  kept.rowStride = ((n + 7) & ~7) * 4;
  kept.sums.assign(static_cast<size_t>(kept.rowStride) * static_cast<size_t>(rows), 0);
  const size_t bytes = kept.sums.size() * sizeof(uint16_t);
  if (store.bytes + bytes > kKeptBytes) {
    store.entries.clear();
    store.bytes = 0;
  }
  BoxScratch& s = Scratch();
  const int nc = s.Prepare(v, 0, n, 0, rows, w, h, flipX, flipY);
  const bool wide = UseWide();
  for (int y = 0; y < rows; ++y) {
    BoxColumnSums(wide, v, s.rows, y, s.cols.lo, nc, s.sums.data());
    BoxRow(wide, nullptr, n, false, s.cols, s.sums.data(), 255,
           kept.sums.data() + static_cast<ptrdiff_t>(y) * kept.rowStride);
  }
  store.bytes += bytes;
  return store.entries.emplace(key, std::move(kept)).first->second;
}
#endif

// The area-averaged draw of a pattern over [left, left + w) x [top, top + h), for shrinks.
void DrawBoxFiltered(Surface& dst, const PatternView& v, int64_t left, int64_t top, int64_t w,
                     int64_t h, bool flipX, bool flipY, uint32_t a, ShrinkCache* cache) {
  int x0, x1, y0, y1;
  if (!ClipSpan(left, w, dst.width, x0, x1) || !ClipSpan(top, h, dst.height, y0, y1)) return;
#if defined(__SSE2__)
  if (cache != nullptr && w * h <= kLargestKeptBox) {
    const KeptShrink& kept = KeepShrink(cache->Kept(), v, w, h, flipX, flipY);
    BlendKeptShrink(dst, kept.sums, kept.rowStride, left, top, x0, x1, y0, y1, a);
    return;
  }
#else
  (void)cache;
#endif
  BoxScratch& s = Scratch();
  const int n = x1 - x0;
  const int nc = s.Prepare(v, x0 - left, n, y0 - top, y1 - y0, w, h, flipX, flipY);
  const bool wide = UseWide();
  const bool roomForEight = x1 - n % 8 + 8 <= dst.width;  // for the last, partial group
  for (int y = y0; y < y1; ++y) {
    BoxColumnSums(wide, v, s.rows, y - y0, s.cols.lo, nc, s.sums.data());
    BoxRow(wide, dst.Row(y) + x0, n, roomForEight, s.cols, s.sums.data(), a);
  }
}

// Draws a pattern stretched over [left, left + w) x [top, top + h), optionally mirrored, with
// alpha 0..255 (255 = opaque).
void DrawStretched(Surface& dst, const PatternView& v, int64_t left, int64_t top, int64_t w,
                   int64_t h, bool flipX, bool flipY, uint32_t a, ShrinkCache* cache = nullptr) {
  if (w <= 0 || h <= 0 || !Usable(dst)) return;
  RowOp op;
  if (!DrawOp(v, a, op)) return;
  if (StrongShrink(v.width, w) || StrongShrink(v.height, h)) {
    DrawBoxFiltered(dst, v, left, top, w, h, flipX, flipY, a, cache);
    return;
  }
  int x0, x1, y0, y1;
  if (!ClipSpan(left, w, dst.width, x0, x1) || !ClipSpan(top, h, dst.height, y0, y1)) return;

  // 1:1 columns read the texel row straight from the picture; others through a column table.
  const bool identity = !flipX && w == v.width;
  const int n = x1 - x0;
  const int32_t first = static_cast<int32_t>(x0 - left);
  const int32_t* cols = nullptr;
  if (!identity) {
    std::vector<int32_t>& table = ColumnScratch(static_cast<size_t>(n));
    FillColumns(table.data(), x0 - left, n, v.width, w, flipX);
    cols = table.data();
  }

  uint16_t run[kRun];
  uint8_t runMask[kRun];
  TexelStepper rowStep(y0 - top, v.height, h);
  for (int y = y0; y < y1; ++y, rowStep.Next()) {
    const int64_t q = rowStep.Index();
    const ptrdiff_t sy = static_cast<ptrdiff_t>(flipY ? v.height - 1 - q : q);
    const uint16_t* src = v.pixels + sy * v.stride;
    const uint8_t* mask = v.mask != nullptr ? v.mask + sy * v.stride : nullptr;
    uint16_t* out = dst.Row(y) + x0;
    if (identity) {
      ApplyRow(op, out, src + first, mask != nullptr ? mask + first : nullptr, n);
    } else if (op.kind == RowOp::kCopy) {
      for (int i = 0; i < n; ++i) out[i] = src[cols[i]];
    } else if (op.kind == RowOp::kCopyKeyed) {
      for (int i = 0; i < n; ++i) {
        const uint16_t p = src[cols[i]];
        if (p != op.key) out[i] = p;
      }
    } else {
      for (int i0 = 0; i0 < n; i0 += kRun) {
        const int m = std::min(kRun, n - i0);
        const int32_t* c = cols + i0;
        for (int i = 0; i < m; ++i) run[i] = src[c[i]];
        if (mask != nullptr) {
          for (int i = 0; i < m; ++i) runMask[i] = mask[c[i]];
        }
        ApplyRow(op, out + i0, run, mask != nullptr ? runMask : nullptr, m);
      }
    }
  }
}

// A rectangle as a stretched draw: reversed edges mirror, the span staying between them.
void DrawToRect(Surface& dst, const PatternView& v, const Rect& r, uint32_t a, ShrinkCache* cache) {
  const int64_t w = static_cast<int64_t>(r.Right) - r.Left;
  const int64_t h = static_cast<int64_t>(r.Bottom) - r.Top;
  const int64_t left = w < 0 ? r.Right : r.Left;
  const int64_t top = h < 0 ? r.Bottom : r.Top;
  DrawStretched(dst, v, left, top, w < 0 ? -w : w, h < 0 ? -h : h, w < 0, h < 0, a, cache);
}

uint32_t ClampAlpha(int alpha) {
  return alpha <= 0 ? 0u : alpha >= 255 ? 255u : static_cast<uint32_t>(alpha);
}

// sin and cos of k / 256 turn, exact at the quarter turns so that right angles stay exact.
struct TurnTable {
  std::array<double, 256> sine{};
  TurnTable() {
    for (int k = 0; k <= 64; ++k) {
      const double s = k == 0 ? 0.0 : k == 64 ? 1.0 : std::sin(k * (std::numbers::pi / 128.0));
      sine[k] = s;
      sine[128 - k] = s;
      sine[(128 + k) & 255] = -s;
      sine[(256 - k) & 255] = -s;
    }
  }
  double Sin(int k) const { return sine[k & 255]; }
  double Cos(int k) const { return sine[((k & 255) + 64) & 255]; }
};

const TurnTable& Turns() {
  static const TurnTable table;
  return table;
}

// Fixed-point texel coordinates of the rotated draw: 16 fraction bits, carried in 64-bit
// integers. A row starts afresh from floating point, so the rounding of the step drifts by at
// most n / 2^17 texel over n pixels (under 0.005 texel across the whole screen).
constexpr int kFixBits = 16;
constexpr double kFixOne = static_cast<double>(int64_t{1} << kFixBits);

// Nearest, halves away from zero (std::llround without the library call).
int64_t ToFixed(double value) {
  const double x = std::clamp(value * kFixOne, -4.0e18, 4.0e18);
  return x >= 0 ? static_cast<int64_t>(x + 0.5) : -static_cast<int64_t>(-x + 0.5);
}

// Pictures whose sides and row length fit in 15 bits (all real sprites) get their texel
// indices four at a time: a 32-bit lane holds the integer part of s in its low half and that
// of t in its high half, and one multiply-add with the pair (1, stride) yields t * stride + s.
// Lanes past the end of the run compute throwaway values; vector adds simply wrap. Only the
// vector path asks (a build without SSE2, such as the browser's, has none).
[[maybe_unused]] bool FitsPairedIndices(const PatternView& v) {
  return v.width < 32768 && v.height < 32768 && v.stride < 32768;
}

// idx[0..n) (and up to three entries beyond) := texel index of pixel i of a run whose fixed-point
// coordinates start at (s, t) and step by (ds, dt), every one of them inside the pattern.
void TexelIndices(int32_t* idx, int n, int64_t s, int64_t t, int64_t ds, int64_t dt,
                  const PatternView& v) {
#if defined(__SSE2__)
  if (FitsPairedIndices(v)) {
    auto lanes = [](int64_t start, int64_t step) {
      return _mm_setr_epi32(static_cast<int32_t>(start), static_cast<int32_t>(start + step),
                            static_cast<int32_t>(start + 2 * step),
                            static_cast<int32_t>(start + 3 * step));
    };
    __m128i vs = lanes(s, ds), vt = lanes(t, dt);
    const __m128i ds4 = _mm_set1_epi32(static_cast<int32_t>(4 * ds));
    const __m128i dt4 = _mm_set1_epi32(static_cast<int32_t>(4 * dt));
    const __m128i high = _mm_set1_epi32(static_cast<int32_t>(0xFFFF0000u));
    const __m128i pair =
        _mm_set1_epi32(static_cast<int32_t>(1u | (static_cast<uint32_t>(v.stride) << 16)));
    for (int i = 0; i < n; i += 4) {
      const __m128i st = _mm_or_si128(_mm_srli_epi32(vs, kFixBits), _mm_and_si128(vt, high));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(idx + i), _mm_madd_epi16(st, pair));
      vs = _mm_add_epi32(vs, ds4);
      vt = _mm_add_epi32(vt, dt4);
    }
    return;
  }
#endif
  for (int i = 0; i < n; ++i, s += ds, t += dt) {
    idx[i] = static_cast<int32_t>(static_cast<ptrdiff_t>(t >> kFixBits) * v.stride +
                                  static_cast<ptrdiff_t>(s >> kFixBits));
  }
}

// One row of the rotated draw: n pixels whose texel coordinates start at (s, t) and step by
// (ds, dt), all inside the pattern.
void RotatedRow(const RowOp& op, uint16_t* out, int n, const PatternView& v, int64_t s, int64_t t,
                int64_t ds, int64_t dt) {
  int32_t idx[kRun + 4];
  uint16_t run[kRun];
  uint8_t runMask[kRun];
  for (int i0 = 0; i0 < n; i0 += kRun) {
    const int m = std::min(kRun, n - i0);
    TexelIndices(idx, m, s, t, ds, dt, v);
    s += m * ds;
    t += m * dt;
    if (op.kind == RowOp::kCopy) {
      for (int i = 0; i < m; ++i) out[i0 + i] = v.pixels[idx[i]];
      continue;
    }
    if (op.kind == RowOp::kCopyKeyed) {
      for (int i = 0; i < m; ++i) {
        const uint16_t p = v.pixels[idx[i]];
        if (p != op.key) out[i0 + i] = p;
      }
      continue;
    }
    for (int i = 0; i < m; ++i) run[i] = v.pixels[idx[i]];
    if (v.mask != nullptr) {
      for (int i = 0; i < m; ++i) runMask[i] = v.mask[idx[i]];
    }
    ApplyRow(op, out + i0, run, v.mask != nullptr ? runMask : nullptr, m);
  }
}

// One texel axis of the rotated draw along the rows: on row py the axis coordinate of pixel px
// is coef * px + base(py), base growing by step per row. Narrows a row's pixel range to where
// the coordinate lies in [0, limit); the range's ends move linearly from row to row, so they
// are carried along instead of divided out on every row.
class RowBound {
 public:
  RowBound(double coef, double base, double step, double limit)
      : coef_(coef), base_(base), step_(step), limit_(limit) {
    if (coef_ != 0.0) {
      lo_ = -base_ / coef_;
      hi_ = (limit_ - base_) / coef_;
      if (coef_ < 0) std::swap(lo_, hi_);
      move_ = -step_ / coef_;
    }
  }
  bool Narrow(double& lo, double& hi) const {
    if (coef_ == 0.0) return base_ >= 0.0 && base_ < limit_;
    lo = std::max(lo, lo_);
    hi = std::min(hi, hi_);
    return lo <= hi;
  }
  double Base() const { return base_; }
  void Next() {
    base_ += step_;
    lo_ += move_;
    hi_ += move_;
  }

 private:
  double coef_, base_, step_, limit_;
  double lo_ = 0, hi_ = 0, move_ = 0;
};

void DrawRotated(Surface& dst, const PatternView& v, int x, int y, int width, int height,
                 double centerX, double centerY, int angle, uint32_t a) {
  if (width == 0 || height == 0 || !Usable(dst)) return;
  RowOp op;
  if (!DrawOp(v, a, op)) return;
  if (!std::isfinite(centerX) || !std::isfinite(centerY)) return;
  // Unturned, unscaled and anchored on a pixel corner, every pixel centre falls on a texel
  // centre: the turn is the plain draw, which is much quicker.
  if (angle % 256 == 0 && width == v.width && height == v.height) {
    const double left = x - centerX * width, top = y - centerY * height;
    if (left == std::floor(left) && top == std::floor(top) && std::fabs(left) < 0x1p40 &&
        std::fabs(top) < 0x1p40) {
      DrawStretched(dst, v, static_cast<int64_t>(left), static_cast<int64_t>(top), width, height,
                    false, false, a);
      return;
    }
  }

  // Picture space: (X, Y) relative to the anchor before turning, texel s = (X + cx w) pw / w.
  // Screen = anchor + (X cos - Y sin, X sin + Y cos): positive angles turn clockwise on a screen
  // whose y axis points down. Negative w or h flips the picture about the anchor by the same
  // formula. Each destination pixel samples at its centre through the inverse mapping.
  const double w = width, h = height;
  const double sn = Turns().Sin(angle), cs = Turns().Cos(angle);
  const double ox = static_cast<double>(x), oy = static_cast<double>(y);
  const double xs[2] = {-centerX * w, (1.0 - centerX) * w};
  const double ys[2] = {-centerY * h, (1.0 - centerY) * h};
  constexpr double kInf = std::numeric_limits<double>::infinity();
  double minX = kInf, maxX = -kInf, minY = kInf, maxY = -kInf;
  for (double px : xs) {
    for (double py : ys) {
      const double sx = ox + px * cs - py * sn;
      const double sy = oy + px * sn + py * cs;
      minX = std::min(minX, sx);
      maxX = std::max(maxX, sx);
      minY = std::min(minY, sy);
      maxY = std::max(maxY, sy);
    }
  }
  if (!std::isfinite(minX) || !std::isfinite(maxX) || !std::isfinite(minY) ||
      !std::isfinite(maxY)) {
    return;
  }
  const double colLo = std::max(0.0, std::floor(minX));
  const double colHi = std::min(static_cast<double>(dst.width), std::ceil(maxX));
  const double rowLo = std::max(0.0, std::floor(minY));
  const double rowHi = std::min(static_cast<double>(dst.height), std::ceil(maxY));
  if (!(colLo < colHi) || !(rowLo < rowHi)) return;

  // s(px, py) = sA * px + sB(py) and t(px, py) = tA * px + tB(py) for pixel indices.
  const double pw = v.width, ph = v.height;
  const double sA = cs * pw / w, sV = sn * pw / w, sC = centerX * pw;
  const double tA = -sn * ph / h, tV = cs * ph / h, tC = centerY * ph;
  const int64_t ds = ToFixed(sA), dt = ToFixed(tA);
  const int64_t sLimit = static_cast<int64_t>(v.width) << kFixBits;
  const int64_t tLimit = static_cast<int64_t>(v.height) << kFixBits;

  const int yFirst = static_cast<int>(rowLo), yEnd = static_cast<int>(rowHi);
  const double vy0 = yFirst + 0.5 - oy;
  RowBound sBound(sA, sA * (0.5 - ox) + sV * vy0 + sC, sV, pw);
  RowBound tBound(tA, tA * (0.5 - ox) + tV * vy0 + tC, tV, ph);
  auto inside = [&](int64_t ss, int64_t tt) {
    return ss >= 0 && ss < sLimit && tt >= 0 && tt < tLimit;
  };
  for (int py = yFirst; py < yEnd; ++py, sBound.Next(), tBound.Next()) {
    double lo = colLo, hi = colHi;
    if (!sBound.Narrow(lo, hi) || !tBound.Narrow(lo, hi)) continue;
    // One pixel of slack on each side; the exact fixed-point test below has the last word.
    int start = static_cast<int>(std::max(colLo, std::ceil(lo) - 1.0));
    int end = static_cast<int>(std::min(colHi, std::floor(hi) + 2.0));
    if (start >= end) continue;
    int64_t s = ToFixed(sA * start + sBound.Base());
    int64_t t = ToFixed(tA * start + tBound.Base());
    while (start < end && !inside(s, t)) {
      ++start;
      s += ds;
      t += dt;
    }
    // Each bound is monotonic along the row, so the inside pixels form one run.
    while (end > start && !inside(s + (end - 1 - start) * ds, t + (end - 1 - start) * dt)) --end;
    if (start < end) RotatedRow(op, dst.Row(py) + start, end - start, v, s, t, ds, dt);
  }
}

}  // namespace

void UseWideVectors(bool allow) { wideVectorsAllowed.store(allow, std::memory_order_relaxed); }

void DrawPattern(Surface& dst, const Image* img, int pattern, int x, int y) {
  PatternView v;
  if (!ViewPattern(img, pattern, v)) return;
  DrawStretched(dst, v, x, y, v.width, v.height, false, false, 255);
}

void StretchPattern(Surface& dst, const Image* img, int pattern, const Rect& r,
                    ShrinkCache* cache) {
  PatternView v;
  if (!ViewPattern(img, pattern, v)) return;
  DrawToRect(dst, v, r, 255, cache);
}

void DrawPatternAlpha(Surface& dst, const Image* img, int pattern, const Rect& r, int alpha,
                      ShrinkCache* cache) {
  PatternView v;
  if (!ViewPattern(img, pattern, v)) return;
  DrawToRect(dst, v, r, ClampAlpha(alpha), cache);
}

void DrawPatternRotated(Surface& dst, const Image* img, int pattern, int x, int y, int width,
                        int height, double centerX, double centerY, int angle) {
  PatternView v;
  if (!ViewPattern(img, pattern, v)) return;
  DrawRotated(dst, v, x, y, width, height, centerX, centerY, angle, 255);
}

void DrawPatternRotatedAlpha(Surface& dst, const Image* img, int pattern, int x, int y, int width,
                             int height, double centerX, double centerY, int angle, int alpha) {
  PatternView v;
  if (!ViewPattern(img, pattern, v)) return;
  DrawRotated(dst, v, x, y, width, height, centerX, centerY, angle, ClampAlpha(alpha));
}

void DrawPatternWaveAdd(Surface& dst, const Image* img, int pattern, int x, int y, int width,
                        int height, int amplitude, int length, int phase, int alpha) {
  PatternView v;
  if (!ViewPattern(img, pattern, v)) return;
  const uint32_t a = ClampAlpha(alpha);
  if (a == 0 || width <= 0 || height <= 0 || !Usable(dst)) return;
  int y0, y1, unused0, unused1;
  if (!ClipSpan(y, height, dst.height, y0, y1)) return;
  // Rows may only wander within the amplitude, so a picture further off-screen shows nothing.
  const int64_t reach = std::abs(static_cast<int64_t>(amplitude)) + 1;
  if (!ClipSpan(static_cast<int64_t>(x) - reach, width + 2 * reach, dst.width, unused0, unused1)) {
    return;
  }

  // Per visible row: its shift and its visible cells [k, k + n) of the span (n = 0: none).
  // A length of 0 has no wave to follow: the rows stay unshifted.
  struct RowSpan {
    int64_t k;
    int x;
    int n;
  };
  thread_local std::vector<RowSpan> spans;
  spans.assign(static_cast<size_t>(y1 - y0), RowSpan{0, 0, 0});
  int64_t kLo = INT64_MAX, kHi = INT64_MIN;
  for (int py = y0; py < y1; ++py) {
    int64_t shift = 0;
    if (length != 0) {
      const double r = static_cast<double>(static_cast<int64_t>(py) - y);
      const double turn = (phase + 256.0 * r / length) / 256.0;
      // Nearest, halves to even (the default rounding mode).
      shift =
          static_cast<int64_t>(std::nearbyint(amplitude * std::sin(2.0 * std::numbers::pi * turn)));
    }
    const int64_t left = static_cast<int64_t>(x) + shift;
    int from, to;
    if (!ClipSpan(left, width, dst.width, from, to)) continue;
    RowSpan& span = spans[static_cast<size_t>(py - y0)];
    span = RowSpan{from - left, from, to - from};
    kLo = std::min(kLo, span.k);
    kHi = std::max(kHi, span.k + span.n);
  }
  if (kLo >= kHi) return;

  // One column table serves all rows when their visible cells stay close together (always, for
  // sane amplitudes); otherwise each row fills its own.
  const bool shared = kHi - kLo <= 4 * static_cast<int64_t>(dst.width);
  std::vector<int32_t>& table =
      ColumnScratch(shared ? static_cast<size_t>(kHi - kLo) : static_cast<size_t>(dst.width));
  if (shared) FillColumns(table.data(), kLo, static_cast<int>(kHi - kLo), v.width, width, false);

  RowOp op;
  op.kind = RowOp::kAdd;
  op.keyed = v.keyed;
  op.key = v.key;
  op.a = a;
  uint16_t run[kRun];
  uint8_t runMask[kRun];
  TexelStepper rowStep(y0 - static_cast<int64_t>(y), v.height, height);
  for (int py = y0; py < y1; ++py, rowStep.Next()) {
    const RowSpan& span = spans[static_cast<size_t>(py - y0)];
    if (span.n == 0) continue;
    const ptrdiff_t sy = static_cast<ptrdiff_t>(rowStep.Index());
    const int32_t* cols;
    if (shared) {
      cols = table.data() + (span.k - kLo);
    } else {
      FillColumns(table.data(), span.k, span.n, v.width, width, false);
      cols = table.data();
    }
    const uint16_t* src = v.pixels + sy * v.stride;
    const uint8_t* mask = v.mask != nullptr ? v.mask + sy * v.stride : nullptr;
    uint16_t* out = dst.Row(py) + span.x;
    for (int i0 = 0; i0 < span.n; i0 += kRun) {
      const int m = std::min(kRun, span.n - i0);
      const int32_t* c = cols + i0;
      for (int i = 0; i < m; ++i) run[i] = src[c[i]];
      if (mask != nullptr) {
        for (int i = 0; i < m; ++i) runMask[i] = mask[c[i]];
      }
      ApplyRow(op, out + i0, run, mask != nullptr ? runMask : nullptr, m);
    }
  }
}

void FillSurface(Surface& dst, uint16_t color) {
  FillPixels(dst.pixels.data(), dst.pixels.size(), color);
}

void FillRectangle(Surface& dst, int x1, int y1, int x2, int y2, uint16_t color) {
  if (!Usable(dst)) return;
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  int fx0, fx1, fy0, fy1;
  if (!ClipSpan(x1, static_cast<int64_t>(x2) - x1, dst.width, fx0, fx1) ||
      !ClipSpan(y1, static_cast<int64_t>(y2) - y1, dst.height, fy0, fy1)) {
    return;
  }
  for (int y = fy0; y < fy1; ++y) {
    FillPixels(dst.Row(y) + fx0, static_cast<size_t>(fx1 - fx0), color);
  }
}

void FillEllipse(Surface& dst, int x1, int y1, int x2, int y2, uint16_t color) {
  if (!Usable(dst)) return;
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  // The ellipse inscribed in [x1, x2) x [y1, y2): pixel (i, j) is filled when its centre lies
  // inside. In doubled coordinates X = 2i + 1 - (x1 + x2), Y = 2j + 1 - (y1 + y2), with A and B
  // the box width and height, that is X^2 B^2 + Y^2 A^2 <= A^2 B^2 (exact in doubles for any
  // box below 8192 pixels).
  const int64_t sumX = static_cast<int64_t>(x1) + x2, sumY = static_cast<int64_t>(y1) + y2;
  const double A = static_cast<double>(static_cast<int64_t>(x2) - x1);
  const double B = static_cast<double>(static_cast<int64_t>(y2) - y1);
  if (A <= 0 || B <= 0) return;
  int fy0, fy1, fx0, fx1;
  if (!ClipSpan(y1, static_cast<int64_t>(y2) - y1, dst.height, fy0, fy1)) return;
  if (!ClipSpan(x1, static_cast<int64_t>(x2) - x1, dst.width, fx0, fx1)) return;
  const double A2 = A * A, B2 = B * B, A2B2 = A2 * B2;
  // X has the parity of 1 + x1 + x2 on every row.
  const int64_t parity = (1 + sumX) & 1;
  for (int j = fy0; j < fy1; ++j) {
    const double Y = static_cast<double>(2 * static_cast<int64_t>(j) + 1 - sumY);
    const double room = A2B2 - Y * Y * A2;  // X^2 B^2 must not exceed this
    if (room < 0) continue;
    int64_t m = static_cast<int64_t>(std::sqrt(room / B2));
    while (m > 0 && static_cast<double>(m) * m * B2 > room) --m;
    while (static_cast<double>(m + 1) * (m + 1) * B2 <= room) ++m;
    if ((m & 1) != parity) --m;  // the largest |X| of the right parity
    if (m < 0) continue;
    const int64_t left = (-m + sumX - 1) / 2;  // exact: -m + sumX - 1 is even
    const int64_t right = (m + sumX - 1) / 2;  // inclusive
    const int64_t a = std::max<int64_t>(left, fx0);
    const int64_t b = std::min<int64_t>(right + 1, fx1);
    if (a < b) {
      FillPixels(dst.Row(j) + a, static_cast<size_t>(b - a), color);
    }
  }
}

void DrawLine(Surface& dst, int x1, int y1, int x2, int y2, uint16_t color) {
  // Steps along the longer axis from the start, end point excluded; the other coordinate is
  // the start's plus round(k * minor / major), halves away from the start.
  const int64_t dx = static_cast<int64_t>(x2) - x1, dy = static_cast<int64_t>(y2) - y1;
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool steep = ady > adx;
  const int64_t major = steep ? ady : adx, minor = steep ? adx : ady;
  if (major == 0 || !Usable(dst)) return;
  const int64_t ma0 = steep ? y1 : x1, mi0 = steep ? x1 : y1;
  const int64_t maStep = (steep ? dy : dx) < 0 ? -1 : 1, miStep = (steep ? dx : dy) < 0 ? -1 : 1;
  const int64_t maSize = steep ? dst.height : dst.width, miSize = steep ? dst.width : dst.height;

  // Steps k in [kLo, kHi) whose major coordinate lies on the surface.
  int64_t kLo = 0, kHi = major;
  if (maStep > 0) {
    kLo = std::max(kLo, -ma0);
    kHi = std::min(kHi, maSize - ma0);
  } else {
    kLo = std::max(kLo, ma0 - (maSize - 1));
    kHi = std::min(kHi, ma0 + 1);
  }
  // The minor coordinate moves at most one pixel per step; start near where it enters.
  if (minor > 0) {
    const double perStep = static_cast<double>(minor) / static_cast<double>(major);
    const double enter =
        miStep > 0 ? static_cast<double>(-mi0) : static_cast<double>(mi0 - (miSize - 1));
    const double leave =
        miStep > 0 ? static_cast<double>(miSize - mi0) : static_cast<double>(mi0 + 1);
    // off(k) = floor(k * perStep + 0.5) reaches a value E from k = (E - 0.5) / perStep on.
    const double first = std::floor((enter - 0.5) / perStep) - 2.0;
    const double last = std::ceil((leave - 0.5) / perStep) + 2.0;
    if (first > static_cast<double>(kLo))
      kLo = static_cast<int64_t>(std::min(first, static_cast<double>(kHi)));
    if (last < static_cast<double>(kHi))
      kHi = static_cast<int64_t>(std::max(last, static_cast<double>(kLo)));
  } else if (mi0 < 0 || mi0 >= miSize) {
    return;
  }
  if (kLo >= kHi) return;

  // offset(k) = floor((2 k minor + major) / (2 major)), carried as quotient and remainder.
  const int64_t den = 2 * major;
  const unsigned __int128 num0 =
      static_cast<unsigned __int128>(2 * kLo) * static_cast<unsigned __int128>(minor) +
      static_cast<unsigned __int128>(major);
  int64_t off = static_cast<int64_t>(num0 / static_cast<unsigned __int128>(den));
  int64_t rem = static_cast<int64_t>(num0 % static_cast<unsigned __int128>(den));
  const int64_t inc = 2 * minor;  // <= den, so one carry at most per step
  for (int64_t k = kLo; k < kHi; ++k) {
    const int64_t ma = ma0 + k * maStep, mi = mi0 + off * miStep;
    if (mi >= 0 && mi < miSize) {
      const int64_t px = steep ? mi : ma, py = steep ? ma : mi;
      dst.Row(static_cast<int>(py))[px] = color;
    }
    rem += inc;
    if (rem >= den) {
      rem -= den;
      ++off;
    }
  }
}

void BlitSurface(Surface& dst, int x, int y, const Surface& src, const Rect& srcRect,
                 bool transparent, uint16_t transparentColor) {
  if (!Usable(dst) || !Usable(src)) return;
  // The source rectangle, clipped to the source; the destination point moves with its clipped
  // top-left corner.
  int64_t sx0 = std::max<int64_t>(srcRect.Left, 0), sy0 = std::max<int64_t>(srcRect.Top, 0);
  int64_t sx1 = std::min<int64_t>(srcRect.Right, src.width);
  int64_t sy1 = std::min<int64_t>(srcRect.Bottom, src.height);
  int64_t dx0 = static_cast<int64_t>(x) + (sx0 - srcRect.Left);
  int64_t dy0 = static_cast<int64_t>(y) + (sy0 - srcRect.Top);
  // Then to the destination.
  if (dx0 < 0) {
    sx0 -= dx0;
    dx0 = 0;
  }
  if (dy0 < 0) {
    sy0 -= dy0;
    dy0 = 0;
  }
  sx1 = std::min<int64_t>(sx1, sx0 + (dst.width - dx0));
  sy1 = std::min<int64_t>(sy1, sy0 + (dst.height - dy0));
  if (sx0 >= sx1 || sy0 >= sy1) return;
  const int n = static_cast<int>(sx1 - sx0), rows = static_cast<int>(sy1 - sy0);

  // A copy within one surface goes through a scratch copy of the source rows, so overlapping
  // rectangles read the picture as it was before the copy.
  const Surface* from = &src;
  Surface scratch;
  if (&src == &dst) {
    scratch.Resize(n, rows);
    for (int r = 0; r < rows; ++r) {
      std::memcpy(scratch.Row(r), src.Row(static_cast<int>(sy0) + r) + sx0,
                  static_cast<size_t>(n) * sizeof(uint16_t));
    }
    from = &scratch;
    sx0 = 0;
    sy0 = 0;
  }
  // Whole rows of equally wide surfaces (the background onto the back buffer) are one block.
  if (!transparent && n == from->width && n == dst.width) {
    std::memcpy(dst.Row(static_cast<int>(dy0)), from->Row(static_cast<int>(sy0)),
                static_cast<size_t>(n) * static_cast<size_t>(rows) * sizeof(uint16_t));
    return;
  }
  for (int r = 0; r < rows; ++r) {
    const uint16_t* in = from->Row(static_cast<int>(sy0) + r) + sx0;
    uint16_t* out = dst.Row(static_cast<int>(dy0) + r) + dx0;
    if (!transparent) {
      CopyRow(out, in, n);
    } else {
      CopyKeyedRow(out, in, n, transparentColor);
    }
  }
}

}  // namespace vepa
