#pragma once
// A picture decoded from JPEG bytes with libjpeg into a bitmap of the screen's kind, and drawn stretched
// to a rectangle. The title picture of the splash window and the About box is such a picture, stored
// in the program's resources.

#include "platform/Handles.h"

#include <windows.h>

#include <cstddef>
#include <string>

class Picture {
  public:
    // Decodes JPEG bytes (grey or colour, baseline or progressive). Raises an error that names what is
    // wrong when the bytes are no JPEG picture, are damaged or cut short, or describe a picture larger
    // than 8192 pixels either way.
    static Picture FromJpeg(const void* data, std::size_t size);
    // The JPEG picture stored as the RCDATA resource `id` of the program; raises an error when it is
    // missing or cannot be decoded.
    static Picture FromJpegResource(int id);

    int Width() const { return width_; }
    int Height() const { return height_; }
    HBITMAP Bitmap() const { return bitmap_.get(); }

    // Draws the whole picture stretched to `to`.
    void Draw(HDC dc, const RECT& to) const;

  private:
    Picture() = default;

    unique_hbitmap bitmap_;
    int width_ = 0;
    int height_ = 0;
};
