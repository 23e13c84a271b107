#include "platform/call_info.h"

#include "platform/mpeg_frames.h"

#include <taglib/mpegfile.h>
#include <taglib/mpegproperties.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/tfilestream.h>
#include <taglib/xingheader.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace korvane {

namespace {

// The biggest Layer III frame (MPEG-1, 320 kbit/s, 32 kHz, padded) and the chain of them
// that LooksLikeLayer3 follows.
constexpr long kLargestFrame = 1441;
constexpr long kChainWindow = 4 * kLargestFrame + 4;

std::string_view View(const TagLib::ByteVector& bytes)
{
    return {bytes.data(), bytes.size()};
}

CallInfo NotAudio()
{
    CallInfo info;
    info.kind = CallInfo::Kind::NotAudio;
    return info;
}

CallInfo ReadStream(TagLib::IOStream& stream)
{
    // No tags are wanted, but TagLib reads them anyway to find where the audio starts.
    TagLib::MPEG::File file(&stream, nullptr, true, TagLib::AudioProperties::Fast);
    if (!file.isValid() || !file.audioProperties())
        return NotAudio();
    const long first = file.firstFrameOffset();
    if (first < 0)
        return NotAudio();

    long end = file.length();
    if (file.hasID3v1Tag())
        end -= 128;
    file.seek(first);
    const TagLib::ByteVector window =
        file.readBlock(static_cast<unsigned long>(std::min(kChainWindow, end - first)));
    const std::optional<FrameHeader> header = ParseFrameHeader(View(window));
    if (!header || !LooksLikeLayer3(View(window), first + kChainWindow >= end))
        return NotAudio();

    const TagLib::MPEG::Properties& props = *file.audioProperties();
    if (props.sampleRate() != header->rate || props.channels() < 1 || props.channels() > 2)
        return NotAudio();

    CallInfo info;
    info.kind = CallInfo::Kind::Audio;
    info.rate = header->rate;
    info.channels = header->channels;
    info.kbps = props.bitrate() >= 8 && props.bitrate() <= 448 ? props.bitrate() : header->kbps;
    const double audioBytes = static_cast<double>(end - first);
    const TagLib::MPEG::XingHeader* xing = props.xingHeader();
    // No call sounds longer than its bytes at the lowest bit rate; counts that claim more lie.
    const double longest = audioBytes * 8 / 8000;
    if (xing && xing->isValid() && xing->totalFrames() > 0 && xing->totalSize() > 0 &&
        static_cast<double>(xing->totalFrames()) * header->samples / header->rate <=
            longest * std::max(1.0, xing->totalSize() / audioBytes)) {
        // The counts in the first frame describe the file as encoded; a file cut short holds
        // only part of those frames.
        double frames = xing->totalFrames();
        const bool whole = audioBytes >= 0.99 * xing->totalSize();
        if (!whole)
            frames *= audioBytes / xing->totalSize();
        double samples = frames * header->samples;
        if (const std::optional<EncoderGap> gap = ReadEncoderGap(View(window), *header))
            samples -= gap->delay + (whole ? gap->padding : 0);
        info.seconds = std::min(longest, std::max(0.0, samples) / header->rate);
    } else {
        // Constant bit rate: the length is the audio's bytes at the first frame's rate.
        info.kbps = header->kbps;
        info.seconds = audioBytes * 8 / (header->kbps * 1000.0);
    }
    return info;
}

} // namespace

CallInfo ReadCallInfo(const std::string& hostPath)
{
    std::error_code error;
    const auto status = std::filesystem::status(hostPath, error);
    if (!std::filesystem::exists(status))
        return {};
    if (!std::filesystem::is_regular_file(status))
        return NotAudio();
    TagLib::FileStream stream(hostPath.c_str(), true);
    if (!stream.isOpen()) {
        CallInfo info;
        info.kind = CallInfo::Kind::Unreadable;
        std::FILE* probe = std::fopen(hostPath.c_str(), "rb");
        info.problem = probe ? "cannot be read" : std::strerror(errno);
        if (probe)
            std::fclose(probe);
        return info;
    }
    if (stream.length() == 0)
        return NotAudio();
    return ReadStream(stream);
}

CallInfo ReadCallInfoFromBytes(std::string_view bytes)
{
    if (bytes.empty())
        return NotAudio();
    TagLib::ByteVector data(bytes.data(), static_cast<unsigned int>(bytes.size()));
    TagLib::ByteVectorStream stream(data);
    return ReadStream(stream);
}

std::string MinutesSeconds(double seconds)
{
    const long tenths = std::lround(seconds * 10);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld.%ld", tenths / 600, tenths / 10 % 60, tenths % 10);
    return text;
}

std::string CallInfoLines(const CallInfo& info)
{
    switch (info.kind) {
    case CallInfo::Kind::Audio:
        return MinutesSeconds(info.seconds) + "\n" + std::to_string(info.kbps) + " kbit/s, " +
               std::to_string(info.rate) + " Hz, " + (info.channels == 1 ? "mono" : "stereo");
    case CallInfo::Kind::NotAudio:
        return "not MP3 audio: the player cannot play it";
    case CallInfo::Kind::Missing:
        return "missing: the player cannot play it";
    case CallInfo::Kind::Unreadable:
        return "cannot be read (" + info.problem + "): the player cannot play it";
    }
    return {};
}

} // namespace korvane
