// Walking the items of a menu definition (MenuDef, PickDef or any other
// with Count, Item(n), Hidden and Hotkey): what every menu loop needs.
#pragma once

namespace ui {

template <typename Def>
bool Visible(const Def& def, int n) {
  return n >= 1 && n <= def.Count && !def.Item(n).Hidden;
}

// The first visible item with this hot key, or 0.
template <typename Def>
int HotkeyItem(const Def& def, char key) {
  for (int n = 1; n <= def.Count; ++n)
    if (Visible(def, n) && def.Item(n).Hotkey == key) return n;
  return 0;
}

// The nearest visible item in the direction of `step`; with none that way
// the marker stays where it is.
template <typename Def>
int NextVisible(const Def& def, int pos, int step) {
  for (int n = pos + step; n >= 1 && n <= def.Count; n += step)
    if (!def.Item(n).Hidden) return n;
  return pos;
}

// Up from the first item wraps to the last, down from the last to the
// first; otherwise the nearest visible item that way.
template <typename Def>
int ItemAbove(const Def& def, int pos) {
  return pos <= 1 ? def.Count : NextVisible(def, pos, -1);
}
template <typename Def>
int ItemBelow(const Def& def, int pos) {
  return pos >= def.Count ? 1 : NextVisible(def, pos, +1);
}

}  // namespace ui
