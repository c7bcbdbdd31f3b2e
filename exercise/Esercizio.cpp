#include "Esercizio.h"

#include "Forma.h"
#include "funzioni.h"

namespace mevario {

namespace {

bool Giusta(const TEsercizio& e, const std::string& risposta)
{
    try {
        return e.Verifica(risposta);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

std::string TEsercizio::Forma(const std::string& risposta) const
{
    unsigned servono = RiscriviForma(risposta).trovati;
    if (servono == 0 || !Giusta(*this, RiscriviForma(risposta, servono).testo))
        return {};
    // Only the slips the check needs put right are named: a topic may take
    // some forms as they are (the products take the letters in any order).
    for (const TScivolone s : {KCoefficienteUno, KEsponenteUno, KOrdine, KMaiuscole})
        if ((servono & s) && Giusta(*this, RiscriviForma(risposta, servono & ~s).testo))
            servono &= ~s;
    std::string motivi;
    for (const TScivolone s : {KMaiuscole, KOrdine, KEsponenteUno, KCoefficienteUno})
        if (servono & s)
            motivi += (motivi.empty() ? "" : " ") + FraseScivolone(s);
    return motivi;
}

bool TEsercizioQuiz::Verifica(const std::string& risposta) const
{
    if (FRispostaTesto.empty())
        return RispostaSi ? risposta == "Si" : risposta == "No";
    const std::string attesa = TogliCarattere(' ', FRispostaTesto);
    const std::string data = TogliCarattere(' ', risposta);
    switch (FConfronto) {
    case TConfronto::Numero:
        return StessoNumero(data, attesa);
    case TConfronto::Lettere:
        return SoloLettere(data) && FormaFormula(data) == FormaFormula(attesa);
    case TConfronto::Testo:
        break;
    }
    return data == attesa;
}

} // namespace mevario
