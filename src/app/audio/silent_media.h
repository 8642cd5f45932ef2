// The media service of a game without its audio module: tunes run their time in silence.
#pragma once

#include "media_service.h"

#include <QElapsedTimer>
#include <QString>

#include <cstdint>

namespace marvolen::audio {

/// Answers the commands of MidiMediaService as it does without a soundfont, timed by the clock
/// instead of rendered frames, so that the music logic still opens, watches and closes tunes.
class SilentMedia final : public MediaCommands {
  public:
    MciReply mciSendString(const QString& command) override;

  private:
    bool m_open = false;
    bool m_playing = false;
    QString m_alias;
    std::int64_t m_lengthMs = 0;
    QElapsedTimer m_clock;
};

} // namespace marvolen::audio
