#include "convert/recording_decoder.h"

#include "convert/conversion_refused.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace korvane {

namespace {

// libsndfile reads through these from a span of memory.
struct MemoryFile {
    std::string_view bytes;
    sf_count_t position = 0;
};

sf_count_t Length(void* data)
{
    return sf_count_t(static_cast<MemoryFile*>(data)->bytes.size());
}

sf_count_t Seek(sf_count_t offset, int whence, void* data)
{
    auto* file = static_cast<MemoryFile*>(data);
    const sf_count_t base = whence == SEEK_CUR   ? file->position
                            : whence == SEEK_END ? sf_count_t(file->bytes.size())
                                                 : 0;
    file->position = std::clamp<sf_count_t>(base + offset, 0, sf_count_t(file->bytes.size()));
    return file->position;
}

sf_count_t Read(void* to, sf_count_t count, void* data)
{
    auto* file = static_cast<MemoryFile*>(data);
    const sf_count_t left = sf_count_t(file->bytes.size()) - file->position;
    const sf_count_t taken = std::clamp<sf_count_t>(count, 0, left);
    std::memcpy(to, file->bytes.data() + file->position, std::size_t(taken));
    file->position += taken;
    return taken;
}

sf_count_t Write(const void*, sf_count_t, void*)
{
    return 0;
}

sf_count_t Tell(void* data)
{
    return static_cast<MemoryFile*>(data)->position;
}

// An MPEG-4 file (M4A, AAC from a phone) starts with its "ftyp" box.
bool IsMpeg4(std::string_view bytes)
{
    return bytes.size() >= 12 && bytes.substr(4, 4) == "ftyp";
}

struct CloseSoundFile {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

} // namespace

Pcm DecodeRecording(std::string_view bytes)
{
    if (bytes.empty())
        throw ConversionRefused("the file is empty");
    if (IsMpeg4(bytes))
        throw ConversionRefused("an M4A/AAC recording, which Korvane's decoder (libsndfile) "
                                "cannot read: save it as WAV, FLAC or MP3 first");
    SF_VIRTUAL_IO io{Length, Seek, Read, Write, Tell};
    MemoryFile memory{bytes};
    SF_INFO format{};
    const std::unique_ptr<SNDFILE, CloseSoundFile> file(
        sf_open_virtual(&io, SFM_READ, &format, &memory));
    if (!file)
        throw ConversionRefused("not a recording Korvane can read (WAV, AIFF, FLAC, Ogg Vorbis, "
                                "Opus or MP3)");
    if (format.channels < 1 || format.samplerate < 1)
        throw ConversionRefused("a recording without channels or rate");

    Pcm pcm;
    pcm.rate = format.samplerate;
    pcm.channels = format.channels;
    // MP3 and Ogg may not know their length ahead: read in blocks until the end.
    constexpr sf_count_t kBlockFrames = 65536;
    if (format.frames > 0 && format.frames < (sf_count_t(1) << 31) / format.channels)
        pcm.samples.reserve(std::size_t(format.frames * format.channels));
    for (;;) {
        const std::size_t at = pcm.samples.size();
        pcm.samples.resize(at + std::size_t(kBlockFrames * format.channels));
        const sf_count_t read = sf_readf_float(file.get(), pcm.samples.data() + at, kBlockFrames);
        pcm.samples.resize(at + std::size_t(std::max<sf_count_t>(read, 0) * format.channels));
        if (read < kBlockFrames)
            break;
    }
    if (sf_error(file.get()) != SF_ERR_NO_ERROR)
        throw ConversionRefused(std::string("the recording is damaged: ") +
                                sf_strerror(file.get()));
    if (pcm.samples.empty())
        throw ConversionRefused("the recording holds no sound");
    return pcm;
}

bool ConverterBuilt()
{
    return true;
}

} // namespace korvane
