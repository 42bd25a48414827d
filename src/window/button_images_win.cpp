#include "window/button_images_win.h"

#include <optional>

#include "resources/resource_ids.h"
#include "window/image_scale.h"
#include "window/ui_resources_win.h"

namespace trevalon {

UniqueIcon icon_from_image(const Image& image) {
    if (!well_formed(image))
        return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // rows top to bottom
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap colour(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    // The mask is ignored where the colour bitmap has alpha, but must exist.
    UniqueBitmap mask(CreateBitmap(image.width, image.height, 1, 1, nullptr));
    if (!colour || !bits || !mask)
        return {};
    auto* out = static_cast<std::uint8_t*>(bits);
    for (std::size_t i = 0; i + 3 < image.rgba.size(); i += 4) {
        out[i] = image.rgba[i + 2];
        out[i + 1] = image.rgba[i + 1];
        out[i + 2] = image.rgba[i];
        out[i + 3] = image.rgba[i + 3];
    }
    ICONINFO icon{};
    icon.fIcon = TRUE;
    icon.hbmMask = mask.get();
    icon.hbmColor = colour.get();
    return UniqueIcon(CreateIconIndirect(&icon));
}

UniqueIcon button_icon(HINSTANCE instance, int number, int side) {
    const std::optional<Image> image = decode_ico(embedded_data(instance, IDR_IMAGE_BASE + number));
    if (!image)
        return {};
    return icon_from_image(scale_image(*image, side, side));
}

UniqueImageList toolbar_images(HINSTANCE instance, std::span<const ToolbarButton> buttons,
                               int side) {
    UniqueImageList list(
        ImageList_Create(side, side, ILC_COLOR32, static_cast<int>(buttons.size()), 0));
    if (!list)
        return {};
    for (const ToolbarButton& button : buttons) {
        if (button.separator())
            continue;
        UniqueIcon icon = button_icon(instance, button.image, side);
        if (!icon || ImageList_AddIcon(list.get(), icon.get()) < 0) {
            // A blank picture keeps the indices of the following buttons.
            const Image blank(side, side);
            UniqueIcon empty = icon_from_image(blank);
            ImageList_AddIcon(list.get(), empty.get());
        }
    }
    return list;
}

}  // namespace trevalon
