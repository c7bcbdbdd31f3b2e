// Waiting without freezing the window (Attendi), and the end of every
// wait when the program is asked to close (Chiusura).
#include <QEventLoop>
#include <QTimer>

#include "ucomune.h"

namespace mevario {

bool Chiusura = false;

TAvvisoChiusura* TAvvisoChiusura::Istanza()
{
    static TAvvisoChiusura avviso;
    return &avviso;
}

void ImpostaChiusura()
{
    Chiusura = true;
    emit TAvvisoChiusura::Istanza()->Chiusa();
}

void Attendi(int ms)
{
    if (Chiusura || ms <= 0)
        return;
    // An event loop sleeps until an event arrives or the timer fires.
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace mevario
