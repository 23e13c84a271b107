#include "calls/call_reader_functions.h"

#include "calls/call_file_stream.h"
#include "calls/mpeg_frames.h"
#include "calls/other_recordings.h"
#include "sys/errors.h"

#include <taglib/id3v2framefactory.h>
#include <taglib/mpegfile.h>
#include <taglib/mpegheader.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/xingheader.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <functional>
#include <optional>

namespace korvane {

namespace {

// The biggest Layer III frame (MPEG-1, 320 kbit/s, 32 kHz, padded) and the chain of them
// that FollowLayer3 follows. The chain of a call up to 128 kbit/s fits in the first window,
// which is all most calls need read.
constexpr long kLargestFrame = 1441;
constexpr long kChainWindow = 4 * kLargestFrame + 4;
constexpr long kFirstWindow = 2048;

std::string_view View(const TagLib::ByteVector& bytes)
{
    return {bytes.data(), bytes.size()};
}

// Whether frame holds a name TagLib's XingHeader looks for, anywhere in it, as TagLib does.
bool HasRateTable(std::string_view frame)
{
    return frame.find("Xing") != std::string_view::npos ||
           frame.find("Info") != std::string_view::npos ||
           frame.find("VBRI") != std::string_view::npos;
}

CallInfo NotAudio()
{
    CallInfo info;
    info.kind = CallInfo::Kind::NotAudio;
    return info;
}

// TagLib's view of a stream as a file, for its frame header reader alone: no tags are read.
class HeaderReader : public TagLib::File {
public:
    explicit HeaderReader(TagLib::IOStream& stream) : TagLib::File(&stream) {}
    TagLib::Tag* tag() const override { return nullptr; }
    TagLib::AudioProperties* audioProperties() const override { return nullptr; }
    bool save() override { return false; }
};

// What stream holds from an offset on, at most so many bytes, as TagLib's reads give it; read
// from the memory behind the stream where it has it, rather than copied into a vector.
using Peek = std::function<std::string_view(long from, long count)>;

// Where the audio of stream starts and ends as TagLib's MPEG file finds them; false when it
// finds none.
bool FindAudio(TagLib::IOStream& stream, const Peek& peek, long& first, long& end)
{
    // Most calls start with a frame and hold no ID3v2 tag. Then TagLib's MPEG file, which
    // reads and builds every tag it finds, answers as this does: no tag before the first
    // frame, which is at 0, and an ID3v1 tag where its last 128 bytes start with "TAG".
    // Short files, and those whose end may hold an APE tag's footer, which TagLib versions
    // tell apart from an ID3v1 tag differently, are left to TagLib.
    const long length = stream.length();
    if (length >= 131 && peek(0, 3) != "ID3") {
        HeaderReader reader(stream);
        if (TagLib::MPEG::Header(&reader, 0, true).isValid()) {
            const std::string_view tail = peek(length - 131, 8);
            if (tail != "APETAGEX") {
                first = 0;
                end = tail.substr(3, 3) == "TAG" ? length - 128 : length;
                return true;
            }
        }
    }
    // A recording in another container holds no frame to find; searching a long one for it
    // would read all of it.
    if (length >= kOtherRecordingHead && IsOtherRecording(peek(0, kOtherRecordingHead)))
        return false;
    // TagLib finds the tags and, past them, the first frame. Its own audio properties are not
    // asked for: they scan the file's end for the last frame, which costs more than all the
    // rest, and the first frames tell all that is shown.
    TagLib::MPEG::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
    if (!file.isValid())
        return false;
    first = file.firstFrameOffset();
    end = file.length();
    if (file.hasID3v1Tag())
        end -= 128;
    return true;
}

CallInfo ReadStream(TagLib::IOStream& stream, const Peek& peek)
{
    long first = 0;
    long end = 0;
    if (!FindAudio(stream, peek, first, end) || first < 0 || first >= end)
        return NotAudio();
    // The first window is read again larger only when the chain runs past it; what was read
    // decides the same as the largest window would. The window is never shorter than the
    // first frame (or the file), so the frame's tags are read whole.
    const long largest = std::min(kChainWindow, end - first);
    long size = std::min(kFirstWindow, largest);
    std::string_view window;
    Layer3Chain chain = Layer3Chain::CutShort;
    for (;;) {
        window = peek(first, size);
        chain = FollowLayer3(window);
        if (chain != Layer3Chain::CutShort || size == largest)
            break;
        size = largest;
    }
    const std::optional<FrameHeader> header = ParseFrameHeader(window);
    const bool streamEnds = first + kChainWindow >= end;
    if (!header || chain == Layer3Chain::Broken || (chain == Layer3Chain::CutShort && !streamEnds))
        return NotAudio();

    CallInfo info;
    info.kind = CallInfo::Kind::Audio;
    info.rate = header->rate;
    info.channels = header->channels;
    info.kbps = header->kbps;
    const double audioBytes = static_cast<double>(end - first);
    // Constant bit rate: the length is the audio's bytes at the first frame's rate.
    info.seconds = audioBytes * 8 / (header->kbps * 1000.0);

    // A variable bit rate call counts its frames and bytes in its first frame, under one of
    // the names TagLib looks for; most calls have none, and the search for them is not free.
    const std::string_view firstFrame = window.substr(0, static_cast<std::size_t>(header->bytes));
    if (!HasRateTable(firstFrame))
        return info;
    const TagLib::MPEG::XingHeader xing(
        TagLib::ByteVector(firstFrame.data(), static_cast<unsigned int>(firstFrame.size())));
    const double frames = xing.totalFrames();
    const double bytes = xing.totalSize();
    // No call sounds longer than its bytes at the lowest bit rate; counts that claim more lie.
    const double longest = audioBytes * 8 / 8000;
    if (!xing.isValid() || frames <= 0 || bytes <= 0 ||
        frames * header->samples / header->rate > longest * std::max(1.0, bytes / audioBytes))
        return info;
    // A file cut short holds only part of the frames it was encoded with.
    const bool whole = audioBytes >= 0.99 * bytes;
    double samples = frames * header->samples * (whole ? 1.0 : audioBytes / bytes);
    if (const std::optional<EncoderGap> gap = ReadEncoderGap(window, *header))
        samples -= gap->delay + (whole ? gap->padding : 0);
    const double encoded = frames * header->samples / header->rate;
    info.seconds = std::min(longest, std::max(0.0, samples) / header->rate);
    // "Info" is LAME's name for the counts of a constant bit rate call: its frames' rate is the
    // rate. (Its byte count holds the counting frame, its frame count not, so a short call
    // would read a kilobit fast.)
    if (firstFrame.find("Info") == std::string_view::npos)
        info.kbps = std::clamp(static_cast<int>(std::lround(bytes * 8 / encoded / 1000)), 8, 448);
    return info;
}

} // namespace

CallInfo ReadCallInfoWithTagLib(const std::string& hostPath)
{
    CallFileStream stream(hostPath);
    if (!stream.isOpen()) {
        if (stream.error() == ENOENT || stream.error() == ENOTDIR)
            return {};
        if (stream.isFolder())
            return NotAudio();
        CallInfo info;
        info.kind = CallInfo::Kind::Unreadable;
        info.problem = OsErrorText(stream.error());
        return info;
    }
    if (stream.length() == 0)
        return NotAudio();
    TagLib::ByteVector read; // what was not in the stream's blocks; one read at a time is kept
    return ReadStream(stream, [&stream, &read](long from, long count) {
        if (const std::optional<std::string_view> held = stream.view(from, count))
            return *held;
        stream.seek(from);
        read = stream.readBlock(static_cast<unsigned long>(count));
        return View(read);
    });
}

CallInfo ReadCallInfoFromBytesWithTagLib(std::string_view bytes)
{
    if (bytes.empty())
        return NotAudio();
    TagLib::ByteVector data(bytes.data(), static_cast<unsigned int>(bytes.size()));
    TagLib::ByteVectorStream stream(data);
    return ReadStream(stream, [bytes](long from, long count) {
        const auto at = static_cast<std::size_t>(std::max(0L, from));
        return at < bytes.size() ? bytes.substr(at, static_cast<std::size_t>(std::max(0L, count)))
                                 : std::string_view();
    });
}

} // namespace korvane
