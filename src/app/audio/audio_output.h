// Sending the mix to the sound device, or draining it at real-time pace when there is none.
#pragma once

#include "audio_mixer.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>

class QAudioSink;

namespace marvolen::audio {

class MixerDevice;

/// Drives an AudioMixer from the event loop of the thread it lives on. With a device the mix
/// goes to a QAudioSink that pulls it; without one (none present, or the sink failed), a timer
/// pulls the same mix at real-time pace and throws it away, so that music still starts, runs
/// and ends. Nothing is opened before the first wake(), and nothing here ever blocks or fails.
class AudioOutput : public QObject {
    Q_OBJECT
  public:
    enum class Device {
        System, ///< the system's default output when there is one
        None,   ///< never a device: drain at real-time pace (tests, machines without sound)
    };

    explicit AudioOutput(AudioMixer& mixer, Device device = Device::System,
                         QObject* parent = nullptr);
    ~AudioOutput() override;

    /// Something started sounding: opens the output on first use, restarts the drain.
    void wake();
    /// Opens the device now, if there is one, so that the first sound does not wait for it; it
    /// is suspended again until something sounds.
    void open();

    /// True while a sound device takes the mix.
    bool usesDevice() const { return m_sink != nullptr; }
    /// True while the device is suspended because nothing sounds.
    bool suspended() const;
    /// True once the output has been opened (device or drain).
    bool started() const { return m_started; }
    /// Frames taken from the mixer so far, by the device or the drain.
    qint64 framesPulled() const { return m_framesPulled; }

  private:
    bool startSink();
    void startDrain();
    void drainTick();
    void sinkFailed();
    void pull(std::int16_t* out, int frames);

    friend class MixerDevice;

    AudioMixer& m_mixer;
    Device m_device;
    bool m_started = false;
    std::unique_ptr<MixerDevice> m_io;
    QAudioSink* m_sink = nullptr;
    QTimer m_drain;
    QTimer m_idleCheck;
    QElapsedTimer m_drainClock;
    qint64 m_drainedFrames = 0;
    qint64 m_framesPulled = 0;
};

} // namespace marvolen::audio
