// KVImage: the portable grey and colour maps (P2, P3, P5, P6), read and written here.
#include "heightmap/KVImage.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {
const float kRedWeight = 0.30f;
const float kGreenWeight = 0.59f;
const float kBlueWeight = 0.11f;

const char* const kDimensionsError =
    "PBM Error: Problem reading image dimensions. (height, width & maxVal is < 1)";
const char* const kTruncatedError = "PBM Error: File ends before its image data is complete.";

// A cursor over the whole file, read at once.
class PnmText {
public:
    // False when the file cannot be opened.
    bool open(const MString& path) {
        // Only a regular file has a length to size the buffer by (a folder named .pgm
        // reports a bogus one).
        std::error_code error;
        if (!std::filesystem::is_regular_file(path.asChar(), error)) return false;
        std::ifstream in(path.asChar(), std::ios::binary | std::ios::ate);
        if (!in.good()) return false;
        const std::streamoff size = in.tellg();
        in.seekg(0);
        // Left unfilled: the read fills what the file holds.
        const size_t room = size > 0 ? static_cast<size_t>(size) : 0;
        bytes_.reset(new char[room]);
        in.read(bytes_.get(), static_cast<std::streamsize>(room));
        size_ = static_cast<size_t>(in.gcount());
        return true;
    }

    bool atEnd() const { return at_ >= size_; }
    size_t remaining() const { return atEnd() ? 0 : size_ - at_; }
    int next() { return atEnd() ? -1 : static_cast<unsigned char>(bytes_[at_++]); }
    void skip() { ++at_; }

    // A decimal number after white space, as a stream extraction reads it: false when
    // no digit follows.
    bool number(int64_t& value) {
        skipBlanksAndComments();
        bool negative = false;
        if (!atEnd() && (bytes_[at_] == '-' || bytes_[at_] == '+')) negative = bytes_[at_++] == '-';
        if (atEnd() || !std::isdigit(static_cast<unsigned char>(bytes_[at_]))) return false;
        value = 0;
        while (!atEnd() && std::isdigit(static_cast<unsigned char>(bytes_[at_])) &&
               value < (int64_t(1) << 40))
            value = value * 10 + (bytes_[at_++] - '0');
        if (negative) value = -value;
        return true;
    }

    // White space, and comments from "#" to the end of their line, which netpbm and
    // other tools write into headers.
    void skipBlanksAndComments() {
        while (!atEnd()) {
            if (bytes_[at_] == '#') {
                while (!atEnd() && bytes_[at_] != '\n' && bytes_[at_] != '\r')
                    ++at_;
            } else if (std::isspace(static_cast<unsigned char>(bytes_[at_]))) {
                ++at_;
            } else {
                return;
            }
        }
    }

    // The next n bytes, or null when fewer remain.
    const unsigned char* take(size_t n) {
        if (remaining() < n) return nullptr;
        const auto* bytes = reinterpret_cast<const unsigned char*>(bytes_.get() + at_);
        at_ += n;
        return bytes;
    }

private:
    std::unique_ptr<char[]> bytes_;
    size_t size_ = 0;
    size_t at_ = 0;
};

// One pixel from its samples: grey maps give grey pixels, colour maps weigh the channels
// into the grey level.
void putPixel(double red, double green, double blue, bool grey, MColor& colour, double& level) {
    if (grey) {
        level = red;
        colour = MColor(float(red), float(red), float(red), 1.0f);
        return;
    }
    level = kRedWeight * red + kGreenWeight * green + kBlueWeight * blue;
    colour = MColor(float(red), float(green), float(blue), 1.0f);
}

// One row of text samples; false when the text ends first.
bool asciiRow(PnmText& text, double divisor, unsigned int width, unsigned int channels,
              MColor* colours, double* greys) {
    for (unsigned int c = 0; c < width; ++c) {
        int64_t raw[3] = {0, 0, 0};
        for (unsigned int k = 0; k < channels; ++k)
            if (!text.number(raw[k])) return false;
        putPixel(raw[0] / divisor, raw[1] / divisor, raw[2] / divisor, channels == 1, colours[c],
                 greys[c]);
    }
    return true;
}

// One row of binary samples of Bytes bytes each (most significant first), read through
// the table of their levels.
template <int Bytes>
void binaryRow(const unsigned char* bytes, const double* levels, unsigned int width,
               unsigned int channels, MColor* colours, double* greys) {
    const auto next = [&] {
        const int raw = Bytes == 2 ? (bytes[0] << 8) | bytes[1] : bytes[0];
        bytes += Bytes;
        return levels[raw];
    };
    for (unsigned int c = 0; c < width; ++c) {
        if (channels == 1) {
            const double level = next();
            putPixel(level, level, level, true, colours[c], greys[c]);
            continue;
        }
        const double red = next(), green = next(), blue = next();
        putPixel(red, green, blue, false, colours[c], greys[c]);
    }
}

// The channels and encoding of the kind digit after 'P'; false for a kind not read here.
bool pnmKind(int digit, unsigned int& channels, bool& ascii) {
    if (digit < '2' || digit == '4' || digit > '6') return false;
    channels = digit == '2' || digit == '5' ? 1 : 3;
    ascii = digit < '4';
    return true;
}

// Integer part of value × maxVal + 0.5, not clamped (a value that is not a number gives 0).
int64_t rounded(double value, int maxVal) {
    const double scaled = value * maxVal + 0.5;
    return std::isfinite(scaled) ? static_cast<int64_t>(scaled) : 0;
}

// Binary samples keep the low bytes of out-of-range values.
void putSample(std::string& out, int64_t sample, bool twoBytes) {
    if (twoBytes) out += static_cast<char>((sample >> 8) & 0xff);
    out += static_cast<char>(sample & 0xff);
}
} // namespace

MStatus KVImage::loadPnm() {
    PnmText text;
    if (!text.open(fileName)) return fail("PBM Error: Problem opening file: " + fileName);
    if (text.next() != 'P') return fail("PBM Error: Invalid PGM, PBM or PPM file.");
    if (!pnmKind(text.next(), channels, isAscii))
        return fail(MString("PBM Error: Invalid PGM, PBM or PPM format. ") +
                    "Must be Grayscale Binary(P5) / Ascii(P2) or RGB Binary(P6) / Ascii(P3).");
    int64_t w = 0, h = 0, maxVal = 0;
    if (!text.number(w) || !text.number(h) || !text.number(maxVal) || w < 1 || h < 1 ||
        maxVal < 1 || w > 0xffffffffLL || h > 0xffffffffLL || maxVal > 0x7fffffffLL)
        return fail(kDimensionsError);
    width = static_cast<unsigned int>(w);
    height = static_cast<unsigned int>(h);
    const bool twoBytes = maxVal >= 256;
    bitDepth = twoBytes ? 16 : 8;
    bytesPerSample = twoBytes ? 2 : 1;
    pixels.clear();
    heightVals.clear();
    text.skip();

    // Every sample takes at least one byte (binary: bytesPerSample), so a header that
    // promises more than the file holds is refused before anything is allocated. A size
    // beyond 64 bits is no picture at all: that is the header's fault.
    const uint64_t rowMinimum = uint64_t(width) * channels * (isAscii ? 1 : bytesPerSample);
    if (height > UINT64_MAX / rowMinimum) return fail(kDimensionsError);
    if (text.remaining() < rowMinimum * height) return fail(kTruncatedError);

    const double divisor = static_cast<double>(maxVal);
    // A binary sample has at most 65536 values: their quotients are worked out once.
    std::vector<double> levels(isAscii ? 0 : twoBytes ? 65536 : 256);
    for (size_t raw = 0; raw < levels.size(); ++raw)
        levels[raw] = static_cast<double>(raw) / divisor;
    const size_t rowBytes = size_t(width) * channels * bytesPerSample;
    for (unsigned int r = 0; r < height; ++r) {
        startRow();
        MColor* colours = rowColours_.data();
        double* greys = rowGreys_.data();
        if (isAscii) {
            if (!asciiRow(text, divisor, width, channels, colours, greys))
                return fail(kTruncatedError);
        } else {
            // The size check above makes a binary row's bytes safe to read without checks.
            const unsigned char* bytes = text.take(rowBytes);
            if (!bytes) return fail(kTruncatedError);
            if (twoBytes)
                binaryRow<2>(bytes, levels.data(), width, channels, colours, greys);
            else
                binaryRow<1>(bytes, levels.data(), width, channels, colours, greys);
        }
        appendRow();
    }
    flipVertical();
    return MS::kSuccess;
}

MStatus KVImage::readPnmInfo() {
    PnmText text;
    if (!text.open(fileName))
        return fail("PBM Error: Problem opening PGM File. (ifstream::good() returned false)");
    if (text.next() == 'P' && !pnmKind(text.next(), channels, isAscii))
        return fail("PBM Error: Not valid PBM format. (First line != P5 or P6)");
    int64_t w = 0, h = 0, maxVal = 0;
    if (!text.number(w) || !text.number(h) || !text.number(maxVal) || w < 1 || h < 1 ||
        maxVal < 1 || w > 0xffffffffLL || h > 0xffffffffLL)
        return fail(kDimensionsError);
    width = static_cast<unsigned int>(w);
    height = static_cast<unsigned int>(h);
    bitDepth = maxVal >= 256 ? 16 : 8;
    bytesPerSample = bitDepth / 8;
    return MS::kSuccess;
}

MStatus KVImage::savePnm() {
    std::ofstream out(fileName.asChar(), isAscii
                                             ? std::ios::out | std::ios::trunc
                                             : std::ios::out | std::ios::trunc | std::ios::binary);
    if (!out.good()) return fail("PBM Error: Problem saving file: " + fileName);
    // Pictures of two or four channels are written as grey and as colour maps.
    const bool grey = channels < 3;
    const bool twoBytes = bitDepth > 8;
    const int maxVal = twoBytes ? 65535 : 255;
    std::string data = std::string("P") + (grey ? (isAscii ? '2' : '5') : (isAscii ? '3' : '6')) +
                       "\n" + std::to_string(width) + "\n" + std::to_string(height) + "\n" +
                       std::to_string(maxVal) + "\n";
    for (size_t r = 0; r < heightVals.size(); ++r) {
        const MDoubleArray& greys = heightVals[r];
        const MColorArray& colours = pixels[r];
        for (unsigned int c = 0; c < greys.length(); ++c) {
            int64_t values[3];
            unsigned int count = 1;
            if (grey) {
                // Binary 8-bit grey is truncated, not rounded.
                values[0] = (!isAscii && !twoBytes && std::isfinite(greys[c]))
                                ? static_cast<int64_t>(greys[c] * 255)
                                : rounded(greys[c], maxVal);
            } else {
                count = 3;
                for (unsigned int k = 0; k < 3; ++k)
                    values[k] = rounded(colours[c][k], maxVal);
            }
            for (unsigned int k = 0; k < count; ++k) {
                if (isAscii)
                    data += std::to_string(values[k]) + " ";
                else
                    putSample(data, values[k], twoBytes);
            }
        }
        if (isAscii) data += "\n";
    }
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    return out.good() ? MStatus(MS::kSuccess) : fail("PBM Error: Problem saving file: " + fileName);
}
