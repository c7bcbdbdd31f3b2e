#include "SchedaEsercizi.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <random>
#include <stdexcept>

#include "Catalogo.h"
#include "Documenti.h"
#include "ExprMake.h"
#include "ExprProsa.h"
#include "ExprTree.h"
#include "QtCanvas.h"
#include "argomenti.h"
#include "funzioni.h"

namespace mevario {

const std::vector<TArgomentoScheda>& ArgomentiScheda()
{
    static const std::vector<TArgomentoScheda> a = [] {
        std::vector<TArgomentoScheda> v;
        // On paper the quizzes are just their topic: what the tools add about
        // their questions speaks of the window.
        for (const TTemaArgomento& t : TabellaArgomenti())
            v.push_back({t.nome, t.titolo});
        return v;
    }();
    return a;
}

std::uint32_t SemeNuovo()
{
    std::random_device rd;
    const auto t = static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    return static_cast<std::uint32_t>(rd() ^ t ^ (t >> 32));
}

void NuovaDivisioneScheda(TDivisione& d)
{
    d.NuovaDivisione(2);
    d.PreparaTesti();
    d.Svolgi(1);
    d.ScriviRisultato();
}

std::vector<TVoceScheda> EserciziScheda(const TRichiestaScheda& richiesta)
{
    std::vector<TVoceScheda> voci;
    for (const std::string& nome : richiesta.argomenti) {
        const auto it = std::find_if(ArgomentiScheda().begin(), ArgomentiScheda().end(),
                                     [&nome](const TArgomentoScheda& a) { return a.nome == nome; });
        if (it == ArgomentiScheda().end())
            throw std::invalid_argument("argomento sconosciuto: '" + nome + "'");
        ImpostaSeme(richiesta.seme);
        if (nome == kArgomentoDivisione) {
            TDivisione d;
            for (int i = 0; i < richiesta.quanti; ++i) {
                NuovaDivisioneScheda(d);
                TVoceScheda v;
                v.argomento = nome;
                v.titolo = it->descrizione;
                v.domanda = kDomandaDivisione;
                v.formula = "(" + d.TestoDividendo + ")&string( : )&(" + d.TestoDivisore + ")";
                v.divisione = d;
                voci.push_back(std::move(v));
            }
            continue;
        }
        const auto es = TrovaArgomento(nome)->crea();
        for (int i = 0; i < richiesta.quanti; ++i) {
            es->NuovoEsercizio();
            TVoceScheda v;
            v.argomento = nome;
            v.titolo = it->descrizione;
            v.domanda = es->Domanda();
            v.formula = es->TestoEsercizio();
            v.risposta = es->RispostaAttesa();
            v.siNo = es->SiNo();
            v.soluzione = es->Soluzione();
            voci.push_back(std::move(v));
        }
    }
    return voci;
}

namespace {

// The sheet is laid out in dots of 1/300 inch.
constexpr int kDpi = 300;
int Mm(double mm) { return static_cast<int>(std::lround(mm * kDpi / 25.4)); }

const int kLarghezzaPagina = Mm(210);
const int kAltezzaPagina = Mm(297);
const int kMargine = Mm(18);
const int kCima = Mm(15);
const int kFondo = kAltezzaPagina - Mm(20);       // where the content ends
const int kPiede = kAltezzaPagina - Mm(10);       // baseline of the footer
const int kLarghezza = kLarghezzaPagina - 2 * kMargine;

QString Utf8(const std::string& s) { return QString::fromStdString(s); }

QFont Testo(double punti, bool grassetto = false)
{
    RegistraFontMevario();
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    f.setKerning(false);
    return f;
}

// A parsed formula measured at a size that fits the width (14 points, down
// to 8 for the widest).
struct TFormulaScheda {
    PExpr root;
    // A line with sentences: its pieces in order, a sentence (with its
    // accents) in the sheet's text font, a formula piece as a tree.
    std::vector<std::pair<QString, PExpr>> pezzi;
    QFont prosa;
    int punti = 14;
    int larghezza = 0;
    int altezza = 0;
};

TFormulaScheda Prepara(const std::string& testo, int larghezzaMassima, int punti = 14)
{
    TFormulaScheda f;
    if (testo.empty())
        return f;
    f.root = TExprBuilder().ParseFormula(testo);
    TQtCanvas misura(nullptr, kDpi, kDpi);
    f.root->SetCanvas(&misura);
    for (f.punti = punti;; --f.punti) {
        f.root->SetFontSize(f.punti);
        f.larghezza = f.root->Width();
        f.altezza = f.root->Height();
        if (f.larghezza <= larghezzaMassima || f.punti <= 8)
            break;
    }
    f.root->SetCanvas(nullptr);
    return f;
}

// The same for a line that may hold sentences, measured for `dispositivo`:
// the typesetter's code page has no accented letters, so a sentence is
// drawn as text, not typeset.
TFormulaScheda PreparaConProsa(const std::string& testo, int larghezzaMassima, int punti,
                               const QPaintDevice* dispositivo)
{
    const std::vector<TPezzoRiga> pezzi = DividiProsa(testo);
    if (std::none_of(pezzi.begin(), pezzi.end(), [](const TPezzoRiga& r) { return r.prosa; }))
        return Prepara(testo, larghezzaMassima, punti);
    TFormulaScheda f;
    for (const TPezzoRiga& r : pezzi)
        f.pezzi.emplace_back(r.prosa ? QString::fromStdU16String(ProsaItaliana16(r.testo)) : QString(),
                             r.prosa ? nullptr : TExprBuilder().ParseFormula(r.testo));
    TQtCanvas misura(nullptr, kDpi, kDpi);
    for (f.punti = punti;; --f.punti) {
        f.prosa = Testo(f.punti);
        const QFontMetrics m(f.prosa, dispositivo);
        f.larghezza = 0;
        f.altezza = m.height();
        for (auto& [frase, radice] : f.pezzi) {
            if (!radice) {
                f.larghezza += m.horizontalAdvance(frase);
                continue;
            }
            radice->SetCanvas(&misura);
            radice->SetFontSize(f.punti);
            f.larghezza += radice->Width();
            f.altezza = std::max(f.altezza, radice->Height());
            radice->SetCanvas(nullptr);
        }
        if (f.larghezza <= larghezzaMassima || f.punti <= 8)
            break;
    }
    return f;
}

void Disegna(QPainter& p, TFormulaScheda& f, int x, int y)
{
    if (!f.pezzi.empty()) {
        TQtCanvas canvas(&p, kDpi, kDpi);
        const QFontMetrics m(f.prosa, p.device());
        for (auto& [frase, radice] : f.pezzi) {
            if (radice) {
                radice->SetCanvas(&canvas);
                radice->SetFontSize(f.punti);
                radice->SetColor(0x000000);
                radice->Draw(x, y + f.altezza / 2, THorzAlign::Left, TVertAlign::MidLine);
                x += radice->Width();
                radice->SetCanvas(nullptr);
            } else {
                p.setFont(f.prosa);
                p.setPen(Qt::black);
                const int w = m.horizontalAdvance(frase);
                p.drawText(QRect(x, y, w, f.altezza), Qt::AlignLeft | Qt::AlignVCenter, frase);
                x += w;
            }
        }
        return;
    }
    if (!f.root)
        return;
    TQtCanvas canvas(&p, kDpi, kDpi);
    f.root->SetCanvas(&canvas);
    f.root->SetFontSize(f.punti);
    f.root->SetColor(0x000000);
    f.root->Draw(x, y, THorzAlign::Left, TVertAlign::Top);
    f.root->SetCanvas(nullptr);
}

// The terms a quotient can have: one for each degree from the dividend's
// minus the divisor's down to 0.
int CelleQuoziente(const TDivisione& d) { return std::max(1, d.GradoDividendo - d.GradoDivisore + 1); }

// A piece of the sheet that is never split across pages.
struct TBlocco {
    int altezza = 0;
    bool nuovaPagina = false; // begins a page of its own
    bool conIlSeguente = false; // a title: on the same page as what follows
    bool chiave = false;        // on the key's pages
    std::function<void(QPainter&, int y)> dipingi;
};

class TScheda {
public:
    TScheda(QPdfWriter& writer, const TRichiestaScheda& r) : FWriter(writer), FRichiesta(r) {}

    std::vector<TBlocco> Blocchi(std::vector<TVoceScheda>& voci);

private:
    int AltezzaRiga(const QFont& f) const { return QFontMetrics(f, &FWriter).height(); }
    TBlocco Intestazione();
    TBlocco Titolo(const QString& testo, double punti, bool nuovaPagina);
    TBlocco Esercizio(int numero, TVoceScheda& v);
    TBlocco Soluzione(int numero, TVoceScheda& v);
    TBlocco Griglia(const TDivisione& d);

    QPdfWriter& FWriter;
    const TRichiestaScheda& FRichiesta;
};

TBlocco TScheda::Intestazione()
{
    const QFont titolo = Testo(20, true);
    const QFont campi = Testo(11);
    TBlocco b;
    b.altezza = AltezzaRiga(titolo) + Mm(4) + AltezzaRiga(campi) + Mm(6);
    b.dipingi = [=, this](QPainter& p, int y) {
        p.setFont(titolo);
        p.drawText(QRect(kMargine, y, kLarghezza, AltezzaRiga(titolo)), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("Mevario – Esercizi"));
        y += AltezzaRiga(titolo) + Mm(4);
        p.setFont(campi);
        const int base = y + QFontMetrics(campi, &FWriter).ascent();
        const QString etichette[] = {QStringLiteral("Nome"), QStringLiteral("Classe"), QStringLiteral("Data")};
        const double quote[] = {0.0, 0.55, 0.75};
        const double fini[] = {0.52, 0.72, 1.0};
        for (int i = 0; i < 3; ++i) {
            const int x = kMargine + static_cast<int>(quote[i] * kLarghezza);
            p.drawText(x, base, etichette[i]);
            const int da = x + QFontMetrics(campi, &FWriter).horizontalAdvance(etichette[i]) + Mm(2);
            p.drawLine(da, base + Mm(1), kMargine + static_cast<int>(fini[i] * kLarghezza) - Mm(2), base + Mm(1));
        }
    };
    return b;
}

TBlocco TScheda::Titolo(const QString& testo, double punti, bool nuovaPagina)
{
    const QFont f = Testo(punti, true);
    TBlocco b;
    b.nuovaPagina = nuovaPagina;
    b.conIlSeguente = true;
    b.altezza = Mm(3) + AltezzaRiga(f) + Mm(2);
    b.dipingi = [=, this](QPainter& p, int y) {
        p.setFont(f);
        p.drawText(QRect(kMargine, y + Mm(3), kLarghezza, AltezzaRiga(f)), Qt::AlignLeft | Qt::AlignTop, testo);
    };
    return b;
}

// The empty column division to fill in: the dividend's terms in their
// columns, the divisor beyond the vertical line, under it a cell for each
// term the quotient can have (degree of the dividend minus degree of the
// divisor, plus one), and as many rows as the division needs.
TBlocco TScheda::Griglia(const TDivisione& d)
{
    const int n = d.GradoDividendo, m = d.GradoDivisore;
    const int quoziente = CelleQuoziente(d);
    const int destra = std::max(m + 1, quoziente); // columns beyond the line
    // The printed first row is taller (its fractions are typeset); the
    // others leave room for a handwritten fraction.
    const int prima = Mm(10), riga = Mm(8);
    const int colonna = std::min(Mm(22), (kLarghezza - Mm(8)) / (n + 1 + destra));
    const int sinistra = (n + 1) * colonna;
    const int righe = std::max(2, d.RigaFinale);
    const int alta = prima + (righe - 1) * riga;
    TBlocco b;
    b.altezza = alta + Mm(3);
    b.dipingi = [=](QPainter& p, int y) {
        const int x0 = kMargine + Mm(6);
        const auto sotto = [&](int r) { return y + prima + (r - 1) * riga; }; // bottom of row r
        auto termine = [&p](const std::string& t, int x, int yy, int w, int h) {
            if (t.empty())
                return;
            TFormulaScheda f = Prepara(t, w - Mm(2), 12);
            Disegna(p, f, x + (w - f.larghezza) / 2, yy + (h - f.altezza) / 2);
        };
        // Light rows to write in.
        p.setPen(QPen(QColor(190, 190, 190), 2));
        for (int r = 1; r < righe; ++r)
            p.drawLine(x0, sotto(r), x0 + sinistra, sotto(r));
        for (int k = 1; k <= n; ++k)
            p.drawLine(x0 + k * colonna, sotto(1), x0 + k * colonna, y + alta);
        p.setPen(QPen(Qt::black, 4));
        p.drawLine(x0 + sinistra, y, x0 + sinistra, y + alta);
        p.drawLine(x0 + sinistra, sotto(1), x0 + sinistra + destra * colonna, sotto(1));
        for (int k = n; k >= 0; --k)
            termine(d.TestoCella({1, 1, k}, false), x0 + (n - k) * colonna, y, colonna, prima);
        for (int k = m; k >= 0; --k)
            termine(d.TestoCella({2, 1, k}, false), x0 + sinistra + (m - k) * colonna, y, colonna, prima);
        // The quotient's cells.
        p.setPen(QPen(QColor(190, 190, 190), 2));
        for (int k = 1; k < quoziente; ++k)
            p.drawLine(x0 + sinistra + k * colonna, sotto(1) + Mm(1), x0 + sinistra + k * colonna, sotto(2));
        p.drawLine(x0 + sinistra, sotto(2), x0 + sinistra + quoziente * colonna, sotto(2));
        p.setPen(Qt::black);
    };
    return b;
}

TBlocco TScheda::Esercizio(int numero, TVoceScheda& v)
{
    const QFont domanda = Testo(11);
    const int rientro = Mm(9);
    // A division is shown by its grid, whose first row holds the dividend
    // and the divisor: the formula would say it twice.
    auto formula = std::make_shared<TFormulaScheda>(Prepara(v.divisione ? std::string() : v.formula,
                                                            kLarghezza - rientro));
    const int hDomanda = AltezzaRiga(domanda);
    int spazio = 0;
    std::shared_ptr<TBlocco> griglia;
    if (v.divisione) {
        griglia = std::make_shared<TBlocco>(Griglia(*v.divisione));
        spazio = griglia->altezza;
    } else if (v.siNo) {
        spazio = hDomanda + Mm(4);
    } else {
        spazio = Mm(17); // two lines to write on
    }
    TBlocco b;
    const int sottoFormula = formula->root ? formula->altezza + Mm(2) : 0;
    b.altezza = Mm(3) + hDomanda + Mm(1.5) + sottoFormula + spazio;
    b.dipingi = [=, this](QPainter& p, int y) {
        y += Mm(3);
        p.setFont(domanda);
        p.setPen(Qt::black);
        p.drawText(QRect(kMargine, y, rientro, hDomanda), Qt::AlignLeft | Qt::AlignTop, QString::number(numero) + ".");
        p.drawText(QRect(kMargine + rientro, y, kLarghezza - rientro, hDomanda), Qt::AlignLeft | Qt::AlignTop,
                   Utf8(v.domanda));
        y += hDomanda + Mm(1.5);
        Disegna(p, *formula, kMargine + rientro, y);
        y += sottoFormula;
        if (griglia) {
            griglia->dipingi(p, y);
        } else if (v.siNo) {
            const int lato = Mm(4);
            const int base = y + QFontMetrics(domanda, &FWriter).ascent();
            int x = kMargine + rientro;
            p.setFont(domanda);
            for (const QString& s : {QStringLiteral("Sì"), QStringLiteral("No")}) {
                p.drawRect(x, base - lato, lato, lato);
                p.drawText(x + lato + Mm(2), base, s);
                x += Mm(30);
            }
        } else {
            p.setPen(QPen(QColor(150, 150, 150), 2));
            p.drawLine(kMargine + rientro, y + Mm(7), kMargine + kLarghezza, y + Mm(7));
            p.drawLine(kMargine + rientro, y + Mm(15), kMargine + kLarghezza, y + Mm(15));
            p.setPen(Qt::black);
        }
    };
    return b;
}

TBlocco TScheda::Soluzione(int numero, TVoceScheda& v)
{
    const QFont testo = Testo(11);
    const QFont piccolo = Testo(8);
    const int rientro = Mm(9);
    const int hTesto = AltezzaRiga(testo);
    // What is typeset: the answer's formula; for the division quotient and
    // remainder; for yes/no questions the word.
    std::vector<std::pair<QString, std::shared_ptr<TFormulaScheda>>> righe;
    QString digitata;
    if (v.divisione) {
        righe.emplace_back(QStringLiteral("Quoziente:"),
                           std::make_shared<TFormulaScheda>(Prepara(v.divisione->TestoQuoziente, kLarghezza - Mm(40))));
        righe.emplace_back(QStringLiteral("Resto:"),
                           std::make_shared<TFormulaScheda>(Prepara(v.divisione->TestoResto, kLarghezza - Mm(40))));
    } else if (v.siNo) {
        // The answer on the numbered line, its reason under it.
        righe.emplace_back(v.risposta == "Si" ? QStringLiteral("Sì") : Utf8(v.risposta), nullptr);
        for (std::size_t i = 0; i + 1 < v.soluzione.size(); ++i)
            righe.emplace_back(QString(), std::make_shared<TFormulaScheda>(PreparaConProsa(
                                              v.soluzione[i].formula, kLarghezza - Mm(20), 12, &FWriter)));
    } else if (!v.soluzione.empty()) {
        // The worked solution: "=" before a line that goes on with the
        // calculation, an arrow before an answer reached otherwise.
        for (std::size_t i = 0; i < v.soluzione.size(); ++i) {
            const bool finale = i + 1 == v.soluzione.size() && i > 0;
            righe.emplace_back(v.soluzione[i].uguale ? QStringLiteral("=")
                               : finale              ? QStringLiteral("\u2192")
                                                     : QString(),
                               std::make_shared<TFormulaScheda>(PreparaConProsa(
                                   v.soluzione[i].formula, kLarghezza - Mm(20), 12, &FWriter)));
        }
        digitata = QStringLiteral("nel programma si digita: ") + Utf8(NarrowToUtf8(v.risposta));
    } else {
        righe.emplace_back(QString(), std::make_shared<TFormulaScheda>(Prepara(FormaFormula(v.risposta),
                                                                               kLarghezza - Mm(40))));
        digitata = QStringLiteral("nel programma si digita: ") + Utf8(NarrowToUtf8(v.risposta));
    }
    int altezza = Mm(2);
    for (const auto& r : righe)
        altezza += std::max(hTesto, r.second ? r.second->altezza : 0) + Mm(1);
    if (!digitata.isEmpty())
        altezza += AltezzaRiga(piccolo);
    TBlocco b;
    b.altezza = altezza + Mm(1);
    b.dipingi = [=, this](QPainter& p, int y) {
        y += Mm(2);
        p.setPen(Qt::black);
        p.setFont(testo);
        p.drawText(QRect(kMargine, y, rientro, hTesto), Qt::AlignLeft | Qt::AlignTop, QString::number(numero) + ".");
        for (const auto& [etichetta, f] : righe) {
            const int h = std::max(hTesto, f ? f->altezza : 0);
            int x = kMargine + rientro;
            if (!etichetta.isEmpty()) {
                p.setFont(testo);
                p.drawText(QRect(x, y, Mm(30), h), Qt::AlignLeft | Qt::AlignVCenter, etichetta);
                const bool segno = etichetta.size() == 1; // "=" or the arrow
                x += f ? (segno ? Mm(6) : Mm(25)) : 0;
            }
            if (f)
                Disegna(p, *f, x, y + (h - f->altezza) / 2);
            y += h + Mm(1);
        }
        if (!digitata.isEmpty()) {
            p.setFont(piccolo);
            p.setPen(QColor(90, 90, 90));
            p.drawText(QRect(kMargine + rientro, y, kLarghezza - rientro, AltezzaRiga(piccolo)),
                       Qt::AlignLeft | Qt::AlignTop, digitata);
            p.setPen(Qt::black);
        }
    };
    return b;
}

std::vector<TBlocco> TScheda::Blocchi(std::vector<TVoceScheda>& voci)
{
    std::vector<TBlocco> blocchi;
    blocchi.push_back(Intestazione());
    std::string argomento;
    int numero = 0;
    for (TVoceScheda& v : voci) {
        if (v.argomento != argomento) {
            argomento = v.argomento;
            blocchi.push_back(Titolo(Utf8(v.titolo), 13, false));
        }
        blocchi.push_back(Esercizio(++numero, v));
    }
    if (FRichiesta.soluzioni) {
        const std::size_t inizio = blocchi.size();
        blocchi.push_back(Titolo(QStringLiteral("Soluzioni"), 16, true));
        argomento.clear();
        numero = 0;
        for (TVoceScheda& v : voci) {
            if (v.argomento != argomento) {
                argomento = v.argomento;
                blocchi.push_back(Titolo(Utf8(v.titolo), 12, false));
            }
            blocchi.push_back(Soluzione(++numero, v));
        }
        for (std::size_t i = inizio; i < blocchi.size(); ++i)
            blocchi[i].chiave = true;
    }
    return blocchi;
}

// The page of each block: a block goes to the next page when it does not
// fit, or when it asks for a page of its own; a title goes with the block
// after it.
std::vector<int> Impagina(const std::vector<TBlocco>& blocchi)
{
    std::vector<int> pagina(blocchi.size(), 0);
    int p = 0, y = kCima;
    for (std::size_t i = 0; i < blocchi.size(); ++i) {
        int h = blocchi[i].altezza;
        if (blocchi[i].conIlSeguente && i + 1 < blocchi.size())
            h += blocchi[i + 1].altezza;
        if ((blocchi[i].nuovaPagina && i > 0) || (y + h > kFondo && y > kCima)) {
            ++p;
            y = kCima;
        }
        pagina[i] = p;
        y += blocchi[i].altezza;
    }
    return pagina;
}

// Why a file cannot be written, in Italian: the reason Qt gives comes from
// the C library, in English.
QString PercheNonSiScrive(const QString& file)
{
    const QFileInfo f(file);
    if (f.isDir())
        return QStringLiteral("c'è già una cartella con questo nome");
    if (f.exists())
        return QStringLiteral("esiste già (la scheda non scrive mai sopra un file: scegli un altro nome)");
    const QFileInfo cartella(f.absolutePath());
    if (!cartella.exists())
        return QStringLiteral("la cartella %1 non esiste").arg(QDir::toNativeSeparators(cartella.filePath()));
    if (!cartella.isDir())
        return QStringLiteral("%1 non è una cartella").arg(QDir::toNativeSeparators(cartella.filePath()));
    if (!cartella.isWritable())
        return QStringLiteral("non hai il permesso di scrivere nella cartella %1")
            .arg(QDir::toNativeSeparators(cartella.filePath()));
    return QStringLiteral("il disco non accetta la scrittura (è pieno o di sola lettura?)");
}

} // namespace

namespace {

// The sheet composed into `pdf`; nothing written.
// What makes a request no sheet at all, or empty.
QString ErroreRichiesta(const TRichiestaScheda& richiesta)
{
    if (richiesta.argomenti.empty())
        return QStringLiteral("Scegli almeno un argomento.");
    if (richiesta.quanti < 1 || richiesta.quanti > 50)
        return QStringLiteral("Gli esercizi per argomento vanno da 1 a 50.");
    return {};
}

TEsitoScheda ComponiScheda(const TRichiestaScheda& richiesta, QByteArray& pdf)
{
    TEsitoScheda esito;
    esito.errore = ErroreRichiesta(richiesta);
    if (!esito.errore.isEmpty())
        return esito;
    std::vector<TVoceScheda> voci;
    try {
        voci = EserciziScheda(richiesta);
    } catch (const std::exception& e) {
        esito.errore = QString::fromStdString(e.what());
        return esito;
    }
    // The sheet is made in memory; the caller writes it whole or not at all.
    QBuffer f;
    f.open(QIODevice::WriteOnly);
    QPdfWriter writer(&f);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(kDpi);
    writer.setTitle(QStringLiteral("Mevario – Esercizi"));
    writer.setCreator(QStringLiteral("Mevario"));

    TScheda scheda(writer, richiesta);
    std::vector<TBlocco> blocchi;
    try {
        blocchi = scheda.Blocchi(voci);
    } catch (const std::exception& e) {
        esito.errore = QStringLiteral("Impossibile comporre la scheda: ") + QString::fromStdString(e.what());
        return esito;
    }
    const std::vector<int> pagine = Impagina(blocchi);
    const int totale = pagine.empty() ? 1 : pagine.back() + 1;
    // The exercises' pages and the key's are numbered on their own, so that
    // the pupils get a whole sheet; the seed, which prints the key again, is
    // only on the key's pages.
    int primaChiave = totale;
    for (std::size_t i = 0; i < blocchi.size(); ++i)
        if (blocchi[i].chiave) {
            primaChiave = pagine[i];
            break;
        }

    QPainter p(&writer);
    const QFont piede = Testo(8);
    const auto piePagina = [&](int n) {
        const QString testo =
            n < primaChiave
                ? QStringLiteral("Mevario – pagina %1 di %2").arg(n + 1).arg(primaChiave)
                : QStringLiteral("Mevario – soluzioni – seme %1 – pagina %2 di %3")
                      .arg(richiesta.seme)
                      .arg(n - primaChiave + 1)
                      .arg(totale - primaChiave);
        p.setFont(piede);
        p.setPen(QColor(110, 110, 110));
        p.drawText(QRect(kMargine, kPiede - Mm(4), kLarghezza, Mm(5)), Qt::AlignHCenter | Qt::AlignBottom, testo);
        p.setPen(Qt::black);
    };
    int corrente = 0, y = kCima;
    piePagina(0);
    for (std::size_t i = 0; i < blocchi.size(); ++i) {
        if (pagine[i] != corrente) {
            writer.newPage();
            corrente = pagine[i];
            y = kCima;
            piePagina(corrente);
        }
        blocchi[i].dipingi(p, y);
        y += blocchi[i].altezza;
    }
    if (!p.end()) {
        esito.errore = QStringLiteral("Impossibile comporre la scheda.");
        return esito;
    }
    f.close();
    pdf = f.data();
    esito.riuscito = true;
    esito.pagine = totale;
    esito.pagineEsercizi = primaChiave;
    return esito;
}

} // namespace

TEsitoScheda ScriviSchedaEsercizi(const QString& file, const TRichiestaScheda& richiesta)
{
    TEsitoScheda esito;
    esito.errore = ErroreRichiesta(richiesta);
    if (!esito.errore.isEmpty())
        return esito;
    // A new file only: nothing of anyone's is written over. Refused before
    // the sheet is composed; written whole, or not at all, at the end.
    const QString vietata = DestinazioneVietata(file);
    if (!vietata.isEmpty()) {
        esito.errore = QStringLiteral("Impossibile scrivere il file: ") + vietata + QLatin1Char('.');
        return esito;
    }
    if (QFileInfo::exists(file)) {
        esito.errore = QStringLiteral("Impossibile scrivere il file ") + file + QStringLiteral(": esiste già.");
        return esito;
    }
    if (!QFileInfo(QFileInfo(file).absolutePath()).isDir() || !QFileInfo(QFileInfo(file).absolutePath()).isWritable()) {
        esito.errore = QStringLiteral("Impossibile scrivere il file ") + file + QStringLiteral(": ") + PercheNonSiScrive(file);
        return esito;
    }
    QByteArray pdf;
    esito = ComponiScheda(richiesta, pdf);
    if (!esito.riuscito)
        return esito;
    const TEsitoScrittura scritto = ScriviFileIntero(file, pdf);
    esito.riuscito = scritto.scritto;
    esito.file = file;
    if (!esito.riuscito) {
        esito.errore = scritto.errore + QLatin1Char('.');
        esito.errore[0] = esito.errore[0].toUpper();
    }
    return esito;
}

TEsitoScheda ScriviSchedaNuova(const QString& cartella, const TRichiestaScheda& richiesta, const QDateTime& quando)
{
    QByteArray pdf;
    TEsitoScheda esito = ComponiScheda(richiesta, pdf);
    if (!esito.riuscito)
        return esito;
    QString errore;
    esito.file = ScriviNuovoDocumento(cartella, QStringLiteral("Esercizi"), QStringLiteral("pdf"), pdf, quando, &errore);
    esito.riuscito = !esito.file.isEmpty();
    if (!esito.riuscito)
        esito.errore = errore + QLatin1Char('.');
    return esito;
}

} // namespace mevario
