// The typeset copy of a line of working: the line as typed turned into the
// formula that draws it, cut into pieces where a line too long for its row
// may go on in the next, and laid out in those rows.
#include "Passaggi.h"

#include "FormulaBox.h"
#include "ucomune.h"

namespace mevario {

namespace {

bool Cifra(char c) { return c >= '0' && c <= '9'; }
bool Lettera(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

} // namespace

std::string FormulaPassaggio(const std::string& digitato)
{
    std::string s;
    for (char c : digitato)
        if (c != ' ')
            s += c;
    std::string r;
    bool dopoOperando = false; // after a number, a letter or a closing bracket
    bool esponente = false;    // right after "^"
    for (std::size_t i = 0; i < s.size();) {
        const char c = s[i];
        if (Cifra(c)) {
            std::size_t f = i;
            while (f < s.size() && Cifra(s[f]))
                ++f;
            std::string numero = s.substr(i, f - i);
            // A fraction of whole numbers is one factor (not in an exponent).
            if (!esponente && f + 1 < s.size() && s[f] == '/' && Cifra(s[f + 1])) {
                std::size_t g = f + 1;
                while (g < s.size() && Cifra(s[g]))
                    ++g;
                numero = "(" + numero + "/" + s.substr(f + 1, g - f - 1) + ")";
                f = g;
            }
            if (dopoOperando)
                r += "**";
            r += numero;
            i = f;
            dopoOperando = true;
            esponente = false;
            continue;
        }
        esponente = false;
        if (Lettera(c) || c == '(' || c == '[' || c == '{') {
            // Nothing typed between two factors: they stand side by side,
            // in the order typed.
            if (dopoOperando)
                r += "**";
            r += c == '(' ? std::string("!(") : std::string(1, c);
            dopoOperando = Lettera(c);
        } else if (c == ')' || c == ']' || c == '}') {
            r += c;
            dopoOperando = true;
        } else if (c == '*') {
            r += "*."; // a dot, as typed
            dopoOperando = false;
        } else if (c == ':') {
            r += "**string( : )**";
            dopoOperando = false;
        } else {
            // Two signs in a row stay two signs ("+-" would be one, "±").
            if ((c == '+' || c == '-') && !r.empty() && (r.back() == '+' || r.back() == '-'))
                r += "space(0)";
            r += c;
            esponente = c == '^';
            dopoOperando = false;
        }
        ++i;
    }
    return r;
}

std::vector<std::string> PezziPassaggio(const std::string& digitato)
{
    std::vector<std::string> pezzi(1);
    int profondita = 0;
    char prima = 0; // the last character that is not a space
    for (const char c : digitato) {
        if (c == ' ')
            continue;
        // A new piece before a sign that joins two terms (not a sign after
        // another operator: "2*-x", "x^-"), and between two brackets side
        // by side, outside every bracket.
        const bool segno = (c == '+' || c == '-') && prima != 0 && prima != '+' && prima != '-' && prima != '*' &&
                           prima != ':' && prima != '^' && prima != '(' && prima != '[' && prima != '{';
        const bool accostate = (c == '(' || c == '[' || c == '{') && (prima == ')' || prima == ']' || prima == '}');
        if (profondita == 0 && (segno || accostate) && !pezzi.back().empty())
            pezzi.emplace_back();
        if (c == '(' || c == '[' || c == '{')
            ++profondita;
        else if ((c == ')' || c == ']' || c == '}') && profondita > 0)
            --profondita;
        pezzi.back() += c;
        prima = c;
    }
    if (pezzi.back().empty())
        pezzi.pop_back();
    return pezzi;
}

std::vector<std::string> RigheCopia(const std::string& digitato, int larghezza, int ppi, int punti)
{
    const auto entra = [&](const std::string& t) {
        try {
            return MisuraFormula(FormulaPassaggio(t), TFormulaVariant::ControlLeft, ppi, punti).width() <= larghezza;
        } catch (const std::exception&) {
            return true; // drawn as well as it can be
        }
    };
    std::vector<std::string> righe;
    for (const std::string& pezzo : PezziPassaggio(digitato))
        if (!righe.empty() && entra(righe.back() + pezzo))
            righe.back() += pezzo;
        else
            righe.push_back(pezzo);
    return righe;
}

int TPassaggi::DisponiCopia(TRiga& r, int x, int y, int larghezza)
{
    if (r.larghezzaCopia != larghezza) {
        r.larghezzaCopia = larghezza;
        r.righeCopia = r.larghezzaMinima <= larghezza
                           ? std::vector<std::string>{r.campo->text().toStdString()}
                           : RigheCopia(r.campo->text().toStdString(), larghezza,
                                        logicalDpiY() > 0 ? logicalDpiY() : 96, KPuntiMinimi);
    }
    const std::size_t n = std::max<std::size_t>(1, r.righeCopia.size());
    while (r.seguito.size() + 1 < n) {
        auto* b = new TFormulaBox(r.riga, TFormulaVariant::ControlLeft);
        b->SetPuntiMinimi(KPuntiStretti);
        b->SetColor(FSfondo);
        b->SetIgnoraErrori(true);
        r.seguito.push_back(b);
    }
    if (const std::string prima = FormulaPassaggio(r.righeCopia.empty() ? std::string() : r.righeCopia[0]);
        r.anteprima->Formula() != prima)
        DrawFormula(r.anteprima, prima);
    r.anteprima->setGeometry(x, y, larghezza, KAltezzaCopia);
    // Every row at the first row's size: a short last piece is not drawn
    // larger (a box draws at the largest size that fits it).
    const int punti = r.anteprima->PuntiUsati();
    for (std::size_t k = 0; k < r.seguito.size(); ++k) {
        TFormulaBox* b = r.seguito[k];
        const bool usata = k + 1 < n;
        if (usata) {
            const std::string formula = FormulaPassaggio(r.righeCopia[k + 1]);
            int w = larghezza;
            try {
                w = std::min(w, MisuraFormula(formula, TFormulaVariant::ControlLeft, logicalDpiY() > 0 ? logicalDpiY() : 96,
                                              punti).width() + 2);
            } catch (const std::exception&) {
            }
            DrawFormula(b, formula);
            b->SetNomeAccessibile(r.anteprima->accessibleName());
            b->setGeometry(x, y + static_cast<int>(k + 1) * KAltezzaCopia, w, KAltezzaCopia);
        }
        b->setVisible(usata);
    }
    return static_cast<int>(n) * KAltezzaCopia;
}

} // namespace mevario
