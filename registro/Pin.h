// A pupil's PIN: four digits, kept only as a salted PBKDF2 key (SHA-256),
// and the wait after three wrong tries.
#pragma once

#include <QByteArray>
#include <QString>

namespace mevario {

// Iterations of the key derivation for a new PIN. A PIN has only 10,000
// values, so each guess is made to cost: a few tenths of a second, once per login (the iterations are stored with the key, so a
// later version may raise them for new PINs).
constexpr int KIterazioniPin = 100000;
// The iterations a stored key may carry: fewer make a guess too cheap, more
// make checking a PIN take more than a few seconds (a file that asks for
// more is refused, not waited for).
constexpr int KIterazioniPinMinime = 1000;
constexpr int KIterazioniPinMassime = 10 * KIterazioniPin;
constexpr int KTentativiPin = 3;       // wrong tries before the wait
constexpr int KSecondiAttesaPin = 30;

struct TChiavePin {
    QByteArray sale;   // 16 random bytes
    QByteArray chiave; // 32 bytes
    int iterazioni = 0;
    bool Vuota() const { return chiave.isEmpty(); }
};

// PBKDF2-HMAC-SHA-256 of `segreto`, 32 bytes (one block).
QByteArray DerivaPbkdf2Sha256(const QByteArray& segreto, const QByteArray& sale, int iterazioni);
// Four ASCII digits.
bool PinValido(const QString& pin);
// The key of a PIN with a fresh salt.
TChiavePin NuovaChiavePin(const QString& pin, int iterazioni = KIterazioniPin);
// True when `pin` derives to the stored key (compared in constant time).
bool PinCorrisponde(const QString& pin, const TChiavePin& chiave);

// The tries of one pupil: after KTentativiPin wrong tries in a row, no try
// is taken for KSecondiAttesaPin seconds; a right try starts the count
// again. Times are milliseconds since 1970: the record keeps the count and
// the end of the wait, so that closing the program does not end it. A
// clock set forward or back never makes the wait longer than it is.
class TTentativiPin {
public:
    TTentativiPin() = default;
    TTentativiPin(int sbagliati, qint64 finoAMs) : FSbagliati(sbagliati), FFinoAMs(finoAMs) {}
    // Seconds still to wait at `adessoMs` (0: a try may be made).
    int SecondiAttesa(qint64 adessoMs) const;
    // Records a checked try.
    void Tentativo(bool giusto, qint64 adessoMs);
    int Sbagliati() const { return FSbagliati; }
    qint64 FinoAMs() const { return FFinoAMs; }

private:
    int FSbagliati = 0;
    qint64 FFinoAMs = 0;
};

} // namespace mevario
