#include "app/StopSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include <QSocketNotifier>

namespace {

int g_fds[2] = {-1, -1};
const int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

void OnSignal(int sig) {
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(sig);
    // A full pipe already holds a request to stop: nothing is lost.
    [[maybe_unused]] const ssize_t n = ::write(g_fds[1], &byte, 1);
    errno = saved;
}

} // namespace

CStopSignals::CStopSignals(QObject* parent) : QObject(parent) {
    if (g_fds[0] >= 0 || ::pipe2(g_fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_pNotifier = new QSocketNotifier(g_fds[0], QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &CStopSignals::OnReadable);
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : kSignals)
        ::sigaction(sig, &sa, nullptr);
}

CStopSignals::~CStopSignals() {
    if (!m_pNotifier)
        return;
    for (int sig : kSignals)
        std::signal(sig, SIG_DFL);
    delete m_pNotifier;
    ::close(g_fds[0]);
    ::close(g_fds[1]);
    g_fds[0] = g_fds[1] = -1;
}

void CStopSignals::OnReadable() {
    unsigned char byte = 0;
    int last = 0;
    while (::read(g_fds[0], &byte, 1) == 1)
        last = byte;
    if (last)
        emit StopRequested(last);
}
