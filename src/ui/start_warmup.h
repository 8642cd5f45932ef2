// Work for the start window that does not need the display, done while Qt connects to it.
#pragma once

#include <QImage>
#include <QStringList>

#include <thread>
#include <vector>

namespace marvolen::ui {

/// Made first thing in main, before the application object: on a thread of its own, fontconfig
/// reads its configuration and font caches (which Qt would otherwise do at the start window's
/// first text) and the given pictures are decoded, while the main thread connects to the
/// display. On a single core nothing is lost: the same work would come a little later anyway.
class StartWarmup {
  public:
    explicit StartWarmup(QStringList pictures);
    ~StartWarmup();
    StartWarmup(const StartWarmup&) = delete;
    StartWarmup& operator=(const StartWarmup&) = delete;

    /// Waits for the thread and hands the pictures to the picture cache, where loadPicture
    /// finds them. Screens of high density show the pictures of double size instead, so there
    /// the plain ones are dropped. Needs the application object; a second call does nothing.
    void handOver();

  private:
    void wait();

    QStringList m_paths;
    std::vector<QImage> m_pictures;
    std::thread m_thread;
};

} // namespace marvolen::ui
