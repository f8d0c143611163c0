// Picture: a PNG picture that answers a value tag, and its size read from the PNG's own bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace templating {

struct Picture
{
    std::string png;         // the whole PNG file
    std::uint32_t width = 0; // in pixels
    std::uint32_t height = 0;
    // Pixels per inch: the picture is printed width / dpi inches wide; a fill refuses 0.
    std::uint32_t dpi = 96;
};

// Why bytes make no picture.
enum class PngFault
{
    NotPng,      // a wrong signature, or no IHDR chunk of a non-zero size first
    NoImageData, // no IDAT chunk before the IEND chunk
    CutShort,    // the bytes end before the IEND chunk
};

// Why an RTF document cannot size a picture.
enum class SizeFault
{
    NoResolution, // 0 dpi
    TooLarge,     // pixels or twips beyond RTF's signed 32-bit numbers
    TooSmall,     // a side that rounds to 0 twips
};

// The picture of a PNG file's bytes, or why they make none: its size from the IHDR chunk, its
// resolution from a pHYs chunk before the image data when that gives one in pixels per metre,
// else 96 dpi.
std::variant<Picture, PngFault> readPng(std::string png);

// The same, nothing for a fault.
std::optional<Picture> pictureFromPng(std::string png);

// Pixels at `dpi`, which must not be 0, in twips, 1440 to the inch, rounded.
std::uint64_t twips(std::uint32_t pixels, std::uint32_t dpi);

// Why the picture's size cannot be written into an RTF document; nothing when it can.
std::optional<SizeFault> sizeFault(const Picture& picture);

} // namespace templating
