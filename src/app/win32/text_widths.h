#pragma once

#include "platform/win32/handles.h"

#include <string>
#include <vector>
#include <windows.h>

namespace dustbane::win32 {

// How wide a line is drawn in a font, from each character's advance, measured once per
// character and font: the main list can then fit its column to every line it holds, in
// pixels, at the cost of an addition per character.
class TextWidths {
  public:
    TextWidths();
    TextWidths(const TextWidths&) = delete;
    TextWidths& operator=(const TextWidths&) = delete;
    ~TextWidths();

    // The font the list draws with; the widths measured so far are forgotten.
    void setFont(HFONT font);
    int width(const std::wstring& text);

  private:
    int advance(wchar_t character);

    HDC dc_;
    HGDIOBJ originalFont_ = nullptr;
    // One entry per UTF-16 unit; -1 where not yet measured.
    std::vector<int> advances_;
};

} // namespace dustbane::win32
