#include "ArgomentiRegistro.h"

#include <iterator>

#include "Catalogo.h"
#include "Ripasso.h"
#include "SchedaEsercizi.h"

namespace mevario {

namespace {

const TArgomentoRegistro kArgomenti[] = {
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
    {kArgomentoDivisione, "TfrmDivisionePol"},
};

const TArgomentoRegistro* Trova(const QString& argomento)
{
    for (const TArgomentoRegistro& a : kArgomenti)
        if (argomento == QLatin1String(a.nome))
            return &a;
    return nullptr;
}

} // namespace

const TArgomentoRegistro* ArgomentiRegistro(int* quanti)
{
    if (quanti)
        *quanti = static_cast<int>(std::size(kArgomenti));
    return kArgomenti;
}

QString ClasseFinestraArgomento(const QString& argomento)
{
    const TArgomentoRegistro* a = Trova(argomento);
    return a ? QString::fromLatin1(a->classe) : QString();
}

QString NomeArgomentoLeggibile(const QString& argomento)
{
    if (argomento == QLatin1String(kArgomentoDivisione))
        return QStringLiteral("Divisione di polinomi");
    const TArgomento* a = TrovaArgomento(argomento.toStdString());
    if (!a)
        return argomento;
    // The catalogue's description without what it tells the tools about
    // the questions ("Definizione di monomio (quattro tipi di domanda a turno)").
    QString d = QString::fromUtf8(a->descrizione);
    if (d.endsWith(QLatin1Char(')')) && d.contains(QLatin1String("domand"))) {
        const qsizetype aperta = d.lastIndexOf(QLatin1String(" ("));
        if (aperta > 0)
            d.truncate(aperta);
    }
    return d;
}

int OrdineArgomento(const QString& argomento)
{
    const TArgomentoRegistro* a = Trova(argomento);
    return a ? static_cast<int>(a - kArgomenti) : static_cast<int>(std::size(kArgomenti));
}

QString FraseRipasso(const QString& argomento, const QString& tipo)
{
    QString frase;
    if (tipo.isEmpty() || tipo == KTipoNonDiagnosticato) {
        frase = NomeArgomentoLeggibile(argomento);
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
