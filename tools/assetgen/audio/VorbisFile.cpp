#include "audio/VorbisFile.h"

#include <ogg/ogg.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/FileBytes.h"

namespace {

// libvorbis's state, released in the order it was made whatever way Encode leaves.
struct Encoder {
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    bool dspReady = false;
    bool streamReady = false;

    Encoder() {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
    }
    ~Encoder() {
        if (streamReady) ogg_stream_clear(&stream);
        if (dspReady) {
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;
};

void Append(std::vector<uint8_t>& bytes, const ogg_page& page) {
    bytes.insert(bytes.end(), page.header, page.header + page.header_len);
    bytes.insert(bytes.end(), page.body, page.body + page.body_len);
}

// Moves every finished page (or, with flush, everything held) into bytes.
void TakePages(Encoder& e, std::vector<uint8_t>& bytes, bool flush) {
    ogg_page page;
    while (flush ? ogg_stream_flush(&e.stream, &page) : ogg_stream_pageout(&e.stream, &page))
        Append(bytes, page);
}

// Analyses what the encoder holds and packs the finished packets.
void Drain(Encoder& e, std::vector<uint8_t>& bytes) {
    while (vorbis_analysis_blockout(&e.dsp, &e.block) == 1) {
        vorbis_analysis(&e.block, nullptr);
        vorbis_bitrate_addblock(&e.block);
        ogg_packet packet;
        while (vorbis_bitrate_flushpacket(&e.dsp, &packet)) {
            ogg_stream_packetin(&e.stream, &packet);
            TakePages(e, bytes, false);
        }
    }
}

}  // namespace

bool WriteVorbis(const std::filesystem::path& file, const Sound& sound, float quality,
                 std::string& error) {
    Encoder e;
    if (vorbis_encode_init_vbr(&e.info, 1, sound.Rate(), quality) != 0) {
        error = file.string() + ": the Vorbis encoder refuses rate " +
                std::to_string(sound.Rate()) + " at quality " + std::to_string(quality);
        return false;
    }
    vorbis_comment_add_tag(&e.comment, "ENCODER", "hoshikage assetgen");
    vorbis_analysis_init(&e.dsp, &e.info);
    vorbis_block_init(&e.dsp, &e.block);
    e.dspReady = true;
    // A fixed serial number keeps the file byte-identical from run to run.
    ogg_stream_init(&e.stream, 0x486B5367);
    e.streamReady = true;

    std::vector<uint8_t> bytes;
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&e.dsp, &e.comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&e.stream, &header);
    ogg_stream_packetin(&e.stream, &commentHeader);
    ogg_stream_packetin(&e.stream, &codeHeader);
    TakePages(e, bytes, true);  // audio starts on a page of its own, as the format asks

    constexpr size_t kChunk = 4096;
    for (size_t at = 0; at < sound.Size(); at += kChunk) {
        const size_t count = std::min(kChunk, sound.Size() - at);
        float** buffer = vorbis_analysis_buffer(&e.dsp, static_cast<int>(count));
        std::copy_n(sound.Samples().begin() + static_cast<long>(at), count, buffer[0]);
        vorbis_analysis_wrote(&e.dsp, static_cast<int>(count));
        Drain(e, bytes);
    }
    vorbis_analysis_wrote(&e.dsp, 0);  // end of stream: the last page carries the exact length
    Drain(e, bytes);
    TakePages(e, bytes, true);

    return WriteFileBytes(file, bytes, error);
}
