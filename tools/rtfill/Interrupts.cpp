// Interrupts: a signal that ends rtfill during a fill removes the output's temporary file first.
#include "Interrupts.h"

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rtfill {

namespace {

constexpr int HandledSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The temporary file being written, as the handler reads it: its name in the open folder, set
// while the handled signals are blocked, so that the handler never sees half a name.
int g_folder = -1;
char g_temporary[NAME_MAX + 1];
dev_t g_device = 0;
ino_t g_inode = 0;
volatile std::sig_atomic_t g_registered = 0;

void removeTemporaryAndEnd(int signal)
{
    const int savedErrno = errno;
    // Only the temporary itself: once renamed over the output, its name may be another file's.
    struct stat file = {};
    if (g_registered && ::fstatat(g_folder, g_temporary, &file, AT_SYMLINK_NOFOLLOW) == 0 &&
        file.st_dev == g_device && file.st_ino == g_inode)
        ::unlinkat(g_folder, g_temporary, 0);
    errno = savedErrno;
    // The action is the default again (SA_RESETHAND): the signal ends the process once the
    // handler returns and unblocks it.
    ::raise(signal);
}

sigset_t handledSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : HandledSignals)
        sigaddset(&set, signal);
    return set;
}

class SignalsBlocked
{
public:
    SignalsBlocked()
    {
        const sigset_t set = handledSet();
        ::pthread_sigmask(SIG_BLOCK, &set, &m_earlier);
    }
    ~SignalsBlocked() { ::pthread_sigmask(SIG_SETMASK, &m_earlier, nullptr); }
    SignalsBlocked(const SignalsBlocked&) = delete;
    SignalsBlocked& operator=(const SignalsBlocked&) = delete;

private:
    sigset_t m_earlier;
};

} // namespace

void removeTemporaryOnInterrupt()
{
    struct sigaction action = {};
    action.sa_handler = removeTemporaryAndEnd;
    action.sa_mask = handledSet();
    action.sa_flags = SA_RESETHAND;
    for (const int signal : HandledSignals) {
        struct sigaction earlier = {};
        if (::sigaction(signal, nullptr, &earlier) == 0 && earlier.sa_handler != SIG_IGN)
            ::sigaction(signal, &action, nullptr);
    }
}

InterruptibleOutput::InterruptibleOutput(const std::string& path)
{
    // A signal between the temporary's creation and its registration waits for the latter.
    const SignalsBlocked blocked;
    m_file.emplace(path);
    const std::string& temporary = m_file->temporaryName();
    struct stat file = {};
    if (temporary.empty() || temporary.size() >= sizeof g_temporary ||
        ::fstatat(m_file->folder(), temporary.c_str(), &file, AT_SYMLINK_NOFOLLOW) != 0)
        return;
    temporary.copy(g_temporary, temporary.size());
    g_temporary[temporary.size()] = '\0';
    g_folder = m_file->folder();
    g_device = file.st_dev;
    g_inode = file.st_ino;
    g_registered = 1;
}

InterruptibleOutput::~InterruptibleOutput()
{
    // Unregistered only once the temporary is gone, renamed or removed.
    m_file.reset();
    g_registered = 0;
}

} // namespace rtfill
