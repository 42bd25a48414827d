#include "window/button_images_win.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "window/image_scale.h"
#include "window/picture_contrast.h"
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

namespace {

// The picture at side × side: as loaded at its own size, else resampled;
// blank when there is none. Legible against the face when there is one.
Image button_picture(const UiResources& resources, int number, int side,
                     std::optional<Colour> face) {
    const Image* loaded = resources.icon_image(number);
    if (!loaded)
        return Image(side, side);
    Image picture = loaded->width == side && loaded->height == side
                        ? *loaded
                        : scale_image(*loaded, side, side);
    return face ? legible_against(picture, *face) : picture;
}

}  // namespace

UniqueIcon button_icon(const UiResources& resources, int number, int side,
                       std::optional<Colour> face) {
    if (!resources.icon_image(number))
        return {};
    return icon_from_image(button_picture(resources, number, side, face));
}

UniqueImageList toolbar_images(const UiResources& resources, std::span<const ToolbarButton> buttons,
                               int side, std::optional<Colour> face) {
    // The pictures side by side in one strip, handed to the list at once:
    // a list takes one bitmap about as fast as one icon, and under Wine each
    // icon added costs it several trips to the display's bookkeeping.
    std::vector<int> numbers;
    for (const ToolbarButton& button : buttons) {
        if (!button.separator())
            numbers.push_back(button.image);
    }
    const auto count = static_cast<int>(numbers.size());
    UniqueImageList list(ImageList_Create(side, side, ILC_COLOR32, std::max(count, 1), 0));
    if (!list || count == 0)
        return list;
    Image strip(side * count, side);
    for (int i = 0; i < count; ++i) {
        // A blank picture keeps the places of the following buttons.
        const Image picture =
            button_picture(resources, numbers[static_cast<std::size_t>(i)], side, face);
        for (int y = 0; y < side; ++y) {
            const auto from = picture.rgba.begin() + static_cast<std::ptrdiff_t>(y) * side * 4;
            std::copy(from, from + side * 4,
                      strip.rgba.begin() + (static_cast<std::ptrdiff_t>(y) * side * count +
                                            static_cast<std::ptrdiff_t>(i) * side) *
                                               4);
        }
    }
    UniqueBitmap bitmap = bitmap_from_image(strip);
    if (!bitmap || ImageList_Add(list.get(), bitmap.get(), nullptr) < 0)
        return {};
    return list;
}

}  // namespace trevalon
