// A private PostgreSQL cluster for the tests and the benchmark: made with
// initdb in a temporary folder, started with pg_ctl on a free port with its
// socket in that folder, stopped and removed at the end. As root the
// server runs as the user nobody (the server refuses to run as root).
// Without `fsync` the server still writes each commit to the system before
// it answers (a stop with -m immediate, like a crash of the server, loses
// nothing); only a power cut would. Local connections (the socket) are trusted; TCP on 127.0.0.1 asks for
// the password KPasswordPg of the superuser "mevario".
#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QUrl>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace mevario::prova {

inline const QString KPasswordPg = QStringLiteral("s3greta;'x y");

class TServerPg {
public:
    // The folder of Debian's PostgreSQL programs; empty when not installed.
    static QString Programmi()
    {
        for (const QString& v : QDir(QStringLiteral("/usr/lib/postgresql"))
                                    .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed)) {
            const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(v);
            if (QFile::exists(bin + QStringLiteral("/initdb")) && QFile::exists(bin + QStringLiteral("/pg_ctl")))
                return bin;
        }
        return {};
    }

    ~TServerPg()
    {
        Ferma();
        if (!FCartella.isEmpty())
            QDir(FCartella).removeRecursively();
    }

    // Makes and starts the cluster with the database "mevario". False, with
    // the reason, when it cannot.
    bool Avvia(QString& errore, bool fsync = false)
    {
        FBin = Programmi();
        if (FBin.isEmpty()) {
            errore = QStringLiteral("PostgreSQL is not installed (Debian package postgresql)");
            return false;
        }
        char modello[] = "/tmp/mevario-pg-XXXXXX";
        if (!::mkdtemp(modello)) {
            errore = QStringLiteral("mkdtemp failed");
            return false;
        }
        FCartella = QString::fromLocal8Bit(modello);
        QFile pw(FCartella + QStringLiteral("/pw"));
        if (!pw.open(QIODevice::WriteOnly) || pw.write(KPasswordPg.toUtf8() + '\n') < 0)
            return Sbaglia(errore, QStringLiteral("cannot write the password file"));
        pw.close();
        if (::geteuid() == 0) {
            const QByteArray c = FCartella.toLocal8Bit();
            if (::chown(c.constData(), 65534, 65534) != 0 || ::chown((c + "/pw").constData(), 65534, 65534) != 0)
                return Sbaglia(errore, QStringLiteral("cannot give the folder to nobody"));
        }
        FPorta = PortaLibera();
        if (!Esegui(FBin + QStringLiteral("/initdb"),
                    {QStringLiteral("-D"), Dati(), QStringLiteral("-U"), QStringLiteral("mevario"),
                     QStringLiteral("--auth-local=trust"), QStringLiteral("--auth-host=scram-sha-256"),
                     QStringLiteral("--pwfile=") + FCartella + QStringLiteral("/pw"), QStringLiteral("-E"),
                     QStringLiteral("UTF8"), QStringLiteral("--no-locale"), QStringLiteral("-N")},
                    true, errore))
            return false;
        FFsync = fsync;
        // The free port may be taken by another test's cluster meanwhile: another one.
        bool avviato = Riavvia(errore);
        for (int prova = 0; !avviato && prova < 3; ++prova) {
            FPorta = PortaLibera();
            avviato = Riavvia(errore);
        }
        if (!avviato)
            return false;
        return Esegui(FBin + QStringLiteral("/createdb"),
                      {QStringLiteral("-h"), FCartella, QStringLiteral("-p"), QString::number(FPorta),
                       QStringLiteral("-U"), QStringLiteral("mevario"), QStringLiteral("mevario")},
                      false, errore);
    }

    // Starts the cluster again (after Ferma), on the same port.
    bool Riavvia(QString& errore)
    {
        const QString o = QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c max_connections=150 "
                                         "-c fsync=%3")
                              .arg(FPorta)
                              .arg(FCartella, FFsync ? QStringLiteral("on") : QStringLiteral("off"));
        FAcceso = Esegui(FBin + QStringLiteral("/pg_ctl"),
                         {QStringLiteral("-D"), Dati(), QStringLiteral("-l"), FCartella + QStringLiteral("/log"),
                          QStringLiteral("-w"), QStringLiteral("-o"), o, QStringLiteral("start")},
                         true, errore);
        return FAcceso;
    }

    void Ferma()
    {
        if (!FAcceso)
            return;
        QString errore;
        Esegui(FBin + QStringLiteral("/pg_ctl"),
               {QStringLiteral("-D"), Dati(), QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("-w"),
                QStringLiteral("stop")},
               true, errore);
        FAcceso = false;
    }

    // The database "mevario" through the socket (no password) or TCP.
    QString Url(const QString& database = QStringLiteral("mevario")) const
    {
        return QStringLiteral("postgresql://mevario@/%1?host=%2&port=%3").arg(database, FCartella).arg(FPorta);
    }
    QString UrlTcp(const QString& password) const
    {
        const QString p = password.isEmpty()
                              ? QString()
                              : QLatin1Char(':') + QString::fromLatin1(QUrl::toPercentEncoding(password));
        return QStringLiteral("postgresql://mevario%1@127.0.0.1:%2/mevario").arg(p).arg(FPorta);
    }
    int Porta() const { return FPorta; }
    QString Cartella() const { return FCartella; }
    QString Programma(const QString& nome) const { return FBin + QLatin1Char('/') + nome; }

    // Runs a client program (createdb, psql) against the cluster.
    bool Client(const QString& nome, QStringList argomenti, QString& errore, QByteArray* uscita = nullptr)
    {
        argomenti = QStringList{QStringLiteral("-h"), FCartella, QStringLiteral("-p"), QString::number(FPorta),
                                QStringLiteral("-U"), QStringLiteral("mevario")} +
                    argomenti;
        return Esegui(Programma(nome), argomenti, false, errore, uscita);
    }

    static int PortaLibera()
    {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = 0;
        socklen_t n = sizeof a;
        int porta = 0;
        if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
            ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &n) == 0)
            porta = ntohs(a.sin_port);
        ::close(s);
        return porta;
    }

private:
    QString Dati() const { return FCartella + QStringLiteral("/dati"); }

    static bool Sbaglia(QString& errore, const QString& perche)
    {
        errore = perche;
        return false;
    }

    // As the server's owner when `proprietario` and running as root.
    bool Esegui(const QString& programma, const QStringList& argomenti, bool proprietario, QString& errore,
                QByteArray* uscita = nullptr)
    {
        QProcess p;
        p.setWorkingDirectory(FCartella);
        p.setProcessChannelMode(QProcess::MergedChannels);
        if (proprietario && ::geteuid() == 0)
            p.start(QStringLiteral("setpriv"), QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                                          QStringLiteral("--clear-groups"), programma} +
                                                   argomenti);
        else
            p.start(programma, argomenti);
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            errore = programma + QStringLiteral(" failed: ") + QString::fromLocal8Bit(p.readAll());
            return false;
        }
        if (uscita)
            *uscita = p.readAll();
        return true;
    }

    QString FBin, FCartella;
    int FPorta = 0;
    bool FAcceso = false, FFsync = false;
};

} // namespace mevario::prova
