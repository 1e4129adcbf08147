#include "image/JpegDecoder.h"

#include "framework/Resources.h"

#include "image/PLTextException.h"

#include <cstdio>
#include <string>
#include <utility>

#include <jpeglib.h>

namespace {

[[noreturn]] void ThrowDecoderError(int code, const std::string& reason)
{
    std::string text = "Decoder error: " + reason + "\n";
    throw PLTextException(code, text);
}

// libjpeg's error handler must not return. It jumps back with the GCC builtin,
// which restores registers without unwinding: the frames it skips are libjpeg's
// own C frames, and the landing functions below hold no C++ objects. Windows'
// setjmp/longjmp would instead run an SEH unwind through those frames.
struct JpegErrorManager {
    jpeg_error_mgr manager;
    void* jump[5];
    char message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info)
{
    auto* errors = reinterpret_cast<JpegErrorManager*>(info->err);
    errors->manager.format_message(info, errors->message);
    __builtin_longjmp(errors->jump, 1);
}

// Warnings (a truncated stream, for instance) are not shown: a GUI program has
// no console, and libjpeg recovers from them by itself.
void OnJpegMessage(j_common_ptr) {}

// One decompression from memory. The destructor frees libjpeg's state however
// the decode ended.
class JpegReader {
public:
    JpegReader(const void* data, size_t size)
    {
        m_info.err = jpeg_std_error(&m_errors.manager);
        m_errors.manager.error_exit = OnJpegError;
        m_errors.manager.output_message = OnJpegMessage;
        m_errors.message[0] = '\0';
        m_created = Create(data, size);
    }
    ~JpegReader()
    {
        if (m_created)
            jpeg_destroy_decompress(&m_info);
    }
    JpegReader(const JpegReader&) = delete;
    JpegReader& operator=(const JpegReader&) = delete;

    bool ReadHeader()
    {
        if (!m_created)
            return false;
        if (__builtin_setjmp(m_errors.jump))
            return false;
        jpeg_read_header(&m_info, TRUE);
        return true;
    }

    bool Start(J_COLOR_SPACE outputSpace, int eighths)
    {
        if (__builtin_setjmp(m_errors.jump))
            return false;
        m_info.out_color_space = outputSpace;
        m_info.scale_num = static_cast<unsigned int>(eighths);
        m_info.scale_denom = 8;
        jpeg_start_decompress(&m_info);
        return true;
    }

    bool ReadRow(BYTE* row)
    {
        if (__builtin_setjmp(m_errors.jump))
            return false;
        JSAMPROW rows[1] = {row};
        return jpeg_read_scanlines(&m_info, rows, 1) == 1;
    }

    bool Finish()
    {
        if (__builtin_setjmp(m_errors.jump))
            return false;
        jpeg_finish_decompress(&m_info);
        return true;
    }

    jpeg_decompress_struct& Info() { return m_info; }
    const char* Message() const { return m_errors.message; }

private:
    bool Create(const void* data, size_t size)
    {
        if (__builtin_setjmp(m_errors.jump))
            return false;
        jpeg_create_decompress(&m_info);
        jpeg_mem_src(&m_info, static_cast<const unsigned char*>(data), static_cast<unsigned long>(size));
        return true;
    }

    jpeg_decompress_struct m_info{};
    JpegErrorManager m_errors{};
    bool m_created = false;
};

[[noreturn]] void ThrowJpegError(const JpegReader& reader)
{
    ThrowDecoderError(PL_ERRFORMAT_UNKNOWN, reader.Message()[0] ? reader.Message() : "JPEG decoding failed.");
}

PLDIBSection DecodeJpeg(const void* data, size_t size, int bitsPerPixel, int eighths)
{
    JpegReader reader(data, size);
    if (!reader.ReadHeader())
        ThrowJpegError(reader);

    jpeg_decompress_struct& info = reader.Info();
    const bool grey = bitsPerPixel == 8 || (bitsPerPixel == 0 && info.jpeg_color_space == JCS_GRAYSCALE);
    const long long pixels = static_cast<long long>(info.image_width) * info.image_height;
    if (info.image_width > JpegDecoder::kMaxSide || info.image_height > JpegDecoder::kMaxSide ||
        pixels > JpegDecoder::kMaxPixels)
        ThrowDecoderError(PL_ERRNO_MEMORY, "Out of memory creating bitmap.");

    // libjpeg-turbo writes blue-green-red-x directly, the layout of a 32-bit DIB.
    if (!reader.Start(grey ? JCS_GRAYSCALE : JCS_EXT_BGRX, eighths))
        ThrowJpegError(reader);

    PLDIBSection bitmap;
    try {
        bitmap.Create(static_cast<int>(info.output_width), static_cast<int>(info.output_height), grey ? 8 : 32);
    } catch (const PLTextException& e) {
        ThrowDecoderError(e.Code(), e.Text());
    }
    for (int y = 0; y < bitmap.Height(); ++y) {
        if (!reader.ReadRow(bitmap.Row(y)))
            ThrowJpegError(reader);
    }
    if (!reader.Finish())
        ThrowJpegError(reader);
    return bitmap;
}

}  // namespace

void JpegDecoder::DecodeResource(HINSTANCE instance, int id, PLDIBSection& bitmap, int bitsPerPixel,
                                     const char* type, int eighths)
{
    const char* resourceType = type ? type : MAKEINTRESOURCEA(10);  // RT_RCDATA
    const ResourceBytes bytes = FindResourceBytes(instance, id, resourceType);
    if (!bytes) {
        char reason[64];
        std::snprintf(reason, sizeof reason, "Opening resource %i failed", id);
        ThrowDecoderError(PL_ERRFILE_NOT_FOUND, reason);
    }
    DecodeBuffer(bytes.data, bytes.size, bitmap, bitsPerPixel, eighths);
}

void JpegDecoder::DecodeBuffer(const void* data, size_t size, PLDIBSection& bitmap, int bitsPerPixel, int eighths)
{
    const auto* bytes = static_cast<const BYTE*>(data);
    if (!bytes || size < 2 || bytes[0] != 0xFF || bytes[1] != 0xD8)
        ThrowDecoderError(PL_ERRUNKNOWN_FILE_TYPE, "Unknown file type.");
    if (eighths < 1 || eighths > 16)
        eighths = 8;
    bitmap = DecodeJpeg(data, size, bitsPerPixel, eighths);
}
