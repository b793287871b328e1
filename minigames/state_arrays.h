// How a mini-game shows its lists of things to the runner (fish, bullet holes, falling pieces,
// buttons, boxers, eyes): one array per field, item by item, under the field's own name.
//
//   FieldArray(j, "HoleX", Holes, &BulletHole::X);
//   FieldArray(j, "PieceY", s.Pieces, [](const FoodPiece& p) { return Nearest(p.Y); });
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "app/json.h"

namespace vepa {

// "key":[...] with the field (a data member or a function of an item) of every item, whole.
template <typename Items, typename Field>
void FieldArray(JsonWriter& j, std::string_view key, const Items& items, Field field) {
  j.BeginArray(key);
  for (const auto& item : items) j.Number(static_cast<int64_t>(std::invoke(field, item)));
  j.EndArray();
}

// FieldArray for several fields of the same items, key and field by turns:
// FieldArrays(j, Holes, "HoleX", &BulletHole::X, "HoleY", &BulletHole::Y).
template <typename Items, typename Field, typename... More>
void FieldArrays(JsonWriter& j, const Items& items, std::string_view key, Field field,
                 More... more) {
  FieldArray(j, key, items, field);
  if constexpr (sizeof...(more) > 0) FieldArrays(j, items, more...);
}

// The same for a field with a fraction (a position or a speed kept as a float).
template <typename Items, typename Field>
void RealFieldArray(JsonWriter& j, std::string_view key, const Items& items, Field field) {
  j.BeginArray(key);
  for (const auto& item : items) j.Real(static_cast<double>(std::invoke(field, item)));
  j.EndArray();
}

}  // namespace vepa
