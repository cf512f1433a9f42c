#pragma once

#include "platform/win32/handles.h"

namespace dustbane::win32 {

// A font of the given face and pixel height (character height, without internal leading).
UniqueFont makeFont(const wchar_t* face, int pixelHeight, bool bold, bool underline = false);

} // namespace dustbane::win32
