#include "Pin.h"

#include <algorithm>

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

namespace mevario {

bool PinValido(const QString& pin)
{
    if (pin.size() != 4)
        return false;
    for (QChar c : pin)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// PBKDF2 with HMAC-SHA-256 (RFC 8018), one 32-byte block: the same keys as
// any other implementation of it, from Qt Core alone, so that the program
// need not load Qt Network at start-up for this one function.
QByteArray DerivaPbkdf2Sha256(const QByteArray& segreto, const QByteArray& sale, int iterazioni)
{
    QMessageAuthenticationCode hmac(QCryptographicHash::Sha256, segreto);
    hmac.addData(sale);
    static const char blocco1[4] = {0, 0, 0, 1};
    hmac.addData(blocco1, 4);
    QByteArray u = hmac.result();
    QByteArray t = u;
    for (int i = 1; i < iterazioni; ++i) {
        hmac.reset();
        hmac.addData(u);
        u = hmac.result();
        for (qsizetype j = 0; j < t.size(); ++j)
            t[j] = static_cast<char>(t[j] ^ u[j]);
    }
    return t;
}

static QByteArray Deriva(const QString& pin, const QByteArray& sale, int iterazioni)
{
    return DerivaPbkdf2Sha256(pin.toUtf8(), sale, iterazioni);
}

TChiavePin NuovaChiavePin(const QString& pin, int iterazioni)
{
    TChiavePin k;
    k.sale.resize(16);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(k.sale.data()), 4);
    k.iterazioni = iterazioni;
    k.chiave = Deriva(pin, k.sale, iterazioni);
    return k;
}

bool PinCorrisponde(const QString& pin, const TChiavePin& chiave)
{
    if (chiave.Vuota() || chiave.iterazioni <= 0 || chiave.sale.isEmpty())
        return false;
    const QByteArray k = Deriva(pin, chiave.sale, chiave.iterazioni);
    if (k.size() != chiave.chiave.size())
        return false;
    unsigned char diverso = 0;
    for (qsizetype i = 0; i < k.size(); ++i)
        diverso |= static_cast<unsigned char>(k[i] ^ chiave.chiave[i]);
    return diverso == 0;
}

int TTentativiPin::SecondiAttesa(qint64 adessoMs) const
{
    if (adessoMs >= FFinoAMs)
        return 0;
    return static_cast<int>(std::min<qint64>((FFinoAMs - adessoMs + 999) / 1000, KSecondiAttesaPin));
}

void TTentativiPin::Tentativo(bool giusto, qint64 adessoMs)
{
    if (giusto) {
        FSbagliati = 0;
        return;
    }
    if (++FSbagliati >= KTentativiPin) {
        FSbagliati = 0;
        FFinoAMs = adessoMs + KSecondiAttesaPin * 1000LL;
    }
}

} // namespace mevario
