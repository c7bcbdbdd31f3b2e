#include "Giudizio.h"

#include <QString>

#include "ExprCanvas.h"
#include "Forma.h"

namespace mevario {

namespace {

std::string SenzaSpaziIntorno(const std::string& t)
{
    const auto da = t.find_first_not_of(" \t\r\n");
    if (da == std::string::npos)
        return {};
    return t.substr(da, t.find_last_not_of(" \t\r\n") + 1 - da);
}

} // namespace

TGiudizio Giudica(const TEsercizio& esercizio, const std::string& digitata)
{
    TGiudizio g;
    const std::string risposta = SenzaSpaziIntorno(digitata);
    if (esercizio.SiNo() && risposta != "Si" && risposta != "No") {
        g.motivo = "Scegli S\xC3\xAC o No.";
        return g;
    }
    if (risposta.empty()) {
        g.motivo = "Scrivi la risposta, poi premi Procedi.";
        return g;
    }
    if (!esercizio.SiNo()) {
        g.lettura = LeggiDigitata(QString::fromStdString(NarrowToUtf8(risposta)));
        if (!g.lettura.leggibile) {
            g.esito = TEsito::Illeggibile;
            g.motivo = g.lettura.motivo.toStdString();
            return g;
        }
    }
    if (esercizio.Verifica(risposta)) {
        g.esito = TEsito::Giusta;
        return g;
    }
    if (!esercizio.SiNo()) {
        g.motivo = esercizio.Forma(risposta);
        if (!g.motivo.empty()) {
            g.esito = TEsito::Forma;
            return g;
        }
    }
    g.esito = TEsito::Sbagliata;
    if (!esercizio.SiNo()) {
        // Diagnosed as the topic writes it: a slip of form beside a wrong
        // value is not a mistake to name.
        try {
            g.diagnosi = esercizio.Diagnosi(RiscriviForma(risposta).testo);
        } catch (const std::exception&) {
            g.diagnosi = {}; // no rule could read it: no diagnosis
        }
    }
    return g;
}

void Esito(const TGiudizio& g, TRispostaGiudicata& r)
{
    r.giusta = g.esito == TEsito::Giusta;
    r.diagnosi.clear();
    r.tipoErrore.clear();
    if (g.esito == TEsito::Forma) {
        r.diagnosi = QString::fromStdString(g.motivo);
        r.tipoErrore = KTipoForma;
    } else if (g.esito == TEsito::Sbagliata) {
        r.diagnosi = QString::fromStdString(g.diagnosi.Testo());
        r.tipoErrore = QString::fromStdString(g.diagnosi.errore);
    }
}

} // namespace mevario
