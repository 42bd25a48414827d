// JPEG reading with libjpeg(-turbo). The library's default error handler ends
// the process, so ours jumps back instead; the function holding the setjmp
// owns no C++ objects, which makes the jump safe.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

#include "icons/image.h"

namespace trevalon {
namespace {

// A progressive file may hold any number of scans, each a full pass over the
// picture; real pictures use about ten.
constexpr int kMaxScans = 500;

struct ErrorHandler {
    jpeg_error_mgr manager;  // first, so the library's pointer is also ours
    std::jmp_buf jump;
    bool damaged;
};

[[noreturn]] void on_jpeg_error(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorHandler*>(cinfo->err)->jump, 1);
}

// Warnings mostly mean damaged data that the library papers over with grey
// blocks (a cut-off file among them); a few are harmless.
void on_jpeg_message(j_common_ptr cinfo, int level) {
    if (level >= 0)
        return;  // trace messages
    switch (cinfo->err->msg_code) {
        case JWRN_ADOBE_XFORM:
        case JWRN_EXTRANEOUS_DATA:
        case JWRN_JFIF_MAJOR:
        case JWRN_BOGUS_ICC:
            return;
        default:
            reinterpret_cast<ErrorHandler*>(cinfo->err)->damaged = true;
    }
}

void on_jpeg_progress(j_common_ptr cinfo) {
    if (cinfo->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) {
        on_jpeg_error(cinfo);
    }
}

bool read_jpeg(std::span<const std::uint8_t> data, Image& image) {
    jpeg_decompress_struct cinfo;
    ErrorHandler errors;
    jpeg_progress_mgr progress;
    cinfo.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = on_jpeg_error;
    errors.manager.emit_message = on_jpeg_message;
    errors.damaged = false;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    progress.progress_monitor = on_jpeg_progress;
    cinfo.progress = &progress;
    jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK || cinfo.image_width == 0 ||
        cinfo.image_height == 0 || cinfo.image_width > kMaxImageSide ||
        cinfo.image_height > kMaxImageSide) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    // Grey and YCbCr convert to RGBA; CMYK cannot and ends in the error path.
    cinfo.out_color_space = JCS_EXT_RGBA;
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != 4) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    image = Image(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
    while (cinfo.output_scanline < cinfo.output_height && !errors.damaged) {
        JSAMPROW row = image.pixel(0, static_cast<int>(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    if (!errors.damaged)
        jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return !errors.damaged;
}

}  // namespace

std::optional<Image> decode_jpeg(std::span<const std::uint8_t> data) {
    if (data.size() < 3 || data[0] != 0xFF || data[1] != 0xD8 || data[2] != 0xFF) {
        return std::nullopt;
    }
    Image image;
    if (!read_jpeg(data, image))
        return std::nullopt;
    return image;
}

}  // namespace trevalon
