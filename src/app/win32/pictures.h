#pragma once

#include "app/win32/gdi_handles.h"

namespace dustbane::win32 {

// A picture from the program's resources at the given size.
UniqueIcon loadPicture(HINSTANCE instance, int id, int width, int height);

// The main list's five 16 x 16 images, indexed as LineImage.
UniqueImageList makeListImages(HINSTANCE instance);

} // namespace dustbane::win32
