// mevario-registro: the pupils' record from the command line, for teachers
// and scripts: the pupils, a pupil's answers, what is due for review, and
// one pupil's record carried to another computer (esporta, importa), and
// a class's overview as a spreadsheet (classe).
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include "Catalogo.h"
#include "Classe.h"
#include "PanoramicaClasse.h"
#include "Documenti.h"
#include "Condiviso.h"
#include "Esportazione.h"
#include "RegistroSql.h"
#include "Ruoli.h"

using namespace mevario;

namespace {

constexpr int KArgomentiSbagliati = 1;
constexpr int KFileInutilizzabile = 2;
constexpr int KRuoloInsufficiente = 3;

void Aiuto(std::FILE* f)
{
    std::fputs("Uso: mevario-registro [--db FILE|URL] COMANDO [ARGOMENTI]\n"
               "\n"
               "Il registro degli alunni di Mevario: chi si è esercitato, con quali risposte,\n"
               "che cosa deve ripassare. Il registro è il file (o il server) indicato da --db,\n"
               "altrimenti dalla variabile d'ambiente MEVARIO_DB, altrimenti dall'impostazione\n"
               "registro/db di /etc/xdg/Mevario/Mevario.conf, altrimenti\n"
               "~/.local/share/Mevario/registro.sqlite (quello del programma). Un registro su\n"
               "un server PostgreSQL si indica con postgresql://UTENTE@SERVER[:PORTA]/DATABASE\n"
               "(opzioni come ?sslmode=require dopo il nome); la password va in ~/.pgpass.\n"
               "Con un server, le risposte e gli alunni che su questo computer aspettano di\n"
               "arrivarci (il server non rispondeva) sono inviati prima di ogni comando.\n"
               "\n"
               "Un alunno è un nome in una classe: lo stesso nome in due classi sono due\n"
               "alunni; maiuscole e spazi ripetuti non contano. Dove ALUNNO non basta\n"
               "(lo stesso nome in più classi) si aggiunge --classe CLASSE.\n"
               "\n"
               "Comandi (i campi di ogni riga sono separati da una tabulazione):\n"
               "  alunni            un alunno per riga: nome, classe, risposte giuste,\n"
               "                    risposte sbagliate, ultimo giorno di esercizio (\"-\" se\n"
               "                    non si è mai esercitato)\n"
               "  storico ALUNNO [--argomento A] [--dal AAAA-MM-GG]\n"
               "                    una risposta per riga, dalla più vecchia: data e ora,\n"
               "                    argomento, esercizio, risposta come è stata scritta,\n"
               "                    \"giusta\" o \"sbagliata\" (o \"forma\": giusta nel valore ma\n"
               "                    non scritta nella forma chiesta, non contata), diagnosi\n"
               "                    (per \"forma\", che cosa cambiare); --argomento e --dal\n"
               "                    tengono solo un argomento e i giorni da quello indicato\n"
               "  ripasso ALUNNO    ciò che l'alunno deve ripassare oggi, uno per riga:\n"
               "                    argomento, tipo di errore, scatola (da 1 a 5), giorno\n"
               "                    in cui è dovuto\n"
               "  esporta ALUNNO FILE\n"
               "                    scrive in FILE, che non deve esistere, il registro\n"
               "                    dell'alunno (un file JSON da portare su un altro computer)\n"
               "  importa FILE      unisce al registro un file scritto da esporta: l'alunno\n"
               "                    è riconosciuto dal nome e dalla classe (creato se manca,\n"
               "                    con il suo PIN) e ogni risposta è aggiunta una volta sola,\n"
               "                    anche importando più volte; se lo stesso nome c'è in\n"
               "                    un'altra classe, lo dice sullo standard error\n"
               "  classe CLASSE [--dal AAAA-MM-GG] [--al AAAA-MM-GG] (--ods FILE | --csv FILE)\n"
               "                    il quadro della classe: per alunno e argomento le risposte\n"
               "                    giuste, sbagliate e la quota di giuste; gli errori più\n"
               "                    frequenti; chi è in ritardo con il ripasso. --dal e --al\n"
               "                    (compresi) limitano i giorni; --ods scrive un foglio di\n"
               "                    calcolo OpenDocument piatto (.fods, per LibreOffice Calc),\n"
               "                    --csv un file CSV (UTF-8, virgole, quote come frazioni\n"
               "                    con il punto: 0.75); un FILE che esiste è sostituito\n"
               "                    (mai il registro stesso, un dispositivo o una cartella)\n"
               "  prepara           crea il registro, o lo aggiorna alla versione di questo\n"
               "                    programma; su un server è il solo comando che lo fa (lo\n"
               "                    esegue il tecnico, una volta, come proprietario del\n"
               "                    database) e dà i diritti ai ruoli mevario_laboratorio\n"
               "                    (i computer degli alunni) e mevario_docenti; ripeterlo\n"
               "                    non cambia nulla\n"
               "\n"
               "Su un server: alunni, storico, ripasso e classe vogliono il ruolo dei docenti\n"
               "o il proprietario del database; esporta, importa e prepara il proprietario.\n"
               "Il ruolo dei computer del laboratorio non legge il registro da qui.\n"
               "\n"
               "  --db FILE|URL     usa il registro FILE, o quello del server URL\n"
               "  --classe CLASSE   la classe di ALUNNO (storico, ripasso, esporta)\n"
               "  --help            mostra questo aiuto\n"
               "  --version         mostra la versione\n"
               "\n"
               "Un file è scritto tutto o per niente: su un disco pieno resta quello di prima.\n"
               "Su un computer dove nessun alunno è stato ancora creato, alunni, storico,\n"
               "ripasso e classe non trovano nessuno (stato 0). Un registro su un disco di\n"
               "sola lettura si legge comunque.\n"
               "\n"
               "Stato d'uscita: 0 riuscito; 1 argomenti sbagliati o file da scrivere non\n"
               "ammesso o non scritto (il messaggio sullo standard error); 2 registro o file\n"
               "danneggiato, estraneo o inutilizzabile: nulla è stato scritto; 3 il ruolo con\n"
               "cui ci si collega al server non può eseguire il comando (il messaggio dice\n"
               "quale ruolo serve): nulla è cambiato.\n",
               f);
}

int Errore(const QString& messaggio, int stato = KArgomentiSbagliati)
{
    std::fprintf(stderr, "mevario-registro: %s\n", messaggio.toUtf8().constData());
    return stato;
}

void Riga(const QStringList& campi)
{
    QStringList puliti;
    for (QString c : campi) {
        // One line per record: tabs and line breaks inside a field become spaces.
        for (QChar& ch : c)
            if (ch == u'\t' || ch == u'\n' || ch == u'\r')
                ch = u' ';
        puliti << c;
    }
    std::printf("%s\n", puliti.join(QLatin1Char('\t')).toUtf8().constData());
}

QString Giorno(QDate d)
{
    return d.isValid() ? d.toString(Qt::ISODate) : QStringLiteral("-");
}

struct TComando {
    QString db;
    QStringList posizionali;
    QString argomento;
    QString classeAlunno; // --classe
    bool conClasse = false;
    QDate dal, al;
    QString ods, csv;
};

// The topics' columns of the class overview, in the menu's order.
std::vector<TColonnaArgomento> ColonneNote()
{
    std::vector<TColonnaArgomento> colonne;
    for (const TNomeBreve& n : NomiBrevi())
        colonne.push_back({QString::fromUtf8(n.nome), QString::fromUtf8(n.breve)});
    return colonne;
}

int Guasto(const TRegistroSql::TApertura& a, const QString& percorso)
{
    if (a.guasto == TGuasto::Mancante)
        return Errore(DescriviGuasto(a.guasto, percorso));
    return Errore(DescriviGuasto(a.guasto, percorso, a.dettaglio) + QStringLiteral(" Nulla è stato scritto."),
                  KFileInutilizzabile);
}

int GuastoDopo(const TRegistroSql& r)
{
    return Errore(DescriviGuasto(r.Guasto(), r.Dove(), r.DettaglioGuasto()) + QStringLiteral(" Nulla è stato scritto."),
                  KFileInutilizzabile);
}

// On a computer whose record is on a server: what waits here for it (the
// program could not send it) is sent first, for a few seconds, and said on
// standard error, with why the server could not be used when it cannot.
void InviaInAttesa(const QString& url)
{
    const QString locale = PercorsoLocale();
    if (!QFileInfo::exists(locale))
        return;
    {
        TOpzioniRegistro o;
        o.db = locale;
        auto a = TRegistroSql::ApriSqlite(locale, o, false);
        if (!a.registro || a.registro->ContaUscita() + a.registro->ContaAlunniInUscita() == 0)
            return;
    }
    TOpzioniRegistro o;
    o.db = url;
    o.riprovaMs = 500;
    QString avviso;
    auto r = ApriRegistroCondiviso(url, o, [&](const QString& m) { avviso = m; });
    auto* c = dynamic_cast<TRegistroCondiviso*>(r.get());
    if (!c)
        return;
    const int prima = c->InAttesa();
    c->SvuotaUscita(5000);
    const int restano = c->InAttesa();
    if (prima > restano)
        std::fprintf(stderr, "mevario-registro: %d %s in attesa su questo computer %s al server.\n", prima - restano,
                     prima - restano == 1 ? "risposta" : "risposte", prima - restano == 1 ? "inviata" : "inviate");
    if (restano > 0 || c->AlunniInAttesa() > 0) {
        const QString perche = c->UltimoGuasto();
        std::fprintf(stderr, "mevario-registro: %d %s ancora in attesa su questo computer%s%s\n", restano,
                     restano == 1 ? "risposta" : "risposte", perche.isEmpty() ? "." : ": ",
                     perche.toUtf8().constData());
    }
}

int Esegui(const TComando& c)
{
    const QString comando = c.posizionali.value(0);
    static const QMap<QString, int> argomentiDi{
        {QStringLiteral("alunni"), 1},  {QStringLiteral("storico"), 2}, {QStringLiteral("ripasso"), 2},
        {QStringLiteral("esporta"), 3}, {QStringLiteral("importa"), 2}, {QStringLiteral("classe"), 2},
        {QStringLiteral("prepara"), 1},
    };
    if (!argomentiDi.contains(comando))
        return Errore(comando.isEmpty() ? QStringLiteral("manca il comando (mevario-registro --help)")
                                        : QStringLiteral("comando sconosciuto: '%1' (mevario-registro --help)").arg(comando));
    if (c.posizionali.size() != argomentiDi[comando])
        return Errore(QStringLiteral("numero di argomenti sbagliato per '%1' (mevario-registro --help)").arg(comando));
    const bool classe = comando == QLatin1String("classe");
    if (c.conClasse && comando != QLatin1String("storico") && comando != QLatin1String("ripasso") &&
        comando != QLatin1String("esporta"))
        return Errore(QStringLiteral("--classe vale solo per storico, ripasso ed esporta"));
    if (!c.argomento.isEmpty() && comando != QLatin1String("storico"))
        return Errore(QStringLiteral("--argomento vale solo per storico"));
    if (c.dal.isValid() && comando != QLatin1String("storico") && !classe)
        return Errore(QStringLiteral("--dal vale solo per storico e classe"));
    if ((c.al.isValid() || !c.ods.isEmpty() || !c.csv.isEmpty()) && !classe)
        return Errore(QStringLiteral("--al, --ods e --csv valgono solo per classe"));
    if (classe) {
        if (c.posizionali[1].trimmed().isEmpty())
            return Errore(QStringLiteral("manca il nome della classe"));
        if (c.ods.isEmpty() == c.csv.isEmpty())
            return Errore(QStringLiteral("classe vuole --ods FILE oppure --csv FILE (uno dei due)"));
        if (c.dal.isValid() && c.al.isValid() && c.dal > c.al)
            return Errore(QStringLiteral("--dal %1 viene dopo --al %2").arg(c.dal.toString(Qt::ISODate),
                                                                            c.al.toString(Qt::ISODate)));
    }

    // The file to import is read, and checked whole, before the record is opened.
    std::optional<TEsportazione> daImportare;
    if (comando == QLatin1String("importa")) {
        const QString nome = c.posizionali[1];
        QFile f(nome);
        if (!QFileInfo(nome).isFile() || !f.open(QIODevice::ReadOnly))
            return Errore(QStringLiteral("non si può leggere il file «%1»").arg(nome));
        if (f.size() > KMassimoEsportazione)
            return Errore(QStringLiteral("«%1»: il file è troppo grande. Nulla è stato scritto.").arg(nome),
                          KFileInutilizzabile);
        auto letto = LeggiEsportazione(f.readAll());
        if (!letto.dati)
            return Errore(QStringLiteral("«%1»: %2. Nulla è stato scritto.").arg(nome, letto.errore), KFileInutilizzabile);
        daImportare = std::move(letto.dati);
    }

    const QString db = PercorsoRegistro(c.db);
    const QString percorso = DbMostrato(db); // a server's password never in a message
    // The file this command writes is checked before the record is opened:
    // never the record itself (nor its journal files), a device or a folder.
    if (!IndirizzoServer(db))
        ProteggiFile(db);
    const QString uscita = comando == QLatin1String("esporta") ? c.posizionali[2] : c.ods.isEmpty() ? c.csv : c.ods;
    if (!uscita.isEmpty()) {
        const QString vietata = DestinazioneVietata(uscita);
        if (!vietata.isEmpty())
            return Errore(vietata + QStringLiteral(". Nulla è stato scritto."));
    }
    if (comando == QLatin1String("esporta") && QFileInfo::exists(uscita))
        return Errore(QStringLiteral("il file «%1» esiste già: scegli un altro nome").arg(uscita));

    TOpzioniRegistro opzioni;
    opzioni.db = db;
    const bool prepara = comando == QLatin1String("prepara");
    // The commands that only read open a record they cannot write (a
    // read-only disk, a copy without permission) read-only.
    opzioni.soloLettura = !prepara && !daImportare;
    if (IndirizzoServer(db))
        InviaInAttesa(db);
    // On a server, who may do what (Ruoli.h): asked before anything is
    // written, so that a refused command changes nothing.
    const bool proprietario = prepara || daImportare || comando == QLatin1String("esporta");
    auto apertura = TRegistroSql::Apri(db, opzioni, daImportare.has_value(), false);
    if (apertura.registro && apertura.registro->Server()) {
        const TRuoloServer ruolo = apertura.registro->Ruolo();
        if ((proprietario && ruolo != TRuoloServer::Proprietario) || ruolo == TRuoloServer::Laboratorio)
            return Errore(QStringLiteral("il comando «%1» vuole %2; il ruolo %3 non può eseguirlo. Nulla è cambiato.")
                              .arg(comando,
                                   proprietario ? QStringLiteral("il proprietario del database (il tecnico)")
                                                : QStringLiteral("il ruolo dei docenti («%1») o il proprietario del "
                                                                 "database")
                                                      .arg(KRuoloDocenti),
                                   ruolo == TRuoloServer::Laboratorio
                                       ? QStringLiteral("dei computer del laboratorio («%1»)").arg(KRuoloLaboratorio)
                                       : QStringLiteral("dei docenti («%1»)").arg(KRuoloDocenti)),
                          KRuoloInsufficiente);
    }
    if (prepara && (apertura.registro || apertura.guasto == TGuasto::DaPreparare || !IndirizzoServer(db))) {
        apertura.registro.reset();
        apertura = TRegistroSql::Apri(db, opzioni, false, true);
    }
    // No pupil has been made on this computer yet: its record is not there,
    // and the commands that list pupils answer with nobody.
    if (!apertura.registro && apertura.guasto == TGuasto::Mancante && c.db.isEmpty() && db == PercorsoLocale() &&
        comando != QLatin1String("esporta") && !daImportare) {
        if (comando != QLatin1String("alunni"))
            std::fprintf(stderr, "mevario-registro: su questo computer non è ancora stato creato nessun alunno "
                                 "(il registro «%s» non c'è ancora).\n",
                         percorso.toUtf8().constData());
        return 0;
    }
    if (!apertura.registro)
        return Guasto(apertura, percorso);
    TRegistroSql& r = *apertura.registro;
    if (prepara) {
        std::printf("Il registro «%s» è pronto.\n", percorso.toUtf8().constData());
        for (const QString& avviso : r.AvvisiRuoli())
            std::fprintf(stderr, "mevario-registro: %s\n", avviso.toUtf8().constData());
        return 0;
    }

    if (classe) {
        const auto p = r.PanoramicaClasse(c.posizionali[1], c.dal, c.al, QDate::currentDate());
        if (!p)
            return GuastoDopo(r);
        if (p->alunni.isEmpty())
            return Errore(QStringLiteral("nessun alunno nella classe «%1» (mevario-registro alunni li elenca)")
                              .arg(c.posizionali[1]));
        const QString file = uscita;
        TModoScrittura modo;
        modo.sostituisci = true;
        const TEsitoScrittura scritto = ScriviFileIntero(
            file, c.ods.isEmpty() ? PanoramicaCsv(*p, ColonneNote()) : PanoramicaFods(*p, ColonneNote()), modo);
        if (!scritto.scritto)
            return Errore(scritto.errore + (scritto.vietato ? QStringLiteral(". Nulla è stato scritto.") : QString()));
        std::printf("%s: %lld %s in «%s».\n", p->classe.toUtf8().constData(), static_cast<long long>(p->alunni.size()),
                    p->alunni.size() == 1 ? "alunno" : "alunni", file.toUtf8().constData());
        return 0;
    }
    if (comando == QLatin1String("alunni")) {
        const auto righe = r.RigheAlunni();
        if (r.Ospite())
            return GuastoDopo(r);
        for (const auto& a : righe)
            Riga({a.alunno.nome, a.alunno.classe, QString::number(a.giuste), QString::number(a.sbagliate),
                  Giorno(a.ultimoGiorno)});
        return 0;
    }
    if (daImportare) {
        const auto esito = r.Importa(*daImportare);
        if (!esito.rifiuto.isEmpty())
            return Errore(QStringLiteral("«%1»: %2. Nulla è stato scritto.").arg(c.posizionali[1], esito.rifiuto),
                          KFileInutilizzabile);
        if (!esito.riuscito)
            return GuastoDopo(r);
        std::printf("%s: %d %s, %d già %s%s.\n", daImportare->nome.toUtf8().constData(), esito.nuove,
                    esito.nuove == 1 ? "risposta nuova" : "risposte nuove", esito.presenti,
                    esito.presenti == 1 ? "presente" : "presenti", esito.alunnoNuovo ? " (alunno nuovo)" : "");
        // Never merged into a pupil of another class: said.
        if (!esito.altreClassi.isEmpty())
            std::fprintf(stderr, "mevario-registro: attenzione: «%s» del file è della classe «%s»; nel registro c'è "
                                 "lo stesso nome in %s «%s»: è un altro alunno, non sono stati uniti.\n",
                         daImportare->nome.toUtf8().constData(), daImportare->classe.toUtf8().constData(),
                         esito.altreClassi.size() == 1 ? "classe" : "classi",
                         esito.altreClassi.join(QStringLiteral("», «")).toUtf8().constData());
        if (esito.scrittoAltrimenti)
            std::fprintf(stderr, "mevario-registro: «%s» (%s) del file è l'alunno già nel registro come «%s» (%s).\n",
                         daImportare->nome.toUtf8().constData(), daImportare->classe.toUtf8().constData(),
                         r.TrovaAlunno(daImportare->nome, daImportare->classe)->nome.toUtf8().constData(),
                         r.TrovaAlunno(daImportare->nome, daImportare->classe)->classe.toUtf8().constData());
        return 0;
    }

    const QString nome = c.posizionali[1];
    const auto alunno = c.conClasse ? r.TrovaAlunno(nome, c.classeAlunno) : r.TrovaAlunno(nome);
    if (r.Ospite())
        return GuastoDopo(r);
    if (!alunno) {
        QStringList classi;
        for (const TAlunno& a : r.Alunni())
            if (ChiaveConfronto(a.nome) == ChiaveConfronto(nome))
                classi << a.classe;
        if (!c.conClasse && classi.size() > 1)
            return Errore(QStringLiteral("ci sono più alunni «%1», nelle classi «%2»: indica quale con --classe CLASSE")
                              .arg(nome, classi.join(QStringLiteral("», «"))));
        return Errore(c.conClasse ? QStringLiteral("nel registro non c'è l'alunno «%1» nella classe «%2» "
                                                   "(mevario-registro alunni li elenca)")
                                        .arg(nome, c.classeAlunno)
                                  : QStringLiteral("nel registro non c'è l'alunno «%1» (mevario-registro alunni li elenca)")
                                        .arg(nome));
    }

    if (comando == QLatin1String("storico")) {
        const auto risposte = r.Storico(alunno->id, c.argomento, c.dal);
        if (r.Ospite())
            return GuastoDopo(r);
        for (const auto& s : risposte)
            Riga({s.quando.toLocalTime().toOffsetFromUtc(s.quando.toLocalTime().offsetFromUtc()).toString(Qt::ISODate),
                  s.argomento, s.esercizio, s.risposta,
                  s.giusta   ? QStringLiteral("giusta")
                  : s.Forma() ? QStringLiteral("forma")
                              : QStringLiteral("sbagliata"),
                  s.diagnosi});
        return 0;
    }
    if (comando == QLatin1String("ripasso")) {
        const auto voci = r.RipassoDovuto(alunno->id, QDate::currentDate());
        if (r.Ospite())
            return GuastoDopo(r);
        for (const auto& v : voci)
            Riga({v.argomento, v.tipo, QString::number(v.scatola), Giorno(v.scadenza)});
        return 0;
    }
    // esporta
    const auto e = r.Esporta(alunno->id);
    if (!e)
        return GuastoDopo(r);
    const QString file = uscita;
    // The owner's only, like the record: it holds the pupil's answers and PIN key.
    TModoScrittura modo;
    modo.privato = true;
    const TEsitoScrittura scritto = ScriviFileIntero(file, ScriviEsportazione(*e), modo);
    if (!scritto.scritto)
        return Errore(scritto.errore + (scritto.vietato ? QStringLiteral(". Nulla è stato scritto.") : QString()));
    std::printf("%s: %lld %s in «%s».\n", e->nome.toUtf8().constData(), static_cast<long long>(e->risposte.size()),
                e->risposte.size() == 1 ? "risposta" : "risposte", file.toUtf8().constData());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    TComando c;
    for (int i = 1; i < a.size(); ++i) {
        const QString& x = a[i];
        if (x == QLatin1String("--help") || x == QLatin1String("-h")) {
            Aiuto(stdout);
            return 0;
        }
        if (x == QLatin1String("--version")) {
            std::printf("mevario-registro %s\n", MEVARIO_VERSION);
            return 0;
        }
        if (x == QLatin1String("--db") || x == QLatin1String("--argomento") || x == QLatin1String("--dal") ||
            x == QLatin1String("--al") || x == QLatin1String("--ods") || x == QLatin1String("--csv") ||
            x == QLatin1String("--classe")) {
            if (i + 1 >= a.size())
                return Errore(QStringLiteral("%1 vuole un valore").arg(x));
            const QString v = a[++i];
            if (x == QLatin1String("--db")) {
                if (v.isEmpty())
                    return Errore(QStringLiteral("--db vuole il nome di un file o l'indirizzo di un server"));
                const auto server = IndirizzoServer(v) ? LeggiIndirizzoServer(v) : std::nullopt;
                if (server && !server->password.isEmpty())
                    std::fprintf(stderr, "mevario-registro: attenzione: la password scritta in --db è visibile agli "
                                         "altri utenti di questo computer (nell'elenco dei processi); meglio "
                                         "scriverla in ~/.pgpass (permessi 0600).\n");
                c.db = v;
            } else if (x == QLatin1String("--argomento")) {
                if (!TrovaArgomento(v.toStdString()))
                    return Errore(QStringLiteral("argomento sconosciuto: '%1' (mevario-esercizi --help li elenca)").arg(v));
                c.argomento = v;
            } else if (x == QLatin1String("--classe")) {
                c.classeAlunno = v;
                c.conClasse = true;
            } else if (x == QLatin1String("--ods") || x == QLatin1String("--csv")) {
                if (v.isEmpty())
                    return Errore(QStringLiteral("%1 vuole il nome di un file").arg(x));
                (x == QLatin1String("--ods") ? c.ods : c.csv) = v;
            } else {
                const QDate d = QDate::fromString(v, QStringLiteral("yyyy-MM-dd"));
                if (!d.isValid())
                    return Errore(QStringLiteral("data non valida: '%1' (si scrive AAAA-MM-GG)").arg(v));
                (x == QLatin1String("--dal") ? c.dal : c.al) = d;
            }
            continue;
        }
        if (x.startsWith(QLatin1Char('-')) && x.size() > 1)
            return Errore(QStringLiteral("opzione sconosciuta: '%1' (mevario-registro --help)").arg(x));
        c.posizionali << x;
    }
    return Esegui(c);
}
