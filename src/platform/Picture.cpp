#include "platform/Picture.h"

#include <csetjmp>
#include <cstdio>
#include <stdexcept>

// jpeglib.h expects FILE and size_t to be known.
#include <jpeglib.h>

namespace {

constexpr JDIMENSION kLargestSide = 8192;

// libjpeg's own error handler ends the process. This one jumps back to the decoding function with the
// library's message, which is raised from there as an error of the program; warnings about damaged
// but readable data are not shown.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf back;
    char message[JMSG_LENGTH_MAX];
};

void JumpBack(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    errors->manager.format_message(info, errors->message);
    std::longjmp(errors->back, 1);
}

void IgnoreWarning(j_common_ptr) {}

// The decompressor, destroyed however the decoding ends.
struct Decompressor {
    jpeg_decompress_struct info{};
    ~Decompressor() { jpeg_destroy_decompress(&info); }
};

} // namespace

// No object with a destructor may begin its life between setjmp and a jump back to it: the pixels go
// into the bitmap that was made before the rows are read.
Picture Picture::FromJpeg(const void* data, std::size_t size) {
    if (!data || size == 0) {
        throw std::runtime_error("The picture is empty");
    }
    Picture picture;
    Decompressor d;
    JpegErrors errors{};
    d.info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JumpBack;
    errors.manager.output_message = IgnoreWarning;
    const char* tooLarge = nullptr;
    if (setjmp(errors.back) == 0) {
        jpeg_create_decompress(&d.info);
        jpeg_mem_src(&d.info, static_cast<const unsigned char*>(data), static_cast<unsigned long>(size));
        jpeg_read_header(&d.info, TRUE);
        if (d.info.image_width > kLargestSide || d.info.image_height > kLargestSide) {
            tooLarge = "The picture is too large";
        } else {
            d.info.out_color_space = JCS_EXT_BGRX;
            jpeg_start_decompress(&d.info);
            picture.width_ = static_cast<int>(d.info.output_width);
            picture.height_ = static_cast<int>(d.info.output_height);
            BITMAPINFO bmi{};
            bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
            bmi.bmiHeader.biWidth = picture.width_;
            bmi.bmiHeader.biHeight = -picture.height_; // top-down rows
            bmi.bmiHeader.biPlanes = 1;
            bmi.bmiHeader.biBitCount = 32;
            bmi.bmiHeader.biCompression = BI_RGB;
            void* bits = nullptr;
            picture.bitmap_.reset(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
            if (!picture.bitmap_) {
                tooLarge = "There is no memory for the picture";
            } else {
                auto* row = static_cast<unsigned char*>(bits);
                const std::size_t stride = static_cast<std::size_t>(picture.width_) * 4;
                while (d.info.output_scanline < d.info.output_height) {
                    JSAMPROW rows[1] = {row + stride * d.info.output_scanline};
                    jpeg_read_scanlines(&d.info, rows, 1);
                }
                jpeg_finish_decompress(&d.info);
            }
        }
    } else {
        throw std::runtime_error(std::string("The picture cannot be read: ") + errors.message);
    }
    if (tooLarge) {
        throw std::runtime_error(tooLarge);
    }
    return picture;
}

Picture Picture::FromJpegResource(int id) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) {
        throw std::runtime_error("The program's picture " + std::to_string(id) + " is missing");
    }
    return FromJpeg(bytes, SizeofResource(module, found));
}

void Picture::Draw(HDC dc, const RECT& to) const {
    MemoryDC source(dc);
    if (!source.get()) {
        return;
    }
    SelectObjectGuard select(source.get(), bitmap_.get());
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, source.get(), 0, 0, width_,
               height_, SRCCOPY);
}
