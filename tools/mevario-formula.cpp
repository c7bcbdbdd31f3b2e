// mevario-formula: draws a formula of Mevario's formula language into a PNG
// or SVG picture, prints its node tree, or says it as an Italian sentence.
#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Documenti.h"
#include "ExprDump.h"
#include "ExprMake.h"
#include "ExprParla.h"
#include "QtCanvas.h"
#include "Registro.h"

using namespace mevario;

namespace {

const char* kAiuto =
    "Uso: mevario-formula [--size PT] [--tree] [--parla] [-o FILE.png|FILE.svg] FORMULA\n"
    "\n"
    "Disegna una formula scritta nel linguaggio delle formule di Mevario, per\n"
    "esempio per mettere una formula in una scheda di esercizi; ne stampa\n"
    "l'albero dei nodi o la legge a parole, in italiano.\n"
    "\n"
    "  -o FILE     scrive la formula in FILE (.png o .svg), nero su bianco, in un\n"
    "              riquadro grande quanto basta\n"
    "  --size PT   corpo del carattere in punti (predefinito 20)\n"
    "  --tree      stampa l'albero dei nodi, un nodo per riga, con le misure\n"
    "              (a 96 pixel per pollice)\n"
    "  --parla     stampa la formula come la legge ad alta voce un insegnante,\n"
    "              la frase che sente chi usa un lettore di schermo\n"
    "  --help      mostra questo aiuto\n"
    "\n"
    "Esempi:\n"
    "  mevario-formula -o somma.png \"-(3/4)*x^2*z+5*x^2*z\"\n"
    "  mevario-formula --tree \"(x+1)^2\"\n"
    "  mevario-formula --parla \"-(3/4)*x^2*y*z^3\"\n"
    "      meno tre quarti ics al quadrato ipsilon zeta al cubo\n"
    "\n"
    "Un errore di sintassi stampa il messaggio con la posizione ed esce con stato 1;\n"
    "così anche il testo dopo la formula che non si legge (\"3x\" invece di \"3*x\"):\n"
    "la formula si legge tutta o non si disegna.\n";

int Uso(const std::string& perche = {})
{
    if (!perche.empty())
        std::fprintf(stderr, "mevario-formula: %s\n\n", perche.c_str());
    std::fputs(kAiuto, stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    int punti = 20;
    bool albero = false;
    bool parla = false;
    std::string uscita, formula;
    bool haFormula = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--version") {
            std::printf("%s %s\n", "mevario-formula", MEVARIO_VERSION);
            return 0;
        }
        if (a == "--help" || a == "-h") {
            std::fputs(kAiuto, stdout);
            return 0;
        }
        if (a == "--tree") {
            albero = true;
        } else if (a == "--parla") {
            parla = true;
        } else if (a == "--size" && i + 1 < argc) {
            char* fine = nullptr;
            const long v = std::strtol(argv[++i], &fine, 10);
            if (!fine || *fine || v < 1 || v > 500) {
                std::fprintf(stderr, "mevario-formula: corpo non valido: %s (da 1 a 500 punti)\n", argv[i]);
                return 2;
            }
            punti = static_cast<int>(v);
        } else if (a == "-o" && i + 1 < argc) {
            uscita = argv[++i];
        } else if (a == "--") {
            if (i + 1 < argc) {
                formula = argv[++i];
                haFormula = true;
            }
        } else if (!a.empty() && a[0] == '-' && a.size() > 1 && !haFormula && (a == "-o" || a == "--size" || a.rfind("--", 0) == 0)) {
            return Uso(a == "-o" || a == "--size" ? "manca il valore di " + a : "opzione sconosciuta: " + a);
        } else if (!haFormula) {
            formula = a;
            haFormula = true;
        } else {
            return Uso("una formula sola alla volta (c'\xC3\xA8 gi\xC3\xA0 \"" + formula + "\")");
        }
    }
    if (!haFormula)
        return Uso("manca la formula");
    if (!albero && !parla && uscita.empty())
        return Uso("manca -o FILE, --tree o --parla: che cosa devo fare della formula?");
    if (formula.empty()) {
        std::fputs("mevario-formula: la formula è vuota\n", stderr);
        return 2;
    }

    // The file to write is checked first: never the pupils' record, a
    // device or a folder.
    const QString file = QString::fromLocal8Bit(uscita.c_str());
    if (!uscita.empty()) {
        const QString registro = PercorsoRegistro({});
        if (!IndirizzoServer(registro))
            ProteggiFile(registro);
        const QString vietata = DestinazioneVietata(file);
        if (!vietata.isEmpty()) {
            std::fprintf(stderr, "mevario-formula: %s. Nulla è stato scritto.\n", vietata.toUtf8().constData());
            return 1;
        }
    }

    // The command line is UTF-8; formula texts use the program's code page.
    formula = Utf8ToNarrow(formula);
    PExpr root;
    try {
        root = TExprBuilder().ParseFormula(formula);
    } catch (const EIncorrectExpr& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }

    // The sentence needs no canvas: it is read from the tree alone.
    if (parla)
        std::printf("%s\n", SpokenForm(root.get()).c_str());
    if (!albero && uscita.empty())
        return 0;

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    // Measure on the real canvas at 96 px/in.
    TQtCanvas misura(nullptr);
    root->SetCanvas(&misura);
    root->SetFontSize(punti);
    const int w = root->Width(), h = root->Height(), su = root->MidLineUp();
    if (albero)
        std::fputs(DumpTree(root.get(), true).c_str(), stdout);
    root->SetCanvas(nullptr);

    if (uscita.empty())
        return 0;
    // A box just large enough with the midline on its middle row.
    const int margine = 2;
    const int meta = std::max(su, h - su - 1);
    const QSize box(w + 2 * margine, 2 * meta + 1 + 2 * margine);
    // The picture is made in memory and written whole, or not at all.
    QBuffer dati;
    dati.open(QIODevice::WriteOnly);
    if (file.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&dati);
        svg.setSize(box);
        svg.setViewBox(QRect(QPoint(0, 0), box));
        svg.setResolution(96);
        svg.setTitle(QString::fromStdString(NarrowToUtf8(formula)));
        QPainter p;
        if (!p.begin(&svg)) {
            std::fprintf(stderr, "mevario-formula: non riesco a scrivere %s\n", uscita.c_str());
            return 2;
        }
        DrawExprTree(p, box.width(), box.height(), root.get(), TFormulaVariant::PaintBoxCentered, 0xFFFFFF, 0, 96, punti);
        p.end();
    } else {
        QImage img(box, QImage::Format_RGB32);
        img.setDotsPerMeterX(3780);
        img.setDotsPerMeterY(3780);
        {
            QPainter p(&img);
            DrawExprTree(p, box.width(), box.height(), root.get(), TFormulaVariant::PaintBoxCentered, 0xFFFFFF, 0, 96,
                         punti);
        }
        const QString formato = QFileInfo(file).suffix().isEmpty() ? QStringLiteral("png") : QFileInfo(file).suffix();
        if (!img.save(&dati, formato.toLatin1().constData())) {
            std::fprintf(stderr, "mevario-formula: non riesco a scrivere %s (formato sconosciuto)\n", uscita.c_str());
            return 2;
        }
    }
    TModoScrittura modo;
    modo.sostituisci = true;
    const TEsitoScrittura scritto = ScriviFileIntero(file, dati.data(), modo);
    if (!scritto.scritto) {
        std::fprintf(stderr, "mevario-formula: %s\n", scritto.errore.toUtf8().constData());
        return scritto.vietato ? 1 : 2;
    }
    return 0;
}
