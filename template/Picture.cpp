// Picture: a PNG picture that answers a value tag, and its size read from the PNG's own bytes.
#include "Picture.h"

#include <limits>
#include <string_view>
#include <utility>

namespace templating {

namespace {

constexpr std::string_view Signature("\x89PNG\r\n\x1A\n", 8);

struct Chunk
{
    std::string_view type;
    std::string_view data;
};

std::uint32_t bigEndian(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = at; i < at + 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
}

// The chunk at `at` (length, type, data, checksum); nothing when the bytes end inside it.
std::optional<Chunk> chunkAt(std::string_view png, std::size_t at)
{
    if (png.size() - at < 12)
        return std::nullopt;
    const std::uint32_t length = bigEndian(png, at);
    if (png.size() - at - 12 < length)
        return std::nullopt;
    return Chunk{png.substr(at + 4, 4), png.substr(at + 8, length)};
}

} // namespace

std::variant<Picture, PngFault> readPng(std::string png)
{
    if (png.compare(0, Signature.size(), Signature) != 0)
        return PngFault::NotPng;
    std::size_t at = Signature.size();
    std::optional<Chunk> chunk = chunkAt(png, at);
    if (!chunk || chunk->type != "IHDR" || chunk->data.size() < 8)
        return PngFault::NotPng;
    Picture picture;
    picture.width = bigEndian(chunk->data, 0);
    picture.height = bigEndian(chunk->data, 4);
    if (picture.width == 0 || picture.height == 0)
        return PngFault::NotPng;
    bool imageData = false;
    for (; chunk && chunk->type != "IEND"; chunk = chunkAt(png, at)) {
        imageData = imageData || chunk->type == "IDAT";
        constexpr char Metre = 1;
        if (!imageData && chunk->type == "pHYs" && chunk->data.size() >= 9 &&
            chunk->data[8] == Metre) {
            // 0.0254 metres to the inch, rounded; too few pixels per metre to make one per inch
            // is no resolution.
            const auto dpi = static_cast<std::uint32_t>(
                (std::uint64_t{bigEndian(chunk->data, 0)} * 254 + 5000) / 10000);
            if (dpi > 0)
                picture.dpi = dpi;
        }
        at += 12 + chunk->data.size();
    }
    // A document would hold a picture that no reader can show whole.
    if (!chunk)
        return PngFault::CutShort;
    if (!imageData)
        return PngFault::NoImageData;
    picture.png = std::move(png);
    return picture;
}

std::optional<Picture> pictureFromPng(std::string png)
{
    std::variant<Picture, PngFault> read = readPng(std::move(png));
    if (Picture* picture = std::get_if<Picture>(&read))
        return std::move(*picture);
    return std::nullopt;
}

std::uint64_t twips(std::uint32_t pixels, std::uint32_t dpi)
{
    return (std::uint64_t{pixels} * 1440 + dpi / 2) / dpi;
}

std::optional<SizeFault> sizeFault(const Picture& picture)
{
    if (picture.dpi == 0)
        return SizeFault::NoResolution;
    constexpr std::uint64_t Largest = std::numeric_limits<std::int32_t>::max();
    const std::uint64_t width = twips(picture.width, picture.dpi);
    const std::uint64_t height = twips(picture.height, picture.dpi);
    if (picture.width > Largest || picture.height > Largest || width > Largest || height > Largest)
        return SizeFault::TooLarge;
    if (width == 0 || height == 0)
        return SizeFault::TooSmall;
    return std::nullopt;
}

} // namespace templating
