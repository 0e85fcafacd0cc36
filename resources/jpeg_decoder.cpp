#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "core/log.hpp"
#include "resources/image_decoder.hpp"

namespace tarn {
namespace {

// The standard error manager with a way back to the decoder instead of exit().
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void output_jpeg_message(j_common_ptr cinfo) {
    char text[1024];
    (*cinfo->err->format_message)(cinfo, text);
    log_message(text);
}

void exit_on_jpeg_error(j_common_ptr cinfo) {
    (*cinfo->err->output_message)(cinfo);
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// A source over the whole file in memory. Past its end it supplies an end-of-image marker, so
// a truncated file ends early instead of reading beyond the buffer.
const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

void init_memory_source(j_decompress_ptr) {}

boolean fill_memory_source(j_decompress_ptr cinfo) {
    cinfo->src->next_input_byte = kEndOfImage;
    cinfo->src->bytes_in_buffer = sizeof kEndOfImage;
    return TRUE;
}

void skip_memory_source(j_decompress_ptr cinfo, long count) {
    if (count <= 0)
        return;
    jpeg_source_mgr* src = cinfo->src;
    if (static_cast<size_t>(count) > src->bytes_in_buffer) {
        (*src->fill_input_buffer)(cinfo);
        return;
    }
    src->next_input_byte += count;
    src->bytes_in_buffer -= static_cast<size_t>(count);
}

void term_memory_source(j_decompress_ptr) {}

void set_memory_source(jpeg_source_mgr& src, const std::uint8_t* bytes, std::int64_t length) {
    src.init_source = init_memory_source;
    src.fill_input_buffer = fill_memory_source;
    src.skip_input_data = skip_memory_source;
    src.resync_to_restart = jpeg_resync_to_restart;
    src.term_source = term_memory_source;
    src.next_input_byte = bytes;
    src.bytes_in_buffer = length > 0 ? static_cast<size_t>(length) : 0;
}

struct JpegReader {
    jpeg_decompress_struct cinfo{};
    ErrorManager error{};
    jpeg_source_mgr source{};
};

// Everything that may raise a libjpeg error. The long jump only crosses libjpeg's C frames.
DecodeResult read_jpeg(JpegReader& reader, std::int32_t max_side, Image& image) {
    jpeg_decompress_struct& cinfo = reader.cinfo;
    if (setjmp(reader.error.jump)) {
        log_message("Error reading JPEG file.");
        return DecodeResult::Failed;
    }
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_calc_output_dimensions(&cinfo);
    // Checked before libjpeg sizes its own buffers from a header's claims.
    if (cinfo.output_width == 0 || cinfo.output_height == 0) {
        log_message("Error reading JPEG file.");
        return DecodeResult::Failed;
    }
    auto width = static_cast<std::int32_t>(cinfo.output_width);
    auto height = static_cast<std::int32_t>(cinfo.output_height);
    if (width > max_side || height > max_side) {
        image.image_width = width;
        image.image_height = height;
        return DecodeResult::TooLarge;
    }
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != 3) {
        log_message("Invalid JPEG output components.");
        return DecodeResult::Failed;
    }
    if (!image.allocate(width, height, PixelFormat::RGB8)) {
        log_message("Error reading JPEG file.");
        return DecodeResult::Failed;
    }
    image.image_width = width;
    image.image_height = height;
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.row(static_cast<std::int32_t>(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    return DecodeResult::Decoded;
}

}  // namespace

DecodeResult decode_jpeg(const std::uint8_t* bytes, std::int64_t length, Image& image,
                         std::int32_t max_side) {
    image.reset();
    JpegReader reader;
    reader.cinfo.err = jpeg_std_error(&reader.error.base);
    reader.error.base.output_message = output_jpeg_message;
    reader.error.base.error_exit = exit_on_jpeg_error;
    if (setjmp(reader.error.jump)) {
        log_message("Error reading JPEG file.");
        return DecodeResult::Failed;
    }
    jpeg_create_decompress(&reader.cinfo);
    set_memory_source(reader.source, bytes, length);
    reader.cinfo.src = &reader.source;
    const DecodeResult result = read_jpeg(reader, max_side, image);
    jpeg_destroy_decompress(&reader.cinfo);
    return result;
}

}  // namespace tarn
