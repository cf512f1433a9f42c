#include "app/win32/pictures.h"

#include "app/win32/resource_ids.h"
#include "app/window_metrics.h"

#include <stdexcept>

namespace dustbane::win32 {

UniqueIcon loadPicture(HINSTANCE instance, int id, int width, int height) {
    UniqueIcon icon(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
    if (!icon) {
        throw std::runtime_error("A picture of the program (resource " + std::to_string(id) +
                                 ") could not be loaded.");
    }
    return icon;
}

UniqueImageList makeListImages(HINSTANCE instance, int dpi) {
    int size = metrics::scaled(metrics::listImageSize, dpi);
    UniqueImageList images(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 5, 0));
    if (!images) {
        throw std::runtime_error("The main list's image list could not be created.");
    }
    for (int id : {IDI_LIST_INFO, IDI_LIST_NOTE, IDI_LIST_FOLDER_REMOVED, IDI_LIST_FILE_REMOVED,
                   IDI_LIST_WARNING}) {
        ImageList_AddIcon(images.get(), loadPicture(instance, id, size, size).get());
    }
    return images;
}

} // namespace dustbane::win32
