#include "window/ui_resources_win.h"

#include <cstring>

#include "icons/image.h"
#include "platform/wide_win.h"
#include "resources/resource_ids.h"
#include "window/font_sizes.h"
#include "window/icon_directory.h"

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

UniqueIcon icon_from_file(std::span<const std::uint8_t> file) {
    const auto entry = find_icon_entry(file, kEmbeddedIconSide);
    if (!entry)
        return {};
    // CreateIconFromResourceEx takes a bitmap or PNG entry but not a const one.
    std::basic_string<BYTE> bits(entry->data.begin(), entry->data.end());
    return UniqueIcon(CreateIconFromResourceEx(bits.data(), static_cast<DWORD>(bits.size()), TRUE,
                                               0x00030000, kEmbeddedIconSide, kEmbeddedIconSide,
                                               LR_DEFAULTCOLOR));
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

HICON UiResources::icon(int number) const {
    return number >= 0 && number < kImageSlots ? icons[static_cast<std::size_t>(number)].get()
                                               : nullptr;
}

HBITMAP UiResources::picture(int number) const {
    return number >= 0 && number < kImageSlots ? pictures[static_cast<std::size_t>(number)].get()
                                               : nullptr;
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
        resources.icons[static_cast<std::size_t>(number)] =
            icon_from_file(embedded_data(instance, IDR_IMAGE_BASE + number));
    }
    for (const int number : kPictureImageNumbers) {
        const auto data = embedded_data(instance, IDR_IMAGE_BASE + number);
        if (data.empty())
            continue;
        if (const auto image = decode_png(data)) {
            resources.pictures[static_cast<std::size_t>(number)] = bitmap_from_image(*image);
        }
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
