// The review schedule: a Leitner schedule per topic and per kind of
// mistake, as pure logic (the record stores its state and replays it).
//
// A wrong answer puts its kind of mistake in box 1, due the next day (an
// item already in a higher box goes back to box 1). A right answer on an
// item that is due moves it up one box, due again after 1, 3, 7 and 21
// days for boxes 2, 3, 4 and 5; a right answer on a due item of box 5
// means the kind is learnt and the item leaves the schedule. A right answer
// on an item not yet due changes nothing.
//
// Which item a right answer reviews: the kind the exercise was drawn to
// review, when it says so; otherwise the topic's item that is due longest
// (one item per answer). A wrong answer drawn to review a kind also sends
// that kind back to box 1, besides its own mistake.
#pragma once

#include <QDate>
#include <QString>

#include <map>
#include <utility>
#include <vector>

namespace mevario {

// The kind of a wrong answer no rule of the diagnosis explains.
inline const QString KTipoNonDiagnosticato = QStringLiteral("errore non diagnosticato");

constexpr int KScatole = 5;
// Days until an item is due again on entering box 1..KScatole.
constexpr int KGiorniScatola[KScatole] = {1, 1, 3, 7, 21};

struct TStatoVoce {
    int scatola = 1; // 1..KScatole
    QDate scadenza;
    bool operator==(const TStatoVoce&) const = default;
};

// What an answer tells the schedule.
struct TEsitoRipasso {
    QString argomento;
    bool giusta = false;
    QString tipoErrore; // empty: undiagnosed (for a wrong answer)
    QString ripassa;    // the kind being reviewed, or empty
    QDate giorno;       // the day it was answered
};

// The schedule of one pupil: (topic, kind) → state. Learnt items are absent.
class TRipasso {
public:
    using TChiave = std::pair<QString, QString>; // topic, kind
    using TVoci = std::map<TChiave, TStatoVoce>;

    TRipasso() = default;
    explicit TRipasso(TVoci voci) : FVoci(std::move(voci)) {}

    // Applies one answer. Returns the keys whose state changed (a key no
    // longer in Voci() was learnt).
    std::vector<TChiave> Applica(const TEsitoRipasso& e);

    const TVoci& Voci() const { return FVoci; }
    // The items due on `oggi`, most overdue first (then by topic and kind).
    std::vector<std::pair<TChiave, TStatoVoce>> Dovute(QDate oggi) const;

private:
    TVoci FVoci;
};

// The kind under which a wrong answer is scheduled.
inline QString TipoDaRipassare(const QString& tipoErrore)
{
    return tipoErrore.isEmpty() ? KTipoNonDiagnosticato : tipoErrore;
}

} // namespace mevario
