#include "ArgomentiRegistro.h"

#include <string_view>
#include <utility>
#include <vector>

#include "argomenti.h"
#include "Ripasso.h"

namespace mevario {

namespace {

// The window of each topic, by the topic's name in the table of topics.
const char* Classe(std::string_view nome)
{
    static const std::pair<const char*, const char*> classi[] = {
        {"definizione-monomio", "TfrmConcetto"},
        {"somma-monomi", "TfrmSommaMon"},
        {"prodotto-monomi", "TfrmProdottoMon"},
        {"potenza-monomio", "TfrmPotenzaMon"},
        {"quoziente-monomi", "TfrmQuozienteMon"},
        {"mcd-monomi", "TfrmMcdMon"},
        {"mcm-monomi", "TfrmMcmMon"},
        {"definizione-polinomio", "TfrmPolConcetto"},
        {"somma-polinomi", "TfrmSommaPol"},
        {"differenza-polinomi", "TfrmDiffPol"},
        {"prodotto-polinomi", "TfrmProdottoPol"},
        {"divisione-polinomi", "TfrmDivisionePol"},
    };
    for (const auto& [n, c] : classi)
        if (nome == n)
            return c;
    return "";
}

const std::vector<TArgomentoRegistro>& Tutti()
{
    static const std::vector<TArgomentoRegistro> v = [] {
        std::vector<TArgomentoRegistro> t;
        for (const TTemaArgomento& a : TabellaArgomenti())
            t.push_back({a.nome, Classe(a.nome)});
        return t;
    }();
    return v;
}

const TTemaArgomento* Trova(const QString& argomento) { return TemaArgomento(argomento.toStdString()); }

} // namespace

const TArgomentoRegistro* ArgomentiRegistro(int* quanti)
{
    if (quanti)
        *quanti = static_cast<int>(Tutti().size());
    return Tutti().data();
}

QString ClasseFinestraArgomento(const QString& argomento)
{
    const TTemaArgomento* a = Trova(argomento);
    return a ? QString::fromLatin1(Classe(a->nome)) : QString();
}

QString NomeArgomentoLeggibile(const QString& argomento)
{
    const TTemaArgomento* a = Trova(argomento);
    return a ? QString::fromUtf8(a->titolo) : argomento;
}

int OrdineArgomento(const QString& argomento) { return PostoArgomento(argomento.toStdString()); }

QString FraseRipasso(const QString& argomento, const QString& tipo)
{
    QString frase;
    if (tipo.isEmpty() || tipo == KTipoNonDiagnosticato) {
        const TTemaArgomento* a = Trova(argomento);
        frase = a ? QString::fromUtf8(a->ripasso) : argomento;
    } else {
        // "Nel prodotto gli esponenti si sommano, non si moltiplicano." →
        // "nel prodotto gli esponenti si sommano": the rule, without what
        // it is not, and without the full stop.
        frase = tipo.trimmed();
        const qsizetype non = frase.indexOf(QLatin1String(", non "));
        if (non > 0)
            frase.truncate(non);
        while (frase.endsWith(QLatin1Char('.')) || frase.endsWith(QLatin1Char(' ')))
            frase.chop(1);
    }
    // Lower case at the start, unless it is an abbreviation ("MCD").
    if (frase.size() > 1 && frase.at(0).isUpper() && !frase.at(1).isUpper())
        frase[0] = frase.at(0).toLower();
    return QStringLiteral("Ripasso: ") + frase;
}

} // namespace mevario
