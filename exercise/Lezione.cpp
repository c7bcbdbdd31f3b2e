#include "Lezione.h"

#include <exception>
#include <utility>

#include "ExprCanvas.h"
#include "Registro.h"
#include "funzioni.h"

namespace mevario {

TLezione::TLezione(TEsercizio* esercizio, QString catalogo) : FEsercizio(esercizio), FCatalogo(std::move(catalogo)) {}

void TLezione::Nuovo()
{
    if (!FEsercizio)
        return;
    FSeme.reset();
    if (!dynamic_cast<TEsercizioQuiz*>(FEsercizio)) {
        const auto seme = static_cast<std::uint32_t>(CasualeTra(0, 0x10000)) << 16 |
                          static_cast<std::uint32_t>(CasualeTra(0, 0x10000));
        ImpostaSeme(seme);
        FSeme = seme;
    }
    FEsercizio->NuovoEsercizio();
}

void TLezione::Mostrato()
{
    FOrologio.start();
    FSoluzioneVista = false;
}

TGiudizio TLezione::Leggi(const std::string& risposta) const
{
    if (FEsercizio)
        return Giudica(*FEsercizio, risposta);
    return {}; // nothing to judge it with: the window gives the verdict
}

TEsitoLezione TLezione::Concludi(TGiudizio g, const QString& esercizio, const QString& risposta,
                                 const std::vector<std::string>& passaggi)
{
    TEsitoLezione e;
    if (!g.Contata()) {
        e.riga = g.esito == TEsito::Illeggibile ? g.lettura.motivo.toStdString() : g.motivo;
        if (g.esito == TEsito::Forma)
            Registra(g, esercizio, risposta); // told and kept, never counted
        e.giudizio = std::move(g);
        return e;
    }
    const bool giusta = g.esito == TEsito::Giusta;
    // The rules know no mistake in the answer, but one may have been named
    // between two lines of the working: the last such is the mistake of
    // this answer (said, and reviewed later).
    if (!giusta && g.diagnosi.errore.empty() && !passaggi.empty())
        g.diagnosi.errore = UltimoErrore(passaggi);
    // Kept before anything on screen reacts to it.
    Registra(g, esercizio, risposta);
    ++(giusta ? FEsatte : FErrori);
    if (!giusta && FEsercizio) {
        if (!FEsercizio->SiNo()) {
            e.anelli = g.diagnosi.sbagliati;
            e.riga = g.diagnosi.Testo();
        }
        e.soluzioneOfferta = !FEsercizio->Soluzione().empty();
    }
    e.giudizio = std::move(g);
    return e;
}

TEsitoLezione TLezione::Rispondi(const std::string& risposta, const std::vector<std::string>& passaggi)
{
    return Concludi(Leggi(risposta), EsercizioDaRegistrare(), RispostaDaRegistrare(risposta), passaggi);
}

QString TLezione::EsercizioDaRegistrare() const
{
    if (!FEsercizio)
        return {};
    const QString formula = QString::fromStdString(NarrowToUtf8(FEsercizio->TestoEsercizio()));
    // A quiz's formula is what its question is about: both are the exercise.
    if (dynamic_cast<const TEsercizioQuiz*>(FEsercizio))
        return QString::fromStdString(FEsercizio->Domanda()) + QLatin1Char(' ') + formula;
    return formula;
}

QString TLezione::RispostaDaRegistrare(const std::string& risposta) const
{
    if (FEsercizio && FEsercizio->SiNo())
        return risposta == "Si" ? QStringLiteral("Sì") : risposta == "No" ? QStringLiteral("No") : QString();
    return QString::fromStdString(NarrowToUtf8(risposta));
}

void TLezione::Registra(const TGiudizio& g, const QString& esercizio, const QString& risposta)
{
    if (!FRegistro || FRegistro->Ospite() || !FRegistro->AlunnoScelto())
        return;
    TRispostaGiudicata r;
    r.argomento = FCatalogo;
    r.esercizio = esercizio;
    r.seme = FSeme;
    r.risposta = risposta;
    Esito(g, r);
    r.ripassa = FRipassa;
    r.soluzioneVista = FSoluzioneVista;
    r.secondi = FOrologio.isValid() ? static_cast<double>(FOrologio.elapsed()) / 1000.0 : 0.0;
    // Committed before it returns; a fault is said once by the record's
    // warning and the run goes on as a guest's, its counts untouched.
    FRegistro->Registra(r);
}

GiudizioFine TLezione::FinePassaggi(const std::vector<std::string>& righe) const
{
    if (righe.empty())
        return {};
    try {
        // Nearly finished only when equal to the exercise: GiudicaFine checks that.
        return GiudicaFine(FArgomentoPassaggi, righe.front(), righe.back());
    } catch (const std::exception&) {
        return {}; // not known to be nearly finished: judged as an answer
    }
}

std::string TLezione::UltimoErrore(const std::vector<std::string>& righe)
{
    for (std::size_t k = righe.size(); k-- > 1;)
        try {
            const std::string e = GiudicaPassaggio(righe[k - 1], righe[k]).errore;
            if (!e.empty())
                return e;
        } catch (const std::exception&) {
        }
    return {};
}

} // namespace mevario
