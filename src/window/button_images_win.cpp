#include "window/button_images_win.h"

#include <optional>
#include <vector>

#include "window/image_scale.h"
#include "window/ui_resources_win.h"

namespace trevalon {

UniqueIcon icon_from_image(const Image& image) {
    if (!well_formed(image))
        return {};
    UniqueBitmap colour = bitmap_from_image(image);
    // The mask is ignored where the colour bitmap has alpha, but must exist.
    UniqueBitmap mask(CreateBitmap(image.width, image.height, 1, 1, nullptr));
    if (!colour || !mask)
        return {};
    ICONINFO icon{};
    icon.fIcon = TRUE;
    icon.hbmMask = mask.get();
    icon.hbmColor = colour.get();
    return UniqueIcon(CreateIconIndirect(&icon));
}

std::optional<Image> image_from_icon(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return std::nullopt;
    UniqueBitmap colour(info.hbmColor);
    UniqueBitmap mask(info.hbmMask);
    BITMAP shape{};
    if (!colour || !GetObjectW(colour.get(), sizeof(shape), &shape) || shape.bmWidth <= 0 ||
        shape.bmHeight <= 0 || shape.bmWidth > kMaxImageSide || shape.bmHeight > kMaxImageSide)
        return std::nullopt;

    Image image(shape.bmWidth, shape.bmHeight);
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof(request.bmiHeader);
    request.bmiHeader.biWidth = image.width;
    request.bmiHeader.biHeight = -image.height;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    WindowDC screen(nullptr);
    std::vector<std::uint8_t> bgra(image.rgba.size());
    if (!GetDIBits(screen.get(), colour.get(), 0, static_cast<UINT>(image.height), bgra.data(),
                   &request, DIB_RGB_COLORS))
        return std::nullopt;
    bool has_alpha = false;
    for (std::size_t i = 0; i + 3 < bgra.size(); i += 4) {
        image.rgba[i] = bgra[i + 2];
        image.rgba[i + 1] = bgra[i + 1];
        image.rgba[i + 2] = bgra[i];
        image.rgba[i + 3] = bgra[i + 3];
        has_alpha = has_alpha || bgra[i + 3] != 0;
    }
    if (!has_alpha && mask) {
        // An icon without alpha: its mask says which pixels show (0 = shown).
        std::vector<std::uint8_t> bits(image.rgba.size());
        if (GetDIBits(screen.get(), mask.get(), 0, static_cast<UINT>(image.height), bits.data(),
                      &request, DIB_RGB_COLORS)) {
            for (std::size_t i = 0; i + 3 < bits.size(); i += 4)
                image.rgba[i + 3] = bits[i] ? 0 : 255;
        }
    }
    return image;
}

UniqueIcon button_icon(const UiResources& resources, int number, int side) {
    // At the pictures' own size a copy does: their pixels need not be read
    // back and drawn anew.
    if (side == kEmbeddedIconSide) {
        HICON loaded = resources.icon(number);
        return loaded ? UniqueIcon(CopyIcon(loaded)) : UniqueIcon();
    }
    const std::optional<Image> image = image_from_icon(resources.icon(number));
    if (!image)
        return {};
    return icon_from_image(scale_image(*image, side, side));
}

UniqueImageList toolbar_images(const UiResources& resources, std::span<const ToolbarButton> buttons,
                               int side) {
    UniqueImageList list(
        ImageList_Create(side, side, ILC_COLOR32, static_cast<int>(buttons.size()), 0));
    if (!list)
        return {};
    for (const ToolbarButton& button : buttons) {
        if (button.separator())
            continue;
        // The list copies what it is given: at their own size the loaded
        // pictures go in as they are.
        UniqueIcon scaled;
        HICON icon = resources.icon(button.image);
        if (side != kEmbeddedIconSide) {
            scaled = button_icon(resources, button.image, side);
            icon = scaled.get();
        }
        if (!icon || ImageList_AddIcon(list.get(), icon) < 0) {
            // A blank picture keeps the indices of the following buttons.
            const Image blank(side, side);
            UniqueIcon empty = icon_from_image(blank);
            ImageList_AddIcon(list.get(), empty.get());
        }
    }
    return list;
}

}  // namespace trevalon
