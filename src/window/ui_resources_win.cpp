#include "window/ui_resources_win.h"

#include <cstring>

#include "icons/image.h"
#include "platform/wide_win.h"
#include "resources/resource_ids.h"
#include "window/font_sizes.h"
#include "window/icon_directory.h"
#include "window/image_scale.h"

namespace trevalon {
namespace {

UniqueFont create_font(const FontRequest& request, int dpi) {
    LOGFONTW font{};
    font.lfHeight = font_height_for_points(request.points, dpi);
    font.lfWeight = request.bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    const std::wstring face = utf8_to_wide(request.face);
    wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return UniqueFont(CreateFontIndirectW(&font));
}

// The system answers any face name with some font; whether it is the one asked
// for shows in the face the font actually selects.
bool font_has_face(HFONT font, std::string_view face) {
    WindowDC screen(nullptr);
    if (!screen.get() || !font)
        return false;
    DCSelection selection(screen.get(), font);
    wchar_t actual[LF_FACESIZE] = {};
    GetTextFaceW(screen.get(), LF_FACESIZE, actual);
    return _wcsicmp(actual, utf8_to_wide(face).c_str()) == 0;
}

// The 16 × 16 picture of an icon file: its entry of that size when that is a
// PNG picture, else its largest picture made that size; empty for damaged
// bytes.
Image icon_image_from_file(std::span<const std::uint8_t> file) {
    std::optional<Image> image;
    if (const auto entry = find_icon_entry(file, kEmbeddedIconSide);
        entry && entry->width == kEmbeddedIconSide && entry->height == kEmbeddedIconSide)
        image = decode_png(entry->data);
    if (!image)
        image = decode_ico(file);
    if (!image || image->empty())
        return {};
    if (image->width != kEmbeddedIconSide || image->height != kEmbeddedIconSide)
        return scale_image(*image, kEmbeddedIconSide, kEmbeddedIconSide);
    return std::move(*image);
}

}  // namespace

UniqueBitmap bitmap_from_image(const Image& image) {
    if (image.empty())
        return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // rows top to bottom
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return {};
    auto* out = static_cast<std::uint8_t*>(bits);
    for (std::size_t i = 0; i + 3 < image.rgba.size(); i += 4) {
        out[i] = image.rgba[i + 2];
        out[i + 1] = image.rgba[i + 1];
        out[i + 2] = image.rgba[i];
        out[i + 3] = image.rgba[i + 3];
    }
    return bitmap;
}

const Image* UiResources::icon_image(int number) const {
    if (number < 0 || number >= kImageSlots)
        return nullptr;
    const Image& image = icon_images[static_cast<std::size_t>(number)];
    return image.empty() ? nullptr : &image;
}

HBITMAP UiResources::picture(int number) const {
    if (number < 0 || number >= kImageSlots)
        return nullptr;
    const auto slot = static_cast<std::size_t>(number);
    if (!pictures_[slot] && !picture_files[slot].empty()) {
        if (const auto image = decode_png(picture_files[slot]))
            pictures_[slot] = bitmap_from_image(*image);
    }
    return pictures_[slot].get();
}

int desktop_dpi() {
    WindowDC desktop(GetDesktopWindow());
    const int dpi = desktop.get() ? GetDeviceCaps(desktop.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : 96;
}

UiFonts create_fonts(int dpi) {
    UiFonts fonts;
    fonts.base_face = std::string(kPreferredFontFace);
    FontRequests requests = font_requests(dpi, fonts.base_face);
    fonts.font1 = create_font(requests.font1, dpi);
    if (!font_has_face(fonts.font1.get(), kPreferredFontFace)) {
        fonts.base_face = std::string(kFallbackFontFace);
        requests = font_requests(dpi, fonts.base_face);
        fonts.font1 = create_font(requests.font1, dpi);
    }
    fonts.font10 = create_font(requests.font10, dpi);
    fonts.font11 = create_font(requests.font11, dpi);
    fonts.font12 = create_font(requests.font12, dpi);
    return fonts;
}

void load_embedded_images(UiResources& resources, HINSTANCE instance) {
    for (const int number : kIconImageNumbers) {
        resources.icon_images[static_cast<std::size_t>(number)] =
            icon_image_from_file(embedded_data(instance, IDR_IMAGE_BASE + number));
    }
    for (const int number : kPictureImageNumbers) {
        resources.picture_files[static_cast<std::size_t>(number)] =
            embedded_data(instance, IDR_IMAGE_BASE + number);
    }
}

UiCursors load_cursors() {
    // The system cursors by number: arrow, wait, arrow with hourglass.
    return UiCursors{
        .arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)),
        .wait = LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)),
        .app_starting = LoadCursorW(nullptr, MAKEINTRESOURCEW(32650)),
    };
}

std::span<const std::uint8_t> embedded_data(HINSTANCE instance, int resource_id) {
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(resource_id),
                                   MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!resource)
        return {};
    HGLOBAL loaded = LoadResource(instance, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(instance, resource);
    if (!data || size == 0)
        return {};
    return {static_cast<const std::uint8_t*>(data), size};
}

}  // namespace trevalon
