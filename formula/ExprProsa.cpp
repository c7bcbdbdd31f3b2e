#include "ExprProsa.h"

#include <algorithm>
#include <cctype>

#include "ExprCanvas.h"

namespace mevario {

std::vector<TPezzoRiga> DividiProsa(const std::string& f)
{
    std::vector<TPezzoRiga> r;
    const auto formula = [&r](const std::string& t) {
        if (t.empty())
            return;
        if (!r.empty() && !r.back().prosa)
            r.back().testo += "&" + t;
        else
            r.push_back({false, t});
    };
    std::size_t i = 0;
    while (i < f.size()) {
        // One item of the top-level list, up to its "&".
        std::size_t fine = i;
        int livello = 0;
        bool virgolette = false;
        for (; fine < f.size(); ++fine) {
            const char c = f[fine];
            if (c == '"')
                virgolette = !virgolette;
            else if (!virgolette && c == '(')
                ++livello;
            else if (!virgolette && c == ')')
                --livello;
            else if (!virgolette && livello == 0 && c == '&')
                break;
        }
        const std::string voce = f.substr(i, fine - i);
        std::string inizio = voce.substr(0, 7);
        for (char& c : inizio)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::string testo;
        std::size_t da = i + 7;
        bool prosa = inizio == "string(" && voce.size() >= 8 && voce.back() == ')';
        if (prosa) {
            testo = voce.substr(7, voce.size() - 8);
            if (testo.size() >= 2 && testo.front() == '"' && testo.back() == '"') {
                testo = testo.substr(1, testo.size() - 2);
                ++da;
            } else {
                prosa = testo.find(')') == std::string::npos;
            }
        }
        // Signs and spaces ("  =  ", ",  ") belong to the formula: prose
        // is what has words.
        prosa = prosa && std::any_of(testo.begin(), testo.end(), [](char c) {
                    return std::isalpha(static_cast<unsigned char>(c)) != 0;
                });
        if (prosa)
            r.push_back({true, testo, da, testo.size()});
        else
            formula(voce);
        i = fine + 1;
    }
    return r;
}

namespace {

std::u16string Accenti(const std::u16string& t)
{
    static const std::u16string semplici = u"aeiouAEIOU";
    static const std::u16string accentate = u"\u00E0\u00E8\u00EC\u00F2\u00F9\u00C0\u00C8\u00CC\u00D2\u00D9";
    const auto lettera = [](char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); };
    std::u16string r;
    r.reserve(t.size());
    for (std::size_t i = 0; i < t.size(); ++i) {
        const std::size_t v = semplici.find(t[i]);
        if (v != std::u16string::npos && i + 1 < t.size() && t[i + 1] == u'\'' &&
            !(i + 2 < t.size() && lettera(t[i + 2]))) {
            r += accentate[v];
            ++i; // the apostrophe was the accent
        } else {
            r += t[i];
        }
    }
    return r;
}

} // namespace

std::u16string ProsaItaliana16(const std::string& testo)
{
    const std::u16string t = NarrowToUnicode(testo);
    const auto spazio = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
    std::size_t a = 0, b = t.size();
    while (a < b && spazio(t[a]))
        ++a;
    while (b > a && spazio(t[b - 1]))
        --b;
    if (t.compare(a, b - a, u"Si") == 0)
        return t.substr(0, a) + u"S\u00EC" + t.substr(b);
    return Accenti(t);
}

std::string AccentiUtf8(const std::string& testo)
{
    std::string r;
    for (char16_t c : Accenti(NarrowToUnicode(testo)))
        r += Utf8(c);
    return r;
}

std::string FormulaConProsaUtf8(const std::string& formula)
{
    std::string r;
    std::size_t da = 0;
    for (const TPezzoRiga& p : DividiProsa(formula)) {
        if (!p.prosa)
            continue;
        r += NarrowToUtf8(formula.substr(da, p.inizio - da));
        r += AccentiUtf8(p.testo);
        da = p.inizio + p.lunghezza;
    }
    return r + NarrowToUtf8(formula.substr(da));
}

} // namespace mevario
