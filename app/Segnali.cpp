#include "Segnali.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <utility>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace mevario {

namespace {

int gScrivi = -1; // the handler's end of the pipe

void AlSegnale(int segnale)
{
    const int e = errno;
    const char c = static_cast<char>(segnale);
    [[maybe_unused]] const ssize_t n = ::send(gScrivi, &c, 1, MSG_DONTWAIT | MSG_NOSIGNAL);
    errno = e;
}

} // namespace

TSegnaliFine::TSegnaliFine(std::initializer_list<int> segnali, std::function<void()> fine, QObject* parent)
    : QObject(parent), FFine(std::move(fine))
{
    int coppia[2];
    if (gScrivi >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, coppia) != 0)
        return;
    gScrivi = coppia[0];
    FNotifica = new QSocketNotifier(coppia[1], QSocketNotifier::Read, this);
    connect(FNotifica, &QSocketNotifier::activated, this, [this] {
        char c;
        while (::read(static_cast<int>(FNotifica->socket()), &c, 1) > 0) {
        }
        if (FFine)
            std::exchange(FFine, {})();
    });
    struct sigaction a{};
    a.sa_handler = AlSegnale;
    sigemptyset(&a.sa_mask);
    a.sa_flags = SA_RESTART;
    for (int s : segnali)
        ::sigaction(s, &a, nullptr);
}

TSegnaliFine::~TSegnaliFine()
{
    // The pipe stays open to the end of the process: a signal that comes
    // while the program ends only adds a byte nobody reads (its number
    // never passes to a file opened later), and never kills the ending
    // half-way.
    delete FNotifica;
    FNotifica = nullptr;
    FFine = {};
}

} // namespace mevario
