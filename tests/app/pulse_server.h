// A PulseAudio server of the test's own, to start, kill and start again.
#pragma once

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace marvolen::test {

/// Looks every few milliseconds until done() holds or the deadline passes. The output runs on
/// its own thread in real time, so no event loop is needed.
template <typename Done>
bool waitFor(Done done, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

/// A private PulseAudio server with one null sink, listening on a socket in a folder of its own,
/// so that the user's sound is never touched. Started again on the same socket after a stop, as
/// a desktop restarts its sound service.
class PulseServer {
  public:
    PulseServer() { QFile::remove(socketPath()); }
    ~PulseServer() { stop(SIGKILL); }

    /// Whether PulseAudio is installed: the tests need it where the game's packages are.
    static bool available() {
        return !QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty();
    }
    std::string address() const { return "unix:" + socketPath().toStdString(); }

    /// Starts the server and waits until it takes connections.
    bool start() {
        const std::string home = m_dir.path().toStdString();
        const std::string socket =
            "module-native-protocol-unix auth-anonymous=1 socket=" + socketPath().toStdString();
        std::vector<std::string> args{
            "pulseaudio",          "--daemonize=no",    "-n",
            "--exit-idle-time=-1", "--use-pid-file=no", "--disable-shm=true",
            "--log-target=stderr", "--log-level=0",     "--load=module-null-sink",
            "--load=" + socket};
        // The server's own folders go in the test's folder, never the user's.
        std::vector<std::string> env{"HOME=" + home,
                                     "XDG_RUNTIME_DIR=" + home,
                                     "XDG_CONFIG_HOME=" + home + "/config",
                                     "PULSE_RUNTIME_PATH=" + home + "/run",
                                     "PULSE_STATE_PATH=" + home + "/state",
                                     "PATH=/usr/bin:/bin"};
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (auto& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        QFile::remove(socketPath());
        if (posix_spawnp(&m_pid, "pulseaudio", nullptr, nullptr, argv.data(), envp.data()) != 0) {
            m_pid = 0;
            return false;
        }
        if (waitFor([&] { return exited() || takesConnections(); }, std::chrono::seconds(10)) &&
            !exited())
            return true;
        stop(SIGKILL);
        return false;
    }

    /// SIGKILL is a crash of the service, SIGTERM the clean stop of an update.
    void stop(int signal) {
        if (m_pid <= 0)
            return;
        // A server held still dies of SIGKILL as it is; woken first, it could answer a client
        // in between. For a clean stop it must run.
        if (signal != SIGKILL)
            ::kill(m_pid, SIGCONT);
        ::kill(m_pid, signal);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = 0;
    }
    /// Holds the server still: it accepts a connection and never answers.
    void pause() { ::kill(m_pid, SIGSTOP); }

  private:
    QString socketPath() const { return m_dir.filePath(QStringLiteral("native")); }
    bool exited() {
        if (m_pid > 0 && ::waitpid(m_pid, nullptr, WNOHANG) == m_pid)
            m_pid = 0;
        return m_pid <= 0;
    }
    bool takesConnections() const {
        const QByteArray path = QFile::encodeName(socketPath());
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::strncpy(addr.sun_path, path.constData(), sizeof addr.sun_path - 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
        ::close(fd);
        return ok;
    }

    QTemporaryDir m_dir;
    pid_t m_pid = 0;
};

} // namespace marvolen::test
