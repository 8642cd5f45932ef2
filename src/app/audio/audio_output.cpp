// QAudioSink in pull mode over the mixer, with a timer drain as the fallback.
#include "audio_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>

#include <algorithm>

namespace marvolen::audio {

namespace {
// Nobody hears the drain: a tenth of a second is fine enough for the tunes' clock.
constexpr int DrainIntervalMs = 100;
constexpr int DrainChunkFrames = 2048;
// A drain that fell behind (a stalled event loop) catches up at most this far; the rest of the
// gap is skipped rather than rendered in one long burst.
constexpr qint64 DrainMaxCatchUpFrames = OutputRate / 2;
// Short enough that an effect follows the click at once, long enough not to run dry.
constexpr int SinkBufferMs = 80;
// How often an open device is asked whether anything still sounds; when nothing does, it is
// suspended, so that it stops waking the program to pull silence.
constexpr int SinkIdleCheckMs = 1000;
} // namespace

/// The sink's view of the mixer: an endless read-only stream.
class MixerDevice : public QIODevice {
  public:
    explicit MixerDevice(AudioOutput& output) : m_output(output) {}
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override {
        return QIODevice::bytesAvailable() + qint64(OutputRate) * BytesPerFrame;
    }

  protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 frames = maxSize / BytesPerFrame;
        qint64 done = 0;
        while (done < frames) {
            const int n = int(std::min<qint64>(frames - done, DrainChunkFrames));
            m_output.pull(reinterpret_cast<std::int16_t*>(data) + done * OutputChannels, n);
            done += n;
        }
        return done * BytesPerFrame;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    AudioOutput& m_output;
};

AudioOutput::AudioOutput(AudioMixer& mixer, Device device, QObject* parent)
    : QObject(parent), m_mixer(mixer), m_device(device) {
    m_drain.setTimerType(Qt::PreciseTimer);
    m_drain.setInterval(DrainIntervalMs);
    connect(&m_drain, &QTimer::timeout, this, &AudioOutput::drainTick);
    m_idleCheck.setInterval(SinkIdleCheckMs);
    connect(&m_idleCheck, &QTimer::timeout, this, [this] {
        if (m_sink && !m_mixer.active()) {
            m_sink->suspend();
            m_idleCheck.stop();
        }
    });
}

AudioOutput::~AudioOutput() {
    if (m_sink) {
        m_sink->stop();
        delete m_sink;
    }
}

bool AudioOutput::suspended() const {
    return m_sink && m_sink->state() == QAudio::SuspendedState;
}

void AudioOutput::pull(std::int16_t* out, int frames) {
    m_mixer.render(out, frames);
    m_framesPulled += frames;
}

void AudioOutput::open() {
    if (m_started)
        return;
    m_started = true;
    if (m_device == Device::System && startSink())
        m_idleCheck.start();
}

void AudioOutput::wake() {
    if (!m_started) {
        m_started = true;
        if (m_device == Device::System && startSink()) {
            m_idleCheck.start();
            return;
        }
    }
    if (m_sink) {
        if (m_sink->state() == QAudio::SuspendedState)
            m_sink->resume();
        m_idleCheck.start();
    } else if (!m_drain.isActive()) {
        startDrain();
    }
}

bool AudioOutput::startSink() {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return false;
    QAudioFormat format;
    format.setSampleRate(OutputRate);
    format.setChannelCount(OutputChannels);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return false;
    m_io = std::make_unique<MixerDevice>(*this);
    m_io->open(QIODevice::ReadOnly);
    m_sink = new QAudioSink(device, format);
    m_sink->setBufferSize(qsizetype(OutputRate) * BytesPerFrame * SinkBufferMs / 1000);
    connect(m_sink, &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::StoppedState && m_sink && m_sink->error() != QAudio::NoError)
            sinkFailed();
    });
    m_sink->start(m_io.get());
    if (m_sink->error() != QAudio::NoError || m_sink->state() == QAudio::StoppedState) {
        sinkFailed();
        return false;
    }
    return true;
}

void AudioOutput::sinkFailed() {
    // Called from the sink's own signal: let it finish before it goes.
    QAudioSink* sink = m_sink;
    m_sink = nullptr;
    m_idleCheck.stop();
    if (sink) {
        sink->disconnect(this);
        sink->deleteLater();
    }
    startDrain();
}

void AudioOutput::startDrain() {
    m_drainedFrames = 0;
    m_drainClock.start();
    m_drain.start();
}

void AudioOutput::drainTick() {
    qint64 due = m_drainClock.nsecsElapsed() * OutputRate / 1000000000 - m_drainedFrames;
    if (due > DrainMaxCatchUpFrames) {
        m_drainedFrames += due - DrainMaxCatchUpFrames;
        due = DrainMaxCatchUpFrames;
    }
    // Nobody hears it: the music and the effect move on without being made.
    while (due > 0) {
        const int n = int(std::min<qint64>(due, DrainChunkFrames));
        m_mixer.skip(n);
        m_framesPulled += n;
        m_drainedFrames += n;
        due -= n;
    }
    if (!m_mixer.active())
        m_drain.stop(); // nothing to run: no need to wake every 20 ms until the next sound
}

} // namespace marvolen::audio
