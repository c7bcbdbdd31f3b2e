// A program that records answers, for the reliability tests: it is killed
// in the middle, run twice at once, or denied the disk.
//
//   mevario_registro_figlio scrivi FILE ALUNNO N [--limite BYTE]
//       records N answers of ALUNNO; writes each answer's uuid on standard
//       output once Registra has returned; with --limite no file may grow
//       past BYTE (a disk that fills up). Status 3 when an answer could
//       not be written (held in memory, or the record turned guest); the
//       message on standard error.
//   mevario_registro_figlio guarisci FILE ALUNNO N BYTE
//       as scrivi with a disk that fills up at BYTE and is freed after the
//       first answer held in memory; writes every answer's uuid as it is
//       given. Status 0 when in the end nothing is held.
//   mevario_registro_figlio apri [--nessuno]
//       opens the record where the environment says (XDG_DATA_HOME,
//       MEVARIO_DB) and records one answer; prints "registrato" or
//       "ospite". --nessuno: as root, first becomes the user nobody.
#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

#include "Registro.h"

using namespace mevario;

static void Scrivi(const QByteArray& riga)
{
    const QByteArray r = riga + '\n';
    qsizetype fatto = 0;
    while (fatto < r.size()) {
        const ssize_t n = ::write(1, r.constData() + fatto, static_cast<size_t>(r.size() - fatto));
        if (n <= 0)
            return;
        fatto += n;
    }
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    QString avviso;
    auto avvisa = [&](const QString& m) {
        avviso = m;
        std::fprintf(stderr, "%s\n", m.toUtf8().constData());
    };
    const bool guarisci = a.size() == 6 && a[1] == QLatin1String("guarisci");
    if (a.size() >= 5 && (a[1] == QLatin1String("scrivi") || guarisci)) {
        if ((a.size() == 7 && a[5] == QLatin1String("--limite")) || guarisci) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit l{a.last().toULongLong(), guarisci ? RLIM_INFINITY : a.last().toULongLong()};
            ::setrlimit(RLIMIT_FSIZE, &l);
        }
        TOpzioniRegistro o;
        o.db = a[2];
        auto r = ApriRegistro(o, avvisa);
        r->ScegliAlunno(r->CreaAlunno(a[3], {}));
        if (r->Ospite())
            return 3;
        const int n = a[4].toInt();
        for (int i = 0; i < n; ++i) {
            TRispostaGiudicata g;
            g.uuid = QUuid::createUuid();
            g.argomento = i % 2 ? QStringLiteral("somma-monomi") : QStringLiteral("prodotto-monomi");
            g.esercizio = QStringLiteral("(3*x^2)*(-2*x^%1)").arg(i);
            g.seme = static_cast<quint32>(i);
            g.risposta = QStringLiteral("-6x^%1").arg(i + 2);
            g.giusta = i % 3 != 0;
            g.tipoErrore = g.giusta ? QString() : QStringLiteral("Nel prodotto gli esponenti si sommano, non si moltiplicano.");
            g.diagnosi = g.tipoErrore;
            g.secondi = 5;
            const bool registrata = r->Registra(g);
            if (guarisci) {
                Scrivi(g.uuid.toString(QUuid::WithoutBraces).toLatin1());
                if (!registrata && r->Trattenute() > 0 && i % 7 == 6) {
                    const rlimit l{RLIM_INFINITY, RLIM_INFINITY}; // space made on the disk
                    ::setrlimit(RLIMIT_FSIZE, &l);
                }
                continue;
            }
            if (!registrata)
                return 3;
            Scrivi(g.uuid.toString(QUuid::WithoutBraces).toLatin1());
        }
        if (guarisci)
            return r->Ospite() ? 3 : r->Riprova() && r->Trattenute() == 0 ? 0 : 5;
        return 0;
    }
    if (a.size() >= 2 && a[1] == QLatin1String("apri")) {
        if (a.contains(QLatin1String("--nessuno")) && ::geteuid() == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                return 4;
        }
        auto r = ApriRegistro({}, avvisa);
        r->ScegliAlunno(r->CreaAlunno(QStringLiteral("Anna"), {}));
        TRispostaGiudicata g;
        g.argomento = QStringLiteral("somma-monomi");
        g.giusta = true;
        const bool fatto = r->Registra(g);
        Scrivi(fatto ? "registrato" : "ospite");
        return 0;
    }
    std::fprintf(stderr, "uso: mevario_registro_figlio scrivi FILE ALUNNO N [--limite BYTE] | apri [--nessuno]\n");
    return 1;
}
