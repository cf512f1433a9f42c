#pragma once

#include "platform/win32/handles.h"

namespace dustbane::win32 {

// A picture from the program's resources at the given size.
UniqueIcon loadPicture(HINSTANCE instance, int id, int width, int height);

// The main list's five images (16 x 16 at 96 dots per inch) at the density, indexed as
// LineImage.
UniqueImageList makeListImages(HINSTANCE instance, int dpi);

} // namespace dustbane::win32
