#include "Apertura.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace mevario {

namespace {

// The MIME type of a kind of document (flat OpenDocument), and the
// Debian package of LibreOffice's full program for it.
const char* MimeTipo(TTipoDocumento t)
{
    switch (t) {
    case TTipoDocumento::FoglioDiCalcolo:
        return "application/vnd.oasis.opendocument.spreadsheet-flat-xml";
    case TTipoDocumento::Pdf:
        return "application/pdf";
    case TTipoDocumento::Testo:
        break;
    }
    return "application/vnd.oasis.opendocument.text-flat-xml";
}
const char* PacchettoCompleto(TTipoDocumento t)
{
    return t == TTipoDocumento::FoglioDiCalcolo ? "libreoffice-calc" : "libreoffice-writer";
}

TApertura::TAvviso& Avviso()
{
    static TApertura::TAvviso a;
    return a;
}

// The busy cursor and the notice are shared by the openings under way: the
// first puts them up, the last takes them away.
int& InAttesa()
{
    static int n = 0;
    return n;
}

void InizioAttesa()
{
    if (InAttesa()++ > 0)
        return;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    if (Avviso())
        Avviso()(QStringLiteral("Apertura del documento…"));
}

void FineAttesa()
{
    if (--InAttesa() > 0)
        return;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::restoreOverrideCursor();
    if (Avviso())
        Avviso()(QString());
}

QProcess* NuovoProcesso(QObject* padre)
{
    auto* p = new QProcess(padre);
    // No pipes to a program that may outlive the watch (or the program).
    p->setStandardInputFile(QProcess::nullDevice());
    p->setStandardErrorFile(QProcess::nullDevice());
    return p;
}

class TAperturaInCorso;

// Every opening not yet over. A program still running when the watch ends
// keeps its opening here until it exits; at the end of the run it is left
// running (a process object destroyed would kill it).
std::vector<TAperturaInCorso*>& Aperture()
{
    // Never destroyed: what it holds outlives the run on purpose.
    static auto* v = new std::vector<TAperturaInCorso*>;
    return *v;
}

class TAperturaInCorso : public QObject {
public:
    TAperturaInCorso(const QString& file, TTipoDocumento tipo, std::function<void(const QString&)> fallito)
        : FFile(file), FTipo(tipo), FFallito(std::move(fallito))
    {
    }

    bool Osservata() const { return !FDeciso || FAvviso; }

    void Avvia()
    {
        InizioAttesa();
        FAvviso = true;
        QTimer::singleShot(TApertura::DurataAvviso, this, [this] { FineAvviso(); });
        if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            connect(app, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
                // The word processor's window has taken the focus.
                if (s != Qt::ApplicationActive && FAvviato)
                    FineAvviso();
            });
        Rileva();
    }

private:
    // Runs a short query; `fatto(riuscito, codice, uscita)`. One that has not
    // answered within AttesaEsito is stopped and counts as failed.
    void Chiedi(const QString& programma, const QStringList& argomenti,
                std::function<void(bool, int, const QByteArray&)> fatto)
    {
        QProcess* p = NuovoProcesso(this);
        auto finito = std::make_shared<bool>(false);
        auto fine = [this, p, finito, fatto](bool normale, int codice) {
            if (*finito)
                return;
            *finito = true;
            const QByteArray uscita = normale ? p->readAllStandardOutput() : QByteArray();
            if (p->state() != QProcess::NotRunning)
                p->kill();
            p->deleteLater();
            fatto(normale, codice, uscita);
        };
        connect(p, &QProcess::finished, this,
                [fine](int codice, QProcess::ExitStatus s) { fine(s == QProcess::NormalExit, codice); });
        connect(p, &QProcess::errorOccurred, this, [fine](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart)
                fine(false, -1);
        });
        QTimer::singleShot(TApertura::AttesaEsito, p, [fine] { fine(false, -1); });
        p->start(programma, argomenti);
    }

    // Which LibreOffice is installed, from Debian's package database.
    void Rileva()
    {
        const QString dpkg = QStandardPaths::findExecutable(QStringLiteral("dpkg-query"));
        // A PDF is the desktop's viewer's: LibreOffice does not show it.
        if (dpkg.isEmpty() || FTipo == TTipoDocumento::Pdf) {
            ChiediGestore();
            return;
        }
        Chiedi(dpkg,
               {QStringLiteral("-W"), QStringLiteral("-f=${Package} ${Status}\\n"),
                QString::fromLatin1(PacchettoCompleto(FTipo)), QStringLiteral("libreoffice-core-nogui")},
               [this](bool, int, const QByteArray& uscita) {
                   // "libreoffice-writer install ok installed"; a package
                   // never installed is left out or has another status.
                   for (const QByteArray& riga : uscita.split('\n')) {
                       const QList<QByteArray> p = riga.simplified().split(' ');
                       if (p.size() != 4 || p[2] != "ok" || p[3] != "installed")
                           continue;
                       if (p[0] == PacchettoCompleto(FTipo))
                           FProgrammi.WriterCompleto = true;
                       else if (p[0] == "libreoffice-core-nogui")
                           FProgrammi.SenzaFinestre = true;
                   }
                   ChiediGestore();
               });
    }

    // The desktop's application for the type.
    void ChiediGestore()
    {
        FProgrammi.XdgOpen = !QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty();
        const QString mime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
        if (!FProgrammi.XdgOpen || mime.isEmpty()) {
            Scegli();
            return;
        }
        Chiedi(mime, {QStringLiteral("query"), QStringLiteral("default"), QString::fromLatin1(MimeTipo(FTipo))},
               [this](bool normale, int codice, const QByteArray& uscita) {
                   if (normale && codice == 0) {
                       FProgrammi.GestoreNoto = true;
                       FProgrammi.Gestore = QString::fromLocal8Bit(uscita).trimmed();
                   }
                   Scegli();
               });
    }

    void Scegli()
    {
        QString motivo;
        FProgrammiDaProvare = ProgrammiPerAprire(FProgrammi, &motivo, FTipo);
        if (FProgrammiDaProvare.empty())
            FMotivi << motivo;
        Prova();
    }

    // The next program; the first that does not fail has opened the document.
    void Prova()
    {
        if (FProssimo >= FProgrammiDaProvare.size()) {
            Fallito();
            return;
        }
        const QString nome = FProgrammiDaProvare[FProssimo++];
        const QString programma = QStandardPaths::findExecutable(nome);
        if (programma.isEmpty()) {
            FMotivi << Motivo(nome, QStringLiteral("non c'è"), FTipo);
            Prova();
            return;
        }
        FAvviato = true;
        QProcess* p = NuovoProcesso(this);
        p->setStandardOutputFile(QProcess::nullDevice());
        auto deciso = std::make_shared<bool>(false);
        connect(p, &QProcess::errorOccurred, this, [this, p, nome, deciso](QProcess::ProcessError e) {
            if (e != QProcess::FailedToStart || *deciso)
                return;
            *deciso = true;
            p->deleteLater();
            FMotivi << Motivo(nome, QStringLiteral("non è partito"), FTipo);
            Prova();
        });
        connect(p, &QProcess::finished, this, [this, p, nome, deciso](int codice, QProcess::ExitStatus s) {
            p->deleteLater();
            if (*deciso) {
                // Exited after the watch: its status says nothing any more.
                FInEsecuzione = nullptr;
                QTimer::singleShot(0, this, [this] { Concludi(); });
                return;
            }
            *deciso = true;
            if (s == QProcess::NormalExit && codice == 0) {
                Riuscito();
                return;
            }
            FMotivi << Motivo(nome, s == QProcess::NormalExit ? QStringLiteral("ha risposto con il codice %1").arg(codice)
                                                             : QStringLiteral("si è interrotto"),
                              FTipo);
            Prova();
        });
        // Still running: it has the document (the desktop's launcher may
        // wait for the word processor to be closed).
        QTimer::singleShot(TApertura::AttesaEsito, p, [this, p, deciso] {
            if (*deciso)
                return;
            *deciso = true;
            FInEsecuzione = p;
            Riuscito();
        });
        p->start(programma, {FFile});
    }

    static QString Motivo(const QString& programma, const QString& cosa, TTipoDocumento tipo)
    {
        if (programma == QLatin1String("xdg-open"))
            return QStringLiteral("il programma del desktop per questi documenti (xdg-open) ") + cosa;
        return (tipo == TTipoDocumento::FoglioDiCalcolo ? QStringLiteral("LibreOffice Calc (soffice) ")
                                                        : QStringLiteral("LibreOffice Writer (soffice) ")) +
               cosa;
    }

    void Riuscito()
    {
        FDeciso = true;
        Concludi();
    }

    void Fallito()
    {
        FDeciso = true;
        const auto fallito = std::move(FFallito);
        const QString motivo = FMotivi.join(QStringLiteral("; "));
        FineAvviso(); // the cursor and the notice go before the message comes
        if (fallito)
            fallito(motivo);
    }

    void FineAvviso()
    {
        if (FAvviso) {
            FAvviso = false;
            FineAttesa();
        }
        Concludi();
    }

    void Concludi()
    {
        if (Osservata() || FInEsecuzione)
            return;
        auto& v = Aperture();
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        deleteLater();
    }

    QString FFile;
    TTipoDocumento FTipo;
    std::function<void(const QString&)> FFallito;
    TProgrammiDocumento FProgrammi;
    std::vector<QString> FProgrammiDaProvare;
    std::size_t FProssimo = 0;
    QStringList FMotivi;
    bool FAvviso = false;  // the busy cursor and the notice are up for this one
    bool FAvviato = false; // a program was started
    bool FDeciso = false;  // opened, or known that nothing opens it
    QPointer<QProcess> FInEsecuzione;
};

} // namespace

TTipoDocumento TipoDocumento(const QString& file)
{
    if (file.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return TTipoDocumento::Pdf;
    return file.endsWith(QLatin1String(".fods"), Qt::CaseInsensitive) ? TTipoDocumento::FoglioDiCalcolo
                                                                       : TTipoDocumento::Testo;
}

std::vector<QString> ProgrammiPerAprire(const TProgrammiDocumento& p, QString* motivo, TTipoDocumento tipo)
{
    std::vector<QString> r;
    // Debian's LibreOffice entries run the system's soffice, headless while
    // libreoffice-core-nogui is installed; without xdg-mime the desktop's
    // choice is unknown and could be one of them.
    const bool gestoreSenzaFinestre =
        p.SenzaFinestre && (!p.GestoreNoto || p.Gestore.startsWith(QLatin1String("libreoffice-")));
    if (p.XdgOpen && !(p.GestoreNoto && p.Gestore.isEmpty()) && !gestoreSenzaFinestre)
        r.push_back(QStringLiteral("xdg-open"));
    if (tipo == TTipoDocumento::Pdf) {
        // Only the desktop's viewer: whatever LibreOffice is installed
        // plays no part.
        if (p.XdgOpen && !(p.GestoreNoto && p.Gestore.isEmpty()))
            r.push_back(QStringLiteral("xdg-open"));
        else if (motivo)
            *motivo = QStringLiteral("sul computer non c'è un programma che mostri i documenti PDF");
        return r;
    }
    if (p.WriterCompleto)
        r.push_back(QStringLiteral("soffice"));
    if (r.empty() && motivo && tipo == TTipoDocumento::FoglioDiCalcolo)
        *motivo = p.SenzaFinestre
                      ? QStringLiteral("sul computer c'è soltanto LibreOffice senza finestre, che non mostra i "
                                       "documenti; per vedere i fogli di calcolo serve LibreOffice Calc "
                                       "(il pacchetto libreoffice-calc)")
                      : QStringLiteral("sul computer non c'è un programma che apra i fogli di calcolo "
                                       "OpenDocument, come LibreOffice Calc");
    else if (r.empty() && motivo)
        *motivo = p.SenzaFinestre
                      ? QStringLiteral("sul computer c'è soltanto LibreOffice senza finestre (libreoffice-writer-nogui), "
                                       "che non mostra i documenti; per vederli serve LibreOffice Writer "
                                       "(il pacchetto libreoffice-writer)")
                      : QStringLiteral("sul computer non c'è un programma che apra i documenti di testo "
                                       "OpenDocument, come LibreOffice Writer");
    return r;
}

void TApertura::ImpostaAvviso(TAvviso a) { Avviso() = std::move(a); }

void TApertura::Apri(const QString& file, std::function<void(const QString& motivo)> fallito)
{
    Apri(file, TipoDocumento(file), std::move(fallito));
}

void TApertura::Apri(const QString& file, TTipoDocumento tipo, std::function<void(const QString& motivo)> fallito)
{
    auto* a = new TAperturaInCorso(file, tipo, std::move(fallito));
    Aperture().push_back(a);
    a->Avvia();
}

int TApertura::InCorso()
{
    return static_cast<int>(
        std::count_if(Aperture().begin(), Aperture().end(), [](const TAperturaInCorso* a) { return a->Osservata(); }));
}

} // namespace mevario
