#include "app/win32/text_widths.h"

namespace dustbane::win32 {

namespace {

bool isSurrogate(wchar_t character) {
    return character >= 0xD800 && character <= 0xDFFF;
}

} // namespace

TextWidths::TextWidths() : dc_(CreateCompatibleDC(nullptr)), advances_(0x10000, -1) {}

TextWidths::~TextWidths() {
    if (dc_) {
        if (originalFont_) {
            SelectObject(dc_, originalFont_);
        }
        DeleteDC(dc_);
    }
}

void TextWidths::setFont(HFONT font) {
    if (!dc_) {
        return;
    }
    HGDIOBJ previous = SelectObject(dc_, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    if (!originalFont_) {
        originalFont_ = previous;
    }
    std::fill(advances_.begin(), advances_.end(), -1);
}

int TextWidths::advance(wchar_t character) {
    int& known = advances_[static_cast<size_t>(character)];
    if (known < 0) {
        INT measured = 0;
        known = dc_ && GetCharWidth32W(dc_, character, character, &measured) ? measured : 0;
    }
    return known;
}

int TextWidths::width(const std::wstring& text) {
    int total = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!isSurrogate(text[i])) {
            total += advance(text[i]);
            continue;
        }
        // A character beyond the basic plane is measured whole, each time: they are rare.
        SIZE size{};
        const int units = i + 1 < text.size() ? 2 : 1;
        if (dc_ && GetTextExtentPoint32W(dc_, text.c_str() + i, units, &size)) {
            total += size.cx;
        }
        i += static_cast<size_t>(units - 1);
    }
    return total;
}

} // namespace dustbane::win32
