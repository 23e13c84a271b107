#include "calls/mpeg_frames.h"

#include <array>

namespace korvane {

namespace {

// kbit/s by bitrate index; 0 marks free format, which no portable player decodes.
constexpr std::array<std::array<int, 16>, 5> kBitrates = {{
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0}, // V1 L1
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},    // V1 L2
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},     // V1 L3
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},    // V2 L1
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},         // V2 L2, L3
}};
constexpr std::array<int, 3> kRatesV1 = {44100, 48000, 32000};

// How many frames in a row make audio certain: random bytes pass one header check in a few
// thousand tries, several chained ones practically never.
constexpr int kChainedFrames = 4;

unsigned Byte(std::string_view bytes, std::size_t i)
{
    return static_cast<unsigned char>(bytes[i]);
}

} // namespace

std::optional<FrameHeader> ParseFrameHeader(std::string_view bytes)
{
    if (bytes.size() < 4 || Byte(bytes, 0) != 0xFF || (Byte(bytes, 1) & 0xE0) != 0xE0)
        return std::nullopt;
    const unsigned versionBits = (Byte(bytes, 1) >> 3) & 3;
    const unsigned layerBits = (Byte(bytes, 1) >> 1) & 3;
    const unsigned bitrateIndex = Byte(bytes, 2) >> 4;
    const unsigned rateIndex = (Byte(bytes, 2) >> 2) & 3;
    if (versionBits == 1 || layerBits == 0 || bitrateIndex == 0 || bitrateIndex == 15 ||
        rateIndex == 3)
        return std::nullopt;

    FrameHeader h;
    h.version = versionBits == 3 ? 1 : versionBits == 2 ? 2 : 25;
    h.layer = 4 - static_cast<int>(layerBits);
    const int divisor = h.version == 1 ? 1 : h.version == 2 ? 2 : 4;
    h.rate = kRatesV1[rateIndex] / divisor;
    const std::size_t table = h.version == 1 ? static_cast<std::size_t>(h.layer - 1)
                              : h.layer == 1 ? 3
                                             : 4;
    h.kbps = kBitrates[table][bitrateIndex];
    h.channels = (Byte(bytes, 3) >> 6) == 3 ? 1 : 2;
    const int padding = (Byte(bytes, 2) >> 1) & 1;
    if (h.layer == 1) {
        h.samples = 384;
        h.bytes = (12 * h.kbps * 1000 / h.rate + padding) * 4;
    } else {
        h.samples = h.layer == 3 && h.version != 1 ? 576 : 1152;
        h.bytes = h.samples / 8 * h.kbps * 1000 / h.rate + padding;
    }
    if (h.layer == 3)
        h.sideInfo = h.version == 1 ? (h.channels == 1 ? 17 : 32) : (h.channels == 1 ? 9 : 17);
    if ((Byte(bytes, 1) & 1) == 0)
        h.sideInfo += 2; // the CRC
    return h;
}

Layer3Chain FollowLayer3(std::string_view bytes)
{
    const std::optional<FrameHeader> first = ParseFrameHeader(bytes);
    if (!first || first->layer != 3)
        return Layer3Chain::Broken;
    std::size_t at = 0;
    for (int chained = 0; chained < kChainedFrames; ++chained) {
        const std::optional<FrameHeader> frame = ParseFrameHeader(bytes.substr(at));
        if (!frame || frame->version != first->version || frame->layer != 3 ||
            frame->rate != first->rate)
            return Layer3Chain::Broken;
        at += static_cast<std::size_t>(frame->bytes);
        // A short call, or one cut off: its frames run to the end and that is all there is.
        if (at + 4 > bytes.size())
            return Layer3Chain::CutShort;
    }
    return Layer3Chain::Chained;
}

std::optional<EncoderGap> ReadEncoderGap(std::string_view firstFrame, const FrameHeader& header)
{
    std::size_t at = 4 + static_cast<std::size_t>(header.sideInfo);
    const std::string_view tag = firstFrame.substr(std::min(at, firstFrame.size()));
    if (!(tag.starts_with("Xing") || tag.starts_with("Info")) || tag.size() < 8)
        return std::nullopt;
    const unsigned flags = Byte(tag, 7);
    at = 8;
    at += (flags & 1) ? 4 : 0;   // frames
    at += (flags & 2) ? 4 : 0;   // bytes
    at += (flags & 4) ? 100 : 0; // seek table
    at += (flags & 8) ? 4 : 0;   // quality
    // The encoder's extension: 9 bytes of its name, 12 of settings, then 12 bits of delay and
    // 12 of padding.
    if (tag.size() < at + 24)
        return std::nullopt;
    const std::string_view encoder = tag.substr(at, 4);
    if (encoder != "LAME" && encoder != "Lavc" && encoder != "Lavf")
        return std::nullopt;
    const std::size_t gap = at + 21;
    EncoderGap result;
    result.delay = static_cast<int>((Byte(tag, gap) << 4) | (Byte(tag, gap + 1) >> 4));
    result.padding = static_cast<int>(((Byte(tag, gap + 1) & 0xF) << 8) | Byte(tag, gap + 2));
    return result;
}

} // namespace korvane
