// Pictures: one loaded bitmap, shared by reference between the controls that show it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

namespace detail {
struct PictureData;
}

class Picture {
public:
    using Handle = std::uint64_t;

    // Several pictures may share one set of pixels; each still has its own handle.
    explicit Picture(std::shared_ptr<const detail::PictureData> data);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // A whole number unique to this loaded picture; never 0.
    Handle handle() const { return handle_; }
    int width() const;
    int height() const;

    const detail::PictureData& data() const { return *data_; }

private:
    Handle handle_;
    std::shared_ptr<const detail::PictureData> data_;
};

using PictureRef = std::shared_ptr<const Picture>;

// The handle of a reference; an empty reference has handle 0.
inline Picture::Handle handleOf(const PictureRef& picture) { return picture ? picture->handle() : 0; }

// Reads a bitmap file by a path relative to the working directory, written with '/'.
// Every call gives a new picture with a new handle. Throws RuntimeError naming the
// file and the reason when the file is missing, empty, truncated, not a bitmap or
// claims an absurd size.
PictureRef LoadPicture(const std::string& path);

// A new picture object of the artwork stored with the program (for example
// "star.bmp"). The pixels, and their renditions at the sizes of the controls, are
// made once and shared; each call still gives a picture of its own with a new handle.
PictureRef StoredPicture(const std::string& name);

}  // namespace platform
