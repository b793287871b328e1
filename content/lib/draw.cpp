#include "draw.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "content.h"

namespace art {

void SetColor(cairo_t* cr, const Color& c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::max(0.0, std::min(r, std::min(w, h) / 2));
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  if (rx <= 0 || ry <= 0) return;
  cairo_new_sub_path(cr);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_close_path(cr);
}

void Circle(cairo_t* cr, double cx, double cy, double r) { Ellipse(cr, cx, cy, r, r); }

void Star(cairo_t* cr, double cx, double cy, double outer, double inner, int points, double turn) {
  cairo_new_sub_path(cr);
  for (int i = 0; i < 2 * points; ++i) {
    const double a = turn * 2 * M_PI + M_PI * i / points - M_PI / 2;
    const double r = i % 2 == 0 ? outer : inner;
    cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
  }
  cairo_close_path(cr);
}

void MirroredOutline(cairo_t* cr, double cx, double cy, double rx, double ry,
                     std::initializer_list<double> half) {
  const size_t n = half.size();
  if (n < 8 || (n - 2) % 6 != 0)
    throw content::BuildError("a mirrored outline needs a start and whole cubics (" +
                              std::to_string(n) + " numbers)");
  const double* p = half.begin();
  auto x = [&](size_t i) { return cx + rx * p[i]; };
  auto mirroredX = [&](size_t i) { return cx - rx * p[i]; };
  auto y = [&](size_t i) { return cy + ry * p[i]; };
  cairo_move_to(cr, x(0), y(1));
  for (size_t i = 2; i < n; i += 6)
    cairo_curve_to(cr, x(i), y(i + 1), x(i + 2), y(i + 3), x(i + 4), y(i + 5));
  if (p[n - 2] != 0) cairo_line_to(cr, mirroredX(n - 2), y(n - 1));
  // The cubics backwards: the second control point, the first, then where the cubic started.
  for (size_t k = (n - 2) / 6; k > 0; --k) {
    const size_t i = 6 * k - 4;  // the k-th cubic's first control point
    cairo_curve_to(cr, mirroredX(i + 2), y(i + 3), mirroredX(i), y(i + 1), mirroredX(i - 2),
                   y(i - 1));
  }
  cairo_close_path(cr);
}

void Shoulders(cairo_t* cr, double x0, double bottom, const std::array<double, 6>& a,
               const std::array<double, 5>& b, const Color& cloth, double light) {
  cairo_new_path(cr);
  cairo_move_to(cr, x0, bottom);
  cairo_curve_to(cr, a[0], a[1], a[2], a[3], a[4], a[5]);
  cairo_curve_to(cr, b[0], b[1], b[2], b[3], b[4], bottom);
  cairo_close_path(cr);
  Paint(cr, Style{cloth, pal::Outline, kOutline, light});
}

void Paint(cairo_t* cr, const Style& s) {
  double x1, y1, x2, y2;
  cairo_fill_extents(cr, &x1, &y1, &x2, &y2);
  const double w = x2 - x1, h = y2 - y1;
  if (s.Light > 0 && w > 0 && h > 0) {
    const Color top = s.Fill.Lighter(s.Light * 0.9), bottom = s.Fill.Shade(s.Light * 1.1);
    FillWith(
        cr,
        LinearGradient(x1 + w * 0.2, y1, x1 + w * 0.6, y2, {{0, top}, {0.45, s.Fill}, {1, bottom}}),
        true);
  } else {
    SetColor(cr, s.Fill);
    cairo_fill_preserve(cr);
  }
  if (s.Gloss > 0 && w > 2 && h > 2) {
    cairo_save(cr);
    cairo_clip_preserve(cr);
    Shine(cr, x1 + w * 0.33, y1 + h * 0.24, w * 0.22, h * 0.13, s.Gloss);
    cairo_restore(cr);
  }
  if (s.LineWidth > 0) {
    SetColor(cr, s.Line);
    cairo_set_line_width(cr, s.LineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
  } else {
    cairo_new_path(cr);
  }
}

void Fill(cairo_t* cr, const Color& c) {
  SetColor(cr, c);
  cairo_fill(cr);
}

void Stroke(cairo_t* cr, const Color& c, double width) {
  SetColor(cr, c);
  cairo_set_line_width(cr, width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}

void RoundLine(cairo_t* cr, double x1, double y1, double x2, double y2, const Color& c, double w) {
  cairo_move_to(cr, x1, y1);
  cairo_line_to(cr, x2, y2);
  Stroke(cr, c, w);
}

void FadingEllipse(cairo_t* cr, double cx, double cy, double rx, double ry,
                   std::initializer_list<Stop> stops) {
  if (rx <= 0 || ry <= 0) return;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  FillWith(cr, RadialGradient(0, 0, 0, 0, 0, 1, stops));
  cairo_restore(cr);
}

void GroundShadow(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
  const Color& o = pal::Outline;
  FadingEllipse(cr, cx, cy, rx, ry,
                {{0, o.WithAlpha(alpha)}, {0.6, o.WithAlpha(alpha * 0.7)}, {1, o.WithAlpha(0)}});
}

void Shine(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
  if (rx <= 0 || ry <= 0) return;
  cairo_new_path(cr);
  const Color white{1, 1, 1, alpha};
  FadingEllipse(cr, cx, cy, rx, ry,
                {{0, white}, {0.55, white.WithAlpha(alpha * 0.6)}, {1, white.WithAlpha(0)}});
}

void Panel(cairo_t* cr, double x, double y, double w, double h, const PanelStyle& s) {
  const double lw = kOutline;
  const double half = lw / 2;
  // Drop shadow under raised panels.
  if (!s.Pressed) {
    RoundedRect(cr, x + 2, y + 3, w - 2, h - 3, s.Radius);
    Fill(cr, pal::Shadow);
  }
  const double bx = x + half, by = y + half, bw = w - lw - (s.Pressed ? 0 : 2),
               bh = h - lw - (s.Pressed ? 0 : 3);
  RoundedRect(cr, bx, by, bw, bh, s.Radius);
  Paint(cr,
        Style{s.Body.Shade(s.Pressed ? 0.25 : 0.1), pal::Outline, lw, s.Pressed ? -0.0 : 0.3, 0});
  // Face inside the bevel: light from above when raised, from below when pressed.
  const double fx = bx + s.Bevel, fy = by + s.Bevel + (s.Pressed ? 1 : 0);
  const double fw = bw - 2 * s.Bevel, fh = bh - 2 * s.Bevel;
  if (fw > 2 && fh > 2) {
    RoundedRect(cr, fx, fy, fw, fh, std::max(1.0, s.Radius - s.Bevel));
    const Color top = s.Pressed ? s.Body.Shade(0.3) : s.Body.Lighter(0.28);
    const Color bottom = s.Pressed ? s.Body.Shade(0.05) : s.Body.Shade(0.08);
    FillWith(cr,
             LinearGradient(0, fy, 0, fy + fh, {{0, top.WithAlpha(1)}, {1, bottom.WithAlpha(1)}}),
             true);
    Stroke(cr, s.Body.Shade(0.45).WithAlpha(0.8), 1.0);
    if (!s.Pressed) {
      // A bright rim along the upper edge of the face.
      cairo_save(cr);
      RoundedRect(cr, fx, fy, fw, fh, std::max(1.0, s.Radius - s.Bevel));
      cairo_clip(cr);
      RoundedRect(cr, fx + 1.5, fy + 1.2, fw - 3, fh * 0.45, std::max(1.0, s.Radius - s.Bevel - 1));
      Fill(cr, pal::White.WithAlpha(0.22));
      cairo_restore(cr);
    }
  }
  if (s.Rivets) {
    const double r = std::max(1.5, s.Bevel * 0.45);
    const double px[2] = {bx + s.Bevel * 0.5 + r * 0.2 + 2, bx + bw - s.Bevel * 0.5 - r * 0.2 - 2};
    const double py[2] = {by + s.Bevel * 0.5 + r * 0.2 + 2, by + bh - s.Bevel * 0.5 - r * 0.2 - 2};
    for (double rx : px) {
      for (double ry : py) {
        Circle(cr, rx, ry, r);
        Paint(cr, Style{pal::Brass, pal::Outline, 0.9, 0.4, 0.6});
      }
    }
  }
}

void Grain(cairo_t* cr, double x, double y, double w, double h, uint32_t seed, double amount,
           double density) {
  Rng rng(seed);
  const int count = static_cast<int>(w * h * density);
  for (int i = 0; i < count; ++i) {
    const double px = std::floor(x + rng.Unit() * w), py = std::floor(y + rng.Unit() * h);
    const bool light = rng.Next() & 1;
    const double a = amount * (0.4 + 0.6 * rng.Unit());
    cairo_set_source_rgba(cr, light ? 1 : 0.17, light ? 1 : 0.1, light ? 1 : 0.08, a);
    cairo_rectangle(cr, px, py, 1, 1);
    cairo_fill(cr);
  }
}

void WoodPlanks(cairo_t* cr, double x, double y, double w, double h, double plank, bool vertical,
                uint32_t seed, const Color& base) {
  Rng rng(seed);
  const double span = vertical ? w : h;
  const int n = std::max(1, static_cast<int>(std::ceil(span / plank)));
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  for (int i = 0; i < n; ++i) {
    const double p0 = i * plank;
    const double px = vertical ? x + p0 : x, py = vertical ? y : y + p0;
    const double pw = vertical ? plank : w, ph = vertical ? h : plank;
    const Color c =
        base.Mix(rng.Unit() < 0.5 ? pal::WoodLight : pal::WoodDark, rng.Range(0.0, 0.25));
    cairo_rectangle(cr, px, py, pw, ph);
    Paint(cr, Style{c, pal::Outline, 0, 0.12, 0});
    // Grain lines: long gentle waves along the plank.
    const int lines = 3 + rng.Int(3);
    for (int k = 0; k < lines; ++k) {
      const double off = rng.Range(0.15, 0.85) * plank;
      const double amp = rng.Range(0.5, 2.0), freq = rng.Range(0.01, 0.04),
                   ph0 = rng.Range(0, 6.28);
      cairo_new_path(cr);
      const double len = vertical ? h : w;
      for (double t = 0; t <= len; t += 4) {
        const double o = off + amp * std::sin(ph0 + t * freq);
        if (vertical) {
          cairo_line_to(cr, px + o, py + t);
        } else {
          cairo_line_to(cr, px + t, py + o);
        }
      }
      Stroke(cr, c.Shade(0.35).WithAlpha(0.45), 0.8);
    }
    // A knot now and then.
    if (rng.Unit() < 0.5) {
      const double kx = vertical ? px + plank * rng.Range(0.3, 0.7) : px + rng.Range(0, w);
      const double ky = vertical ? py + rng.Range(0, h) : py + plank * rng.Range(0.3, 0.7);
      Ellipse(cr, kx, ky, vertical ? plank * 0.12 : plank * 0.3,
              vertical ? plank * 0.3 : plank * 0.12);
      Stroke(cr, c.Shade(0.45).WithAlpha(0.6), 1.0);
    }
    // The gap between planks.
    cairo_new_path(cr);
    if (vertical) {
      cairo_move_to(cr, px + 0.5, py);
      cairo_line_to(cr, px + 0.5, py + ph);
    } else {
      cairo_move_to(cr, px, py + 0.5);
      cairo_line_to(cr, px + pw, py + 0.5);
    }
    Stroke(cr, pal::Outline.WithAlpha(0.7), 1.2);
  }
  cairo_restore(cr);
}

namespace {

// A limb segment: outline stroke, then the skin stroke over it, then a light line along it.
void Capsule(cairo_t* cr, double x1, double y1, double x2, double y2, double r, const Color& c) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, x1, y1);
  cairo_line_to(cr, x2, y2);
  SetColor(cr, pal::Outline);
  cairo_set_line_width(cr, 2 * r + 2 * kOutline * 0.9);
  cairo_stroke(cr);
  cairo_move_to(cr, x1, y1);
  cairo_line_to(cr, x2, y2);
  SetColor(cr, c);
  cairo_set_line_width(cr, 2 * r);
  cairo_stroke(cr);
}

void CapsulePath(cairo_t* cr, const double* pts, int n, double r, const Color& c, bool outline) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (int pass = outline ? 0 : 1; pass < 2; ++pass) {
    cairo_new_path(cr);
    for (int i = 0; i < n; ++i) cairo_line_to(cr, pts[2 * i], pts[2 * i + 1]);
    SetColor(cr, pass == 0 ? pal::Outline : c);
    cairo_set_line_width(cr, pass == 0 ? 2 * r + 2 * kOutline * 0.9 : 2 * r);
    cairo_stroke(cr);
  }
}

}  // namespace

void PointingHand(cairo_t* cr, double tipX, double tipY, double bend, double scale) {
  cairo_save(cr);
  cairo_translate(cr, tipX, tipY);
  cairo_scale(cr, scale, scale);
  // The tip stays where the pointer is; pressing pulls the hand towards it and arches the
  // finger, so the click reads as a push.
  const double dx = 2.0 - 4.0 * bend, dy = 1.6 * bend;
  // Sleeve and cuff.
  RoundedRect(cr, 37 + dx, -17 + dy, 11, 42, 5);
  Paint(cr, Style{pal::Cloth, pal::Outline, kOutline, 0.3, 0});
  RoundedRect(cr, 31 + dx, -14 + dy, 8, 36, 3);
  Paint(cr, Style{pal::White, pal::Outline, kOutline, 0.25, 0});
  // Palm with the curled fingers.
  RoundedRect(cr, 14 + dx, -10 + dy, 21, 31, 9);
  Paint(cr, Style{pal::Skin, pal::Outline, kOutline, 0.25, 0});
  const Color curled = pal::Skin.Shade(0.06);
  for (int i = 0; i < 3; ++i) {
    const double cy = 6.5 + i * 6.0 + dy;
    Capsule(cr, 11 + i * 0.8 + dx, cy, 22 + dx, cy, 3.3, curled);
  }
  // Thumb resting across the curled fingers.
  Capsule(cr, 29 + dx, 0 + dy, 17 + dx, 4.5 + dy, 3.8, pal::Skin.Lighter(0.05));
  // Index finger: knuckle -> middle joint -> tip, with the joint rising as it bends.
  const double kx = 19 + dx, ky = -4 + dy;
  const double l1 = 12.0, l2 = 10.5;
  const double d = std::hypot(kx, ky);
  double jx, jy;
  if (d >= l1 + l2) {
    jx = kx * l2 / (l1 + l2);
    jy = ky * l2 / (l1 + l2);
  } else {
    // Intersection of the two circles, the one above the line tip-knuckle.
    const double a = (l2 * l2 - l1 * l1 + d * d) / (2 * d);
    const double hh = std::sqrt(std::max(0.0, l2 * l2 - a * a));
    const double ux = kx / d, uy = ky / d;
    jx = ux * a + uy * hh;
    jy = uy * a - ux * hh;
    if (jy > ky * a / d) {  // take the upper solution
      jx = ux * a - uy * hh;
      jy = uy * a + ux * hh;
    }
  }
  const double finger[] = {kx, ky, jx, jy, 1.2, -0.3};
  CapsulePath(cr, finger, 3, 4.3, pal::Skin, true);
  // Light along the top of the finger and the nail at the tip.
  cairo_move_to(cr, kx - 1, ky - 2.2);
  cairo_line_to(cr, jx, jy - 2.4);
  Stroke(cr, pal::White.WithAlpha(0.45), 1.4);
  const double ang = std::atan2(jy - (-0.3), jx - 1.2);
  cairo_save(cr);
  cairo_translate(cr, 3.2 + std::cos(ang) * 1.0, -1.7 + std::sin(ang) * 1.0);
  cairo_rotate(cr, ang);
  Ellipse(cr, 0, 0, 2.6, 1.7);
  Paint(cr, Style{pal::Pink.Lighter(0.4), pal::SkinShade, 0.8, 0, 0});
  cairo_restore(cr);
  cairo_restore(cr);
}

void OpenHand(cairo_t* cr, double cx, double cy, double scale, double spread) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, scale, scale);
  // Wrist and cuff below the palm.
  RoundedRect(cr, -8, 12, 16, 16, 3);
  Paint(cr, Style{pal::Cloth, pal::Outline, kOutline, 0.3, 0});
  RoundedRect(cr, -9, 10, 18, 6, 2);
  Paint(cr, Style{pal::White, pal::Outline, kOutline, 0.2, 0});
  // Four fingers fanning out, then the thumb to the side.
  for (int i = 0; i < 4; ++i) {
    const double a = (-0.32 + 0.2 * i) * spread;
    const double len = i == 0 || i == 3 ? 13 : 16;
    const double bx = -6 + i * 4, by = -4;
    Capsule(cr, bx, by, bx + std::sin(a) * len, by - std::cos(a) * len, 2.9, pal::Skin);
  }
  Capsule(cr, 8, 4, 8 + 9 * spread, -4, 3.2, pal::Skin);
  Ellipse(cr, 0, 2, 10, 10);
  Paint(cr, Style{pal::Skin, pal::Outline, kOutline, 0.2, 0});
  // The palm's crease.
  cairo_move_to(cr, -5, 1);
  cairo_curve_to(cr, -2, 4, 2, 4, 5, 0);
  Stroke(cr, pal::SkinShade, 1.0);
  cairo_restore(cr);
}

void Fist(cairo_t* cr, double cx, double cy, double scale) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, scale, scale);
  RoundedRect(cr, 6, -9, 14, 18, 4);
  Paint(cr, Style{pal::Cloth, pal::Outline, kOutline, 0.3, 0});
  RoundedRect(cr, 3, -10, 6, 20, 2);
  Paint(cr, Style{pal::White, pal::Outline, kOutline, 0.2, 0});
  RoundedRect(cr, -12, -11, 18, 22, 8);
  Paint(cr, Style{pal::Skin, pal::Outline, kOutline, 0.25, 0});
  for (int i = 0; i < 4; ++i) {
    const double y = -8 + i * 5.3;
    Capsule(cr, -13, y, -5, y, 2.6, pal::Skin.Shade(0.05));
  }
  Capsule(cr, 2, -6, -8, 3, 3.2, pal::Skin.Lighter(0.05));
  cairo_restore(cr);
}

namespace {

cairo_pattern_t* WithStops(cairo_pattern_t* p, std::initializer_list<Stop> stops) {
  for (const Stop& s : stops)
    cairo_pattern_add_color_stop_rgba(p, s.At, s.C.r, s.C.g, s.C.b, s.C.a);
  return p;
}

}  // namespace

cairo_pattern_t* LinearGradient(double x0, double y0, double x1, double y1,
                                std::initializer_list<Stop> stops) {
  return WithStops(cairo_pattern_create_linear(x0, y0, x1, y1), stops);
}

cairo_pattern_t* RadialGradient(double cx0, double cy0, double r0, double cx1, double cy1,
                                double r1, std::initializer_list<Stop> stops) {
  return WithStops(cairo_pattern_create_radial(cx0, cy0, r0, cx1, cy1, r1), stops);
}

void FillWith(cairo_t* cr, cairo_pattern_t* pattern, bool preserve) {
  cairo_set_source(cr, pattern);
  if (preserve)
    cairo_fill_preserve(cr);
  else
    cairo_fill(cr);
  cairo_pattern_destroy(pattern);
}

void FillRect(cairo_t* cr, double x, double y, double w, double h, cairo_pattern_t* pattern) {
  cairo_rectangle(cr, x, y, w, h);
  FillWith(cr, pattern);
}

void VerticalGradient(cairo_t* cr, double x, double y, double w, double h, const Color& top,
                      const Color& bottom) {
  FillRect(cr, x, y, w, h, LinearGradient(0, y, 0, y + h, {{0, top}, {1, bottom}}));
}

void Vignette(cairo_t* cr, double w, double h, double strength, double innerFraction) {
  const Color& o = pal::Outline;
  FillRect(cr, 0, 0, w, h,
           RadialGradient(w / 2, h / 2, h * innerFraction, w / 2, h / 2, w * 0.75,
                          {{0, o.WithAlpha(0)}, {1, o.WithAlpha(strength)}}));
}

void Glow(cairo_t* cr, double cx, double cy, double r, const Color& c) {
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  FillWith(cr, RadialGradient(cx, cy, 0, cx, cy, r,
                              {{0, c}, {0.4, c.WithAlpha(c.a * 0.45)}, {1, c.WithAlpha(0)}}));
}

}  // namespace art
