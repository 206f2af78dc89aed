#include "VideoFile.h"

#include <array>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
}

#include "Interruption.h"
#include "OutputFile.h"
#include "YuvPicture.h"

namespace {

struct FreeMuxer {
    void operator()(AVFormatContext* muxer) const
    {
        if (muxer->pb != nullptr) {
            avio_closep(&muxer->pb);
        }
        avformat_free_context(muxer);
    }
};
struct FreeEncoder {
    void operator()(AVCodecContext* encoder) const { avcodec_free_context(&encoder); }
};
struct FreeFrame {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct FreePacket {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};

// Options handed to FFmpeg, freed however the call went.
class Options {
public:
    Options() = default;
    ~Options() { av_dict_free(&m_dictionary); }
    Options(const Options&) = delete;
    Options& operator=(const Options&) = delete;

    void Set(const char* key, const char* value) { av_dict_set(&m_dictionary, key, value, 0); }
    void Set(const char* key, int value) { av_dict_set_int(&m_dictionary, key, value, 0); }
    [[nodiscard]] AVDictionary** Get() { return &m_dictionary; }

private:
    AVDictionary* m_dictionary = nullptr;
};

int Interrupted(void* /*unused*/)
{
    return Interruption::Pending() != 0 ? 1 : 0;
}

std::string Why(int status)
{
    if (status == AVERROR_EXIT) {
        return "interrupted";
    }
    std::array<char, AV_ERROR_MAX_STRING_SIZE> text{};
    av_strerror(status, text.data(), text.size());
    return text.data();
}

} // namespace

struct VideoFile::Parts {
    std::unique_ptr<OutputFile> file;
    std::unique_ptr<AVFormatContext, FreeMuxer> muxer;
    std::unique_ptr<AVCodecContext, FreeEncoder> encoder;
    std::unique_ptr<AVFrame, FreeFrame> frame;
    std::unique_ptr<AVPacket, FreePacket> packet;
    AVStream* stream = nullptr;
    long long sent = 0;
    long long written = 0;

    [[nodiscard]] bool OpenEncoder(const Settings& settings, std::string& error);
    [[nodiscard]] bool OpenMuxer(const Settings& settings, const std::string& url, std::string& error);
    // Hands every packet the encoder has ready to the file.
    [[nodiscard]] bool Drain(const std::function<void(long long)>& progress, std::string& error);
};

bool VideoFile::Available()
{
    return true;
}

bool VideoFile::Parts::OpenEncoder(const Settings& settings, std::string& error)
{
    const AVCodec* codec = avcodec_find_encoder_by_name(settings.format->encoder);
    if (codec == nullptr) {
        error = std::string("the FFmpeg libraries here have no ") + settings.format->encoder + " encoder";
        return false;
    }
    encoder.reset(avcodec_alloc_context3(codec));
    frame.reset(av_frame_alloc());
    packet.reset(av_packet_alloc());
    if (!encoder || !frame || !packet) {
        error = Why(AVERROR(ENOMEM));
        return false;
    }
    AVCodecContext& e = *encoder;
    e.width = settings.width;
    e.height = settings.height;
    e.pix_fmt = AV_PIX_FMT_YUV420P;
    e.time_base = AVRational{1, settings.framesPerSecond};
    e.framerate = AVRational{settings.framesPerSecond, 1};
    e.sample_aspect_ratio = AVRational{1, 1};
    // What YuvPicture makes, said in the stream so that players agree.
    e.color_range = AVCOL_RANGE_MPEG;
    e.colorspace = AVCOL_SPC_BT709;
    e.color_primaries = AVCOL_PRI_BT709;
    e.color_trc = AVCOL_TRC_BT709;
    e.chroma_sample_location = AVCHROMA_LOC_CENTER;
    e.thread_count = 0; // as many as there are cores
    if ((muxer->oformat->flags & AVFMT_GLOBALHEADER) != 0) {
        e.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    Options options;
    options.Set("crf", settings.crf);
    if (std::strcmp(settings.format->encoder, "libvpx-vp9") == 0) {
        // Constant quality with no bit rate to keep to; rows in parallel,
        // and a speed that does not take minutes for seconds of video.
        e.bit_rate = 0;
        options.Set("row-mt", 1);
        options.Set("deadline", "good");
        options.Set("cpu-used", 4);
    }
    if (const int status = avcodec_open2(&e, codec, options.Get()); status < 0) {
        error = Why(status);
        return false;
    }
    return true;
}

bool VideoFile::Parts::OpenMuxer(const Settings& settings, const std::string& url, std::string& error)
{
    stream = avformat_new_stream(muxer.get(), nullptr);
    if (stream == nullptr) {
        error = Why(AVERROR(ENOMEM));
        return false;
    }
    int status = avcodec_parameters_from_context(stream->codecpar, encoder.get());
    stream->time_base = encoder->time_base;
    stream->avg_frame_rate = encoder->framerate;
    if (status >= 0) {
        status = avio_open2(&muxer->pb, url.c_str(), AVIO_FLAG_WRITE, &muxer->interrupt_callback, nullptr);
    }
    if (status >= 0) {
        Options options;
        if (settings.format->indexFirst) {
            options.Set("movflags", "+faststart");
        }
        status = avformat_write_header(muxer.get(), options.Get());
    }
    if (status < 0) {
        error = Why(status);
        return false;
    }
    return true;
}

std::unique_ptr<VideoFile> VideoFile::Open(const Destination& destination, const Settings& settings, std::string& error)
{
    // The run reports every failure itself, in one line.
    av_log_set_level(AV_LOG_QUIET);
    auto parts = std::make_unique<Parts>();
    parts->file = OutputFile::Open(destination, error);
    if (!parts->file) {
        return nullptr;
    }
    // The file protocol by name, so that no part of a file name is taken
    // for another protocol; the MP4 muxer reopens it to move its index.
    const std::string url = "file:" + parts->file->NewFile();
    AVFormatContext* muxer = nullptr;
    if (const int status = avformat_alloc_output_context2(&muxer, nullptr, settings.format->muxer, url.c_str());
        status < 0) {
        error = Why(status);
        return nullptr;
    }
    parts->muxer.reset(muxer);
    muxer->interrupt_callback = AVIOInterruptCB{&Interrupted, nullptr};
    if (!parts->OpenEncoder(settings, error) || !parts->OpenMuxer(settings, url, error)) {
        return nullptr;
    }
    return std::unique_ptr<VideoFile>(new VideoFile(std::move(parts)));
}

VideoFile::VideoFile(std::unique_ptr<Parts> parts) : m_parts(std::move(parts)) {}

VideoFile::~VideoFile() = default;

bool VideoFile::Parts::Drain(const std::function<void(long long)>& progress, std::string& error)
{
    while (true) {
        int status = avcodec_receive_packet(encoder.get(), packet.get());
        if (status == AVERROR(EAGAIN) || status == AVERROR_EOF) {
            return true;
        }
        if (status >= 0) {
            av_packet_rescale_ts(packet.get(), encoder->time_base, stream->time_base);
            packet->stream_index = stream->index;
            status = av_interleaved_write_frame(muxer.get(), packet.get());
        }
        if (status < 0 || Interruption::Pending() != 0) {
            error = Why(status < 0 ? status : AVERROR_EXIT);
            return false;
        }
        ++written;
        if (progress) {
            progress(written);
        }
    }
}

bool VideoFile::Write(const YuvPicture& picture, std::string& error)
{
    AVFrame& frame = *m_parts->frame;
    frame.format = AV_PIX_FMT_YUV420P;
    frame.width = picture.Width();
    frame.height = picture.Height();
    // The encoder copies a frame that owns no buffer: the planes may change
    // as soon as this returns.
    for (int plane = 0; plane < 3; ++plane) {
        frame.data[plane] = const_cast<std::uint8_t*>(picture.Plane(plane).data());
        frame.linesize[plane] = plane == 0 ? picture.Width() : picture.ChromaWidth();
    }
    frame.pts = m_parts->sent;
    if (const int status = avcodec_send_frame(m_parts->encoder.get(), &frame); status < 0) {
        error = Why(status);
        return false;
    }
    ++m_parts->sent;
    return m_parts->Drain({}, error);
}

bool VideoFile::Finish(const std::function<void(long long)>& progress, std::string& error)
{
    Parts& p = *m_parts;
    int status = avcodec_send_frame(p.encoder.get(), nullptr);
    if (status >= 0 && !p.Drain(progress, error)) {
        return false;
    }
    if (status >= 0) {
        status = av_write_trailer(p.muxer.get());
    }
    // Closing writes what is left in the buffer, and says if that failed.
    if (const int closed = avio_closep(&p.muxer->pb); status >= 0) {
        status = closed;
    }
    if (status < 0) {
        error = Why(status);
        return false;
    }
    return p.file->Finish(true, error);
}

bool VideoFile::Commit(std::string& error)
{
    return m_parts->file->Commit(error);
}

long long VideoFile::FramesWritten() const
{
    return m_parts->written;
}
