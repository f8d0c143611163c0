// Picture: a PNG picture that answers a value tag, and its size read from the PNG's own bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace templating {

struct Picture
{
    std::string png;         // the whole PNG file
    std::uint32_t width = 0; // in pixels
    std::uint32_t height = 0;
    // Pixels per inch: the picture is printed width / dpi inches wide; a fill refuses 0.
    std::uint32_t dpi = 96;
};

// The picture of a PNG file's bytes: its size from the IHDR chunk, its resolution from the pHYs
// chunk when that gives one in pixels per metre, else 96 dpi. Nothing when the bytes are no PNG:
// a wrong signature, or no IHDR chunk of a non-zero size first.
std::optional<Picture> pictureFromPng(std::string png);

} // namespace templating
