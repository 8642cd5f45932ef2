// Sending the mix to the sound server from a thread of its own, or draining it at real-time pace
// when there is none.
#pragma once

#include "audio_mixer.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct pa_context;
struct pa_mainloop;
struct pa_stream;
struct pa_time_event;

namespace marvolen::audio {

/// Drives an AudioMixer from a thread of its own, started by the first wake() or open(): the
/// mixer renders there, never on the thread that made the output. With a sound server (the
/// PulseAudio protocol, which PipeWire speaks too) the mix goes to one stream that the server
/// pulls; without one (none running, or it went away), the thread moves the same mix on at
/// real-time pace without making it, so that music still starts, runs and ends. A server that
/// went away or was never there is asked again when something sounds, at most once per
/// retryEvery: desktops restart their sound service. Nothing here ever blocks the caller or
/// fails.
class AudioOutput {
  public:
    enum class Device {
        System, ///< the sound server of the session when there is one
        None,   ///< never a device: drain at real-time pace (tests, machines without sound)
    };
    /// What the output says of its server, on the output's thread, once per change.
    enum class ServerNews {
        Missing, ///< the first attempt found no server
        Lost,    ///< the server went away while it took the mix
        Back,    ///< a server takes the mix again after Missing or Lost
    };
    static constexpr std::chrono::milliseconds DefaultRetry{3000};

    /// news: told each change of the server. server: the server's address for System, the
    /// session's own when empty. retryEvery: the least time between two connection attempts.
    explicit AudioOutput(AudioMixer& mixer, Device device = Device::System,
                         std::function<void(ServerNews)> news = {}, std::string server = {},
                         std::chrono::milliseconds retryEvery = DefaultRetry);
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    /// Something started sounding: starts the thread on first use and the stream or the drain.
    void wake();
    /// Starts the thread and connects to the server now, so that the first sound does not wait
    /// for it; the stream stays paused until something sounds.
    void open();
    /// Runs job on the output's thread and waits for it (the last FluidSynth calls at the end);
    /// runs it here when the thread never started.
    void runOnThread(const std::function<void()>& job);

    /// True while a sound server takes the mix.
    bool usesDevice() const { return m_usesDevice.load(); }
    /// True while the stream is paused because nothing sounds.
    bool suspended() const { return m_suspended.load(); }
    /// True once the output has been opened (device or drain).
    bool started() const { return m_started; }
    /// Frames taken from the mixer so far, by the server or the drain.
    std::int64_t framesPulled() const { return m_framesPulled.load(); }
    /// The thread the mixer renders on; empty before the first wake().
    std::thread::id threadId() const { return m_threadId.load(); }
    /// Connections to the server begun so far.
    int connectAttempts() const { return m_connectAttempts.load(); }

  private:
    void start();
    void run();
    void handleRequests();
    void connectServer();
    void retryIfDue();
    void contextChanged(pa_context* context);
    void streamChanged(pa_stream* stream);
    void write(pa_stream* stream, std::size_t bytes);
    void fallBackToDrain();
    void releaseGone();
    void startDrain();
    void drainTick();
    void resumeStream();
    void pull(std::int16_t* out, int frames);

    AudioMixer& m_mixer;
    const Device m_device;
    const std::function<void(ServerNews)> m_news;
    const std::string m_server;
    const std::chrono::milliseconds m_retryEvery;
    bool m_started = false;
    std::thread m_thread;
    std::atomic<std::thread::id> m_threadId{};

    // Asked of the thread by the others, under m_requestLock; the thread is woken for them.
    std::mutex m_requestLock;
    bool m_quit = false;
    bool m_wakeRequested = false;
    std::vector<std::function<void()>> m_jobs;

    std::atomic<bool> m_usesDevice{false};
    std::atomic<bool> m_suspended{false};
    std::atomic<std::int64_t> m_framesPulled{0};
    std::atomic<int> m_connectAttempts{0};

    // Owned by the thread.
    pa_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
    // A failed stream and context are let go only once the loop is out of their callbacks.
    std::vector<pa_stream*> m_goneStreams;
    std::vector<pa_context*> m_goneContexts;
    enum class Link { Unknown, Up, Down } m_link = Link::Unknown;
    std::chrono::steady_clock::time_point m_lastAttempt;
    bool m_draining = false;
    std::chrono::steady_clock::time_point m_drainStart;
    std::int64_t m_drainedFrames = 0;
    std::int64_t m_silentFrames = 0;
};

} // namespace marvolen::audio
