// One PulseAudio stream for music and effects, served by a main loop on a thread of its own,
// with a real-time drain as the fallback.
#include "audio_output.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/mainloop.h>
#include <pulse/stream.h>

#include <algorithm>
#include <future>
#include <utility>

namespace marvolen::audio {

namespace {
// A click must be heard within about 50 ms of the press: the server holds 50 ms and asks for
// 25 ms more each time 25 ms have played, so an effect waits at most 25 ms for the next request
// and then 25 ms behind what is queued. Larger buffers would wake the program less often, but
// the effect mixed into the stream would wait behind them.
constexpr int TargetMs = 50;
constexpr int RequestMs = 25;
// After this much silence the stream is paused, so that the server stops asking for silence.
constexpr std::int64_t SilenceBeforePause = OutputRate / 4;
// Nobody hears the drain: a tenth of a second is fine enough for the tunes' clock.
constexpr int DrainIntervalUs = 100000;
constexpr int DrainChunkFrames = 2048;
// A drain that fell behind (a stalled machine) catches up at most this far; the rest of the gap
// is skipped rather than moved on in one long burst.
constexpr std::int64_t DrainMaxCatchUpFrames = OutputRate / 2;

std::uint32_t bytesOfMs(int ms) {
    return std::uint32_t(std::int64_t(OutputRate) * ms / 1000 * BytesPerFrame);
}

void dropOperation(pa_operation* op) {
    if (op)
        pa_operation_unref(op);
}
} // namespace

AudioOutput::AudioOutput(AudioMixer& mixer, Device device, std::function<void(ServerNews)> news,
                         std::string server, std::chrono::milliseconds retryEvery)
    : m_mixer(mixer), m_device(device), m_news(std::move(news)), m_server(std::move(server)),
      m_retryEvery(retryEvery) {}

AudioOutput::~AudioOutput() {
    if (!m_started)
        return;
    {
        std::lock_guard lock(m_requestLock);
        m_quit = true;
    }
    pa_mainloop_wakeup(m_loop);
    m_thread.join();
    pa_mainloop_free(m_loop);
}

void AudioOutput::start() {
    if (m_started)
        return;
    m_started = true;
    m_loop = pa_mainloop_new();
    m_thread = std::thread([this] { run(); });
}

void AudioOutput::open() {
    start();
}

void AudioOutput::wake() {
    start();
    {
        std::lock_guard lock(m_requestLock);
        m_wakeRequested = true;
    }
    pa_mainloop_wakeup(m_loop);
}

void AudioOutput::runOnThread(const std::function<void()>& job) {
    if (!m_started) {
        job();
        return;
    }
    std::promise<void> done;
    {
        std::lock_guard lock(m_requestLock);
        m_jobs.push_back([&] {
            job();
            done.set_value();
        });
    }
    pa_mainloop_wakeup(m_loop);
    done.get_future().wait();
}

// ---- the thread ----

void AudioOutput::run() {
    m_threadId = std::this_thread::get_id();
    if (m_device == Device::System)
        connectServer();
    for (;;) {
        handleRequests();
        {
            std::lock_guard lock(m_requestLock);
            if (m_quit)
                break;
        }
        if (pa_mainloop_prepare(m_loop, m_draining ? DrainIntervalUs : -1) < 0 ||
            pa_mainloop_poll(m_loop) < 0 || pa_mainloop_dispatch(m_loop) < 0)
            break;
        releaseGone();
        if (m_draining)
            drainTick();
    }
    handleRequests(); // jobs posted while quitting still run: their callers wait for them
    if (m_stream) {
        pa_stream_set_state_callback(m_stream, nullptr, nullptr);
        pa_stream_set_write_callback(m_stream, nullptr, nullptr);
        pa_stream_disconnect(m_stream);
        m_goneStreams.push_back(std::exchange(m_stream, nullptr));
    }
    if (m_context) {
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_disconnect(m_context);
        m_goneContexts.push_back(std::exchange(m_context, nullptr));
    }
    releaseGone();
}

void AudioOutput::handleRequests() {
    std::vector<std::function<void()>> jobs;
    bool wake = false;
    {
        std::lock_guard lock(m_requestLock);
        jobs.swap(m_jobs);
        wake = std::exchange(m_wakeRequested, false);
    }
    for (const auto& job : jobs)
        job();
    if (!wake)
        return;
    m_mixer.maintain();
    retryIfDue();
    if (m_stream && pa_stream_get_state(m_stream) == PA_STREAM_READY)
        resumeStream();
    else if (!m_context && !m_draining)
        startDrain();
    // Still connecting: the stream starts once it is ready, if something sounds by then; a
    // drain already running goes on meanwhile.
}

void AudioOutput::connectServer() {
    m_lastAttempt = std::chrono::steady_clock::now();
    ++m_connectAttempts;
    m_context = pa_context_new(pa_mainloop_get_api(m_loop), "Marvolen");
    if (!m_context) {
        fallBackToDrain();
        return;
    }
    pa_context_set_state_callback(
        m_context,
        [](pa_context* context, void* self) {
            static_cast<AudioOutput*>(self)->contextChanged(context);
        },
        this);
    // No server of its own is started: without one the game drains silently.
    if (pa_context_connect(m_context, m_server.empty() ? nullptr : m_server.c_str(),
                           PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        fallBackToDrain();
}

void AudioOutput::retryIfDue() {
    if (m_device != Device::System || m_context ||
        std::chrono::steady_clock::now() - m_lastAttempt < m_retryEvery)
        return;
    connectServer();
}

// The callbacks are handed the object they are about: one the output has already let go of (a
// context that failed takes its stream down after telling of itself) is not looked at again.
void AudioOutput::contextChanged(pa_context* context) {
    if (context != m_context)
        return;
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY: {
        const pa_sample_spec format{PA_SAMPLE_S16LE, std::uint32_t(OutputRate),
                                    std::uint8_t(OutputChannels)};
        m_stream = pa_stream_new(context, "Marvolen", &format, nullptr);
        if (!m_stream) {
            fallBackToDrain();
            return;
        }
        pa_stream_set_state_callback(
            m_stream,
            [](pa_stream* stream, void* self) {
                static_cast<AudioOutput*>(self)->streamChanged(stream);
            },
            this);
        pa_stream_set_write_callback(
            m_stream,
            [](pa_stream* stream, std::size_t bytes, void* self) {
                static_cast<AudioOutput*>(self)->write(stream, bytes);
            },
            this);
        pa_buffer_attr attr{};
        attr.maxlength = std::uint32_t(-1);
        attr.tlength = bytesOfMs(TargetMs);
        attr.prebuf = std::uint32_t(-1);
        attr.minreq = bytesOfMs(RequestMs);
        attr.fragsize = std::uint32_t(-1);
        m_suspended = true;
        if (pa_stream_connect_playback(
                m_stream, nullptr, &attr,
                pa_stream_flags_t(PA_STREAM_ADJUST_LATENCY | PA_STREAM_START_CORKED), nullptr,
                nullptr) < 0)
            fallBackToDrain();
        return;
    }
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        fallBackToDrain();
        return;
    default:
        return;
    }
}

void AudioOutput::streamChanged(pa_stream* stream) {
    if (stream != m_stream)
        return;
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY:
        // Said before it shows: whoever sees the device in use has been told.
        if (std::exchange(m_link, Link::Up) == Link::Down && m_news)
            m_news(ServerNews::Back);
        m_usesDevice = true;
        // The drain kept the music's time while there was no server: the stream goes on from
        // there.
        m_draining = false;
        if (m_mixer.active())
            resumeStream();
        return;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        fallBackToDrain();
        return;
    default:
        return;
    }
}

void AudioOutput::resumeStream() {
    m_silentFrames = 0;
    if (!m_suspended)
        return;
    m_suspended = false;
    dropOperation(pa_stream_cork(m_stream, 0, nullptr, nullptr));
}

void AudioOutput::write(pa_stream* stream, std::size_t bytes) {
    if (stream != m_stream)
        return;
    void* data = nullptr;
    std::size_t size = bytes;
    if (pa_stream_begin_write(stream, &data, &size) < 0 || !data)
        return;
    const int frames = int(std::min(size, bytes) / BytesPerFrame);
    pull(static_cast<std::int16_t*>(data), frames);
    pa_stream_write(stream, data, std::size_t(frames) * BytesPerFrame, nullptr, 0,
                    PA_SEEK_RELATIVE);
    if (m_mixer.active()) {
        m_silentFrames = 0;
        return;
    }
    m_silentFrames += frames;
    if (m_silentFrames >= SilenceBeforePause && !m_suspended) {
        // Only silence is left in the stream: drop it, so that the next sound starts at once.
        m_suspended = true;
        dropOperation(pa_stream_cork(stream, 1, nullptr, nullptr));
        dropOperation(pa_stream_flush(stream, nullptr, nullptr));
    }
}

void AudioOutput::fallBackToDrain() {
    m_suspended = false;
    // Often called from the context's or the stream's own callback: from now on neither calls
    // back, and both are freed once the loop is out of its dispatch.
    if (pa_stream* stream = std::exchange(m_stream, nullptr)) {
        pa_stream_set_state_callback(stream, nullptr, nullptr);
        pa_stream_set_write_callback(stream, nullptr, nullptr);
        m_goneStreams.push_back(stream);
    }
    if (pa_context* context = std::exchange(m_context, nullptr)) {
        pa_context_set_state_callback(context, nullptr, nullptr);
        m_goneContexts.push_back(context);
    }
    const Link was = std::exchange(m_link, Link::Down);
    if (m_news && was != Link::Down)
        m_news(was == Link::Up ? ServerNews::Lost : ServerNews::Missing);
    m_usesDevice = false; // after the news, as above
    if (m_mixer.active() && !m_draining)
        startDrain();
}

void AudioOutput::releaseGone() {
    for (pa_stream* stream : std::exchange(m_goneStreams, {})) {
        // Disconnecting a stream whose context failed only answers that it is too late.
        if (pa_stream_get_state(stream) == PA_STREAM_READY)
            pa_stream_disconnect(stream);
        pa_stream_unref(stream);
    }
    for (pa_context* context : std::exchange(m_goneContexts, {})) {
        if (PA_CONTEXT_IS_GOOD(pa_context_get_state(context)))
            pa_context_disconnect(context);
        pa_context_unref(context);
    }
}

void AudioOutput::startDrain() {
    m_draining = true;
    m_drainedFrames = 0;
    m_drainStart = std::chrono::steady_clock::now();
}

void AudioOutput::drainTick() {
    const auto elapsed = std::chrono::steady_clock::now() - m_drainStart;
    std::int64_t due = std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count() *
                           OutputRate / 1000000000 -
                       m_drainedFrames;
    if (due > DrainMaxCatchUpFrames) {
        m_drainedFrames += due - DrainMaxCatchUpFrames;
        due = DrainMaxCatchUpFrames;
    }
    // Nobody hears it: the music and the effect move on without being made.
    while (due > 0) {
        const int n = int(std::min<std::int64_t>(due, DrainChunkFrames));
        m_mixer.skip(n);
        m_framesPulled += n;
        m_drainedFrames += n;
        due -= n;
    }
    if (!m_mixer.active()) {
        m_draining = false; // nothing to run: the thread sleeps until the next sound
        return;
    }
    // A tune runs on without a server: ask again now and then whether one is back.
    retryIfDue();
}

void AudioOutput::pull(std::int16_t* out, int frames) {
    m_mixer.render(out, frames);
    m_framesPulled += frames;
}

} // namespace marvolen::audio
