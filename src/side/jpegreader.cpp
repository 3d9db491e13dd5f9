#include "side/jpegreader.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE declared first

#include <jpeglib.h>

namespace zb {
namespace {

struct ErrorManager {
    jpeg_error_mgr base; // first, so libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf escape;
    bool warned = false;
};

[[noreturn]] void errorExit(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(manager->escape, 1);
}

void emitMessage(j_common_ptr cinfo, int level) {
    // Level -1 is a warning about damaged data; higher levels are trace output.
    if (level < 0)
        reinterpret_cast<ErrorManager*>(cinfo->err)->warned = true;
}

void outputMessage(j_common_ptr) {}

// Everything between setjmp and the end lives outside this frame or behind volatile, so the jump
// back finds it as it was (see setjmp's rules on automatic variables).
bool decodeInto(jpeg_decompress_struct& cinfo, ErrorManager& errors, QByteArrayView data,
                QImage& out) {
    QImage* volatile target = &out;
    if (setjmp(errors.escape)) {
        *target = QImage();
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.data()),
                 static_cast<unsigned long>(data.size()));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK)
        return false;
    if (cinfo.image_width == 0 || cinfo.image_height == 0 ||
        qint64(cinfo.image_width) * cinfo.image_height > kMaxJpegPixels)
        return false;
    cinfo.out_color_space = JCS_EXT_RGBX;
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != 4)
        return false;
    *target = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                     QImage::Format_RGBX8888);
    if (target->isNull())
        return false;
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = target->scanLine(static_cast<int>(cinfo.output_scanline));
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
            return false;
    }
    jpeg_finish_decompress(&cinfo);
    return !errors.warned;
}

} // namespace

QImage decodeJpeg(QByteArrayView data) {
    if (data.isEmpty())
        return {};
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = errorExit;
    errors.base.emit_message = emitMessage;
    errors.base.output_message = outputMessage;
    QImage image;
    const bool ok = decodeInto(cinfo, errors, data, image);
    jpeg_destroy_decompress(&cinfo);
    return ok ? image : QImage();
}

} // namespace zb
