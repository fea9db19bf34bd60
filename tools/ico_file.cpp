// ico_file.cpp: writing .ico files: a directory of entries, then each picture's bytes.
//
// Depends on libpng's simplified writer (png_image_write_to_memory) for the 256-pixel entry and
// on <fstream>. Every number in the file is little-endian, written byte by byte so the host's
// byte order does not matter. A bitmap entry is a BITMAPINFOHEADER whose height counts the
// colour rows and the mask rows, the BGRA rows from the bottom up, then a 1-bit mask (all zero:
// every pixel shown) with rows padded to four bytes.
#include "ico_file.h"

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace vorbl_tools {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int LARGEST_SIDE = 256;
constexpr std::size_t MOST_PICTURES = 16;
constexpr std::size_t DIRECTORY_SIZE = 6, ENTRY_SIZE = 16, BITMAP_HEADER_SIZE = 40;

void put16(Bytes *out, unsigned value) {
    out->push_back(static_cast<std::uint8_t>(value & 0xFF));
    out->push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put32(Bytes *out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

bool usable(const RgbImage &picture) {
    return picture.width >= 1 && picture.width <= LARGEST_SIDE && picture.height == picture.width &&
           picture.rgb.size() == static_cast<std::size_t>(picture.width) * picture.height * 3;
}

Bytes bitmap_entry(const RgbImage &picture) {
    const int side = picture.width;
    const std::size_t mask_row = ((static_cast<std::size_t>(side) + 31) / 32) * 4;
    Bytes out;
    put32(&out, BITMAP_HEADER_SIZE);
    put32(&out, static_cast<std::uint32_t>(side));
    put32(&out, static_cast<std::uint32_t>(side * 2));  // colour rows and mask rows
    put16(&out, 1);                                     // planes
    put16(&out, 32);                                    // bits per pixel
    for (int i = 0; i < 6; ++i) put32(&out, 0);         // uncompressed; sizes and palette unused
    for (int y = side - 1; y >= 0; --y) {
        for (int x = 0; x < side; ++x) {
            const std::uint8_t *p = picture.pixel(x, y);
            out.insert(out.end(), {p[2], p[1], p[0], 0xFF});
        }
    }
    out.resize(out.size() + mask_row * static_cast<std::size_t>(side), 0);
    return out;
}

bool png_entry(const RgbImage &picture, Bytes *out, std::string *error) {
    png_image control;
    std::memset(&control, 0, sizeof control);
    control.version = PNG_IMAGE_VERSION;
    control.width = static_cast<png_uint_32>(picture.width);
    control.height = static_cast<png_uint_32>(picture.height);
    control.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (png_image_write_get_memory_size(control, size, 0, picture.rgb.data(), 0, nullptr)) {
        out->resize(size);
        if (png_image_write_to_memory(&control, out->data(), &size, 0, picture.rgb.data(), 0,
                                      nullptr)) {
            out->resize(size);
            return true;
        }
    }
    *error = std::string("cannot encode the icon's PNG: ") + control.message;
    png_image_free(&control);
    return false;
}

}  // namespace

bool write_ico(const std::string &path, const std::vector<RgbImage> &pictures, std::string *error) {
    if (pictures.empty() || pictures.size() > MOST_PICTURES) {
        *error = "an icon holds 1 to 16 pictures";
        return false;
    }
    std::vector<Bytes> entries;
    for (const RgbImage &picture : pictures) {
        if (!usable(picture)) {
            *error = "an icon's pictures are square, 1 to 256 pixels a side";
            return false;
        }
        Bytes entry;
        if (picture.width < LARGEST_SIDE) {
            entry = bitmap_entry(picture);
        } else if (!png_entry(picture, &entry, error)) {
            return false;
        }
        entries.push_back(std::move(entry));
    }
    Bytes file;
    put16(&file, 0);  // reserved
    put16(&file, 1);  // an icon (2 would be a cursor)
    put16(&file, static_cast<unsigned>(entries.size()));
    std::size_t offset = DIRECTORY_SIZE + ENTRY_SIZE * entries.size();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int side = pictures[i].width;
        const std::uint8_t side_byte = side == LARGEST_SIDE ? 0 : static_cast<std::uint8_t>(side);
        file.insert(file.end(), {side_byte, side_byte, 0, 0});  // width, height, no palette
        put16(&file, 1);                                        // planes
        put16(&file, 32);                                       // bits per pixel
        put32(&file, static_cast<std::uint32_t>(entries[i].size()));
        put32(&file, static_cast<std::uint32_t>(offset));
        offset += entries[i].size();
    }
    for (const Bytes &entry : entries) file.insert(file.end(), entry.begin(), entry.end());

    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char *>(file.data()),
                 static_cast<std::streamsize>(file.size()));
    stream.close();
    if (!stream) {
        *error = "cannot write " + path;
        std::remove(path.c_str());
        return false;
    }
    return true;
}

}  // namespace vorbl_tools
