#pragma once

#include "platform/win32/unique_handle.h"

#include <windows.h>
// After <windows.h>, which they need.
#include <commctrl.h>

namespace dustbane::win32 {

struct FontTraits {
    using Handle = HFONT;
    static Handle invalid() { return nullptr; }
    static void close(Handle font) { DeleteObject(font); }
};
using UniqueFont = UniqueHandle<FontTraits>;

struct BrushTraits {
    using Handle = HBRUSH;
    static Handle invalid() { return nullptr; }
    static void close(Handle brush) { DeleteObject(brush); }
};
using UniqueBrush = UniqueHandle<BrushTraits>;

struct IconTraits {
    using Handle = HICON;
    static Handle invalid() { return nullptr; }
    static void close(Handle icon) { DestroyIcon(icon); }
};
using UniqueIcon = UniqueHandle<IconTraits>;

struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle invalid() { return nullptr; }
    static void close(Handle images) { ImageList_Destroy(images); }
};
using UniqueImageList = UniqueHandle<ImageListTraits>;

struct MenuTraits {
    using Handle = HMENU;
    static Handle invalid() { return nullptr; }
    static void close(Handle menu) { DestroyMenu(menu); }
};
using UniqueMenu = UniqueHandle<MenuTraits>;

// A font of the given face and pixel height (character height, without internal leading).
UniqueFont makeFont(const wchar_t* face, int pixelHeight, bool bold, bool underline = false);

} // namespace dustbane::win32
