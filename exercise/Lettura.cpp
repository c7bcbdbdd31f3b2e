#include "Lettura.h"

#include <vector>

#include "ExprCanvas.h"
#include "ExprMake.h"
#include "funzioni.h"

namespace mevario {

namespace {

bool Legge(const std::string& testo)
{
    if (testo.empty())
        return false;
    try {
        (void)TExprBuilder().ParseFormula(FormaFormula(testo));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool Operatore(char c) { return c == '+' || c == '-' || c == '*' || c == '/' || c == '^' || c == '.' || c == ','; }

bool Ammesso(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || Operatore(c) || c == '(' ||
           c == ')';
}

} // namespace

TLettura LeggiDigitata(const QString& campo, std::optional<bool> forma)
{
    TLettura r;
    // The characters that count, each with its place in the field.
    std::string testo;
    std::vector<int> posto;
    for (int i = 0; i < campo.size(); ++i) {
        const QChar c = campo[i];
        if (c.isSpace())
            continue;
        if (c.isHighSurrogate() && i + 1 < campo.size()) {
            testo += '\x01'; // a character beyond the code page: never read
            posto.push_back(i++);
            continue;
        }
        const std::string n = Utf8ToNarrow(QString(c).toStdString());
        testo += n.size() == 1 && c.unicode() < 128 ? n[0] : '\x01';
        posto.push_back(i);
    }
    if (testo.empty())
        return r;
    const auto errore = [&](std::size_t k, const QString& motivo) {
        r.leggibile = false;
        r.posizione = k < posto.size() ? posto[k] : static_cast<int>(campo.size());
        r.motivo = motivo;
        // What reads before the spot, without signs left hanging: a few
        // characters taken off at most (a text of thousands of brackets
        // would otherwise be read thousands of times).
        std::string prima = testo.substr(0, k);
        for (int tentativi = 0; !prima.empty() && !Legge(prima); ++tentativi) {
            if (tentativi == 8) {
                prima.clear();
                break;
            }
            prima.pop_back();
        }
        r.prefisso = prima.empty() ? std::string() : FormaFormula(prima);
        return r;
    };
    int aperte = 0;
    for (std::size_t k = 0; k < testo.size(); ++k) {
        const char c = testo[k];
        if (!Ammesso(c))
            return errore(k, QStringLiteral("questo carattere non si può usare"));
        if (c == '(')
            ++aperte;
        if (c == ')' && --aperte < 0)
            return errore(k, QStringLiteral("questa parentesi non è stata aperta"));
        if (Operatore(c) && k + 1 < testo.size() && Operatore(testo[k + 1]) && c != '-' && testo[k + 1] != '-')
            return errore(k + 1, QStringLiteral("qui manca un numero o una lettera"));
        if (c == '(' && k + 1 < testo.size() && testo[k + 1] == ')')
            return errore(k + 1, QStringLiteral("tra le parentesi manca qualcosa"));
    }
    const char ultimo = testo.back();
    if (Operatore(ultimo) || ultimo == '(')
        return errore(testo.size(), QStringLiteral("qui manca un numero o una lettera"));
    // The formula reader would close it silently; a pupil should close it.
    if (aperte > 0)
        return errore(testo.size(), QStringLiteral("qui manca una parentesi chiusa"));
    if (forma.has_value() ? *forma : Legge(testo))
        return r;
    // Where the formula reader stopped, brought back to the typed text: the
    // typed characters come in the same order in the formula form.
    std::size_t k = testo.size();
    const std::string formula = FormaFormula(testo);
    try {
        (void)TExprBuilder().ParseFormula(formula);
    } catch (const EIncorrectExpr& e) {
        const std::size_t fine = e.Position() > 0 ? static_cast<std::size_t>(e.Position() - 1) : formula.size();
        std::size_t j = 0;
        for (std::size_t p = 0; p < formula.size() && p < fine && j < testo.size(); ++p)
            if (formula[p] == testo[j])
                ++j;
        k = j;
    } catch (const std::exception&) {
    }
    return errore(k, QStringLiteral("da qui la risposta non si legge"));
}

} // namespace mevario
