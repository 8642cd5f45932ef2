// The start window's preparation on a thread of its own.
#include "start_warmup.h"

#include "pictures.h"

#include <QGuiApplication>
#include <QThread>

#include <fontconfig/fontconfig.h>

#include <utility>

namespace marvolen::ui {

StartWarmup::StartWarmup(QStringList pictures) : m_paths(std::move(pictures)) {
    // Qt takes the first thread that asks for its thread data as the program's main thread; it
    // must be this one, not the helper, whose picture decoding asks too.
    QThread::currentThread();
    m_thread = std::thread([this] {
        // Thread-safe in fontconfig: whichever of Qt and this thread comes second finds it done.
        FcInit();
        m_pictures.reserve(m_paths.size());
        for (const QString& path : std::as_const(m_paths))
            m_pictures.push_back(ui::decodePicture(path));
    });
}

StartWarmup::~StartWarmup() {
    wait();
}

void StartWarmup::wait() {
    if (m_thread.joinable())
        m_thread.join();
}

void StartWarmup::handOver() {
    wait();
    if (qGuiApp && qGuiApp->devicePixelRatio() <= 1) {
        for (std::size_t i = 0; i < m_pictures.size(); ++i)
            ui::keepPicture(m_paths[int(i)], std::move(m_pictures[i]));
    }
    m_pictures.clear();
    m_paths.clear();
}

} // namespace marvolen::ui
