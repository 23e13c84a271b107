#include "convert/mp3_encoder.h"

#include "convert/conversion_refused.h"

#include <lame/lame.h>

#include <algorithm>
#include <memory>

namespace korvane {

namespace {

struct CloseEncoder {
    void operator()(lame_global_flags* flags) const { lame_close(flags); }
};

[[noreturn]] void Refuse(const char* step)
{
    throw ConversionRefused(std::string("the MP3 encoder failed to ") + step);
}

} // namespace

std::string EncodedMp3(const Pcm& pcm, int kbps)
{
    if (pcm.channels != 1)
        throw ConversionRefused("the MP3 encoder takes one channel");
    const std::unique_ptr<lame_global_flags, CloseEncoder> lame(lame_init());
    if (!lame)
        Refuse("start");
    lame_set_in_samplerate(lame.get(), pcm.rate);
    lame_set_out_samplerate(lame.get(), pcm.rate);
    lame_set_num_channels(lame.get(), 1);
    lame_set_mode(lame.get(), MONO);
    lame_set_VBR(lame.get(), vbr_off);
    lame_set_brate(lame.get(), kbps);
    // The "Info" frame that carries the delay and padding; no ID3 tags.
    lame_set_bWriteVbrTag(lame.get(), 1);
    lame_set_write_id3tag_automatic(lame.get(), 0);
    if (lame_init_params(lame.get()) < 0)
        Refuse("take the player's form");

    std::string mp3;
    constexpr int kBlock = 8192;
    // LAME's own bound for a block's output: 1.25 times the samples, and 7200 bytes.
    std::string buffer(std::size_t(kBlock * 5 / 4 + 7200), '\0');
    auto* out = reinterpret_cast<unsigned char*>(buffer.data());
    const int room = int(buffer.size());
    const std::size_t frames = pcm.frames();
    for (std::size_t at = 0; at < frames; at += kBlock) {
        const int count = int(std::min<std::size_t>(kBlock, frames - at));
        const float* block = pcm.samples.data() + at;
        const int written =
            lame_encode_buffer_ieee_float(lame.get(), block, block, count, out, room);
        if (written < 0)
            Refuse("encode");
        mp3.append(buffer.data(), std::size_t(written));
    }
    const int flushed = lame_encode_flush(lame.get(), out, room);
    if (flushed < 0)
        Refuse("finish");
    mp3.append(buffer.data(), std::size_t(flushed));

    // The Info frame LAME left empty at the start now gets its counts.
    const std::size_t tag = lame_get_lametag_frame(lame.get(), out, std::size_t(room));
    if (tag > 0 && tag <= mp3.size())
        mp3.replace(0, tag, buffer.data(), tag);
    return mp3;
}

} // namespace korvane
