#ifndef SELV_CONSOLES_KEYBOX_H
#define SELV_CONSOLES_KEYBOX_H

// A rectangle of the key layout as the layout computes it: right and bottom
// lie outside it.
struct KeyBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const noexcept { return right - left; }
  int Height() const noexcept { return bottom - top; }
  bool IsEmpty() const noexcept { return right <= left || bottom <= top; }
  KeyBox Moved(int dx, int dy) const noexcept { return KeyBox{left + dx, top + dy, right + dx, bottom + dy}; }
  bool operator==(const KeyBox& o) const noexcept {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  bool operator!=(const KeyBox& o) const noexcept { return !(*this == o); }
};

#endif
