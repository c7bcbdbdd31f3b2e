// mevario-registro: the pupils' record from the command line, for teachers
// and scripts: the pupils, a pupil's answers, what is due for review, and
// one pupil's record carried to another computer (esporta, importa), and
// a class's overview as a spreadsheet (classe).
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

#include "Catalogo.h"
#include "Classe.h"
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
               "\n"
               "Comandi (i campi di ogni riga sono separati da una tabulazione):\n"
               "  alunni            un alunno per riga: nome, classe, risposte giuste,\n"
               "                    risposte sbagliate, ultimo giorno di esercizio (\"-\" se\n"
               "                    non si è mai esercitato)\n"
               "  storico ALUNNO [--argomento A] [--dal AAAA-MM-GG]\n"
               "                    una risposta per riga, dalla più vecchia: data e ora,\n"
               "                    argomento, esercizio, risposta come è stata scritta,\n"
               "                    \"giusta\" o \"sbagliata\", diagnosi; --argomento e --dal\n"
               "                    tengono solo un argomento e i giorni da quello indicato\n"
               "  ripasso ALUNNO    ciò che l'alunno deve ripassare oggi, uno per riga:\n"
               "                    argomento, tipo di errore, scatola (da 1 a 5), giorno\n"
               "                    in cui è dovuto\n"
               "  esporta ALUNNO FILE\n"
               "                    scrive in FILE, che non deve esistere, il registro\n"
               "                    dell'alunno (un file JSON da portare su un altro computer)\n"
               "  importa FILE      unisce al registro un file scritto da esporta: l'alunno\n"
               "                    è riconosciuto dal nome (creato se manca) e ogni risposta\n"
               "                    è aggiunta una volta sola, anche importando più volte\n"
               "  classe CLASSE [--dal AAAA-MM-GG] [--al AAAA-MM-GG] (--ods FILE | --csv FILE)\n"
               "                    il quadro della classe: per alunno e argomento le risposte\n"
               "                    giuste, sbagliate e la quota di giuste; gli errori più\n"
               "                    frequenti; chi è in ritardo con il ripasso. --dal e --al\n"
               "                    (compresi) limitano i giorni; --ods scrive un foglio di\n"
               "                    calcolo OpenDocument piatto (.fods, per LibreOffice Calc),\n"
               "                    --csv un file CSV (UTF-8, virgole, quote come frazioni\n"
               "                    con il punto: 0.75); un FILE che esiste è sostituito\n"
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
               "  --help            mostra questo aiuto\n"
               "  --version         mostra la versione\n"
               "\n"
               "Stato d'uscita: 0 riuscito; 1 argomenti sbagliati (il messaggio sullo\n"
               "standard error); 2 registro o file danneggiato, estraneo o inutilizzabile:\n"
               "nulla è stato scritto; 3 il ruolo con cui ci si collega al server non può\n"
               "eseguire il comando (il messaggio dice quale ruolo serve): nulla è cambiato.\n",
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

// Writes the whole file or nothing: a failure leaves what was there.
bool ScriviTutto(const QString& file, const QByteArray& testo, QString* errore)
{
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write(testo) != testo.size() || !f.commit()) {
        *errore = f.errorString();
        return false;
    }
    return true;
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
    if (comando == QLatin1String("esporta") && QFileInfo::exists(c.posizionali[2]))
        return Errore(QStringLiteral("il file «%1» esiste già: scegli un altro nome").arg(c.posizionali[2]));

    const QString db = PercorsoRegistro(c.db);
    const QString percorso = DbMostrato(db); // a server's password never in a message
    TOpzioniRegistro opzioni;
    opzioni.db = db;
    const bool prepara = comando == QLatin1String("prepara");
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
        const QString file = c.ods.isEmpty() ? c.csv : c.ods;
        QString errore;
        if (!ScriviTutto(file, c.ods.isEmpty() ? PanoramicaCsv(*p, ColonneNote()) : PanoramicaFods(*p, ColonneNote()),
                         &errore))
            return Errore(QStringLiteral("non si può scrivere il file «%1»: %2").arg(file, errore));
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
        if (!esito.riuscito)
            return GuastoDopo(r);
        std::printf("%s: %d %s, %d già %s%s.\n", daImportare->nome.toUtf8().constData(), esito.nuove,
                    esito.nuove == 1 ? "risposta nuova" : "risposte nuove", esito.presenti,
                    esito.presenti == 1 ? "presente" : "presenti", esito.alunnoNuovo ? " (alunno nuovo)" : "");
        return 0;
    }

    const QString nome = c.posizionali[1];
    const auto alunno = r.TrovaAlunno(nome);
    if (r.Ospite())
        return GuastoDopo(r);
    if (!alunno)
        return Errore(QStringLiteral("nel registro non c'è l'alunno «%1» (mevario-registro alunni li elenca)").arg(nome));

    if (comando == QLatin1String("storico")) {
        const auto risposte = r.Storico(alunno->id, c.argomento, c.dal);
        if (r.Ospite())
            return GuastoDopo(r);
        for (const auto& s : risposte)
            Riga({s.quando.toLocalTime().toOffsetFromUtc(s.quando.toLocalTime().offsetFromUtc()).toString(Qt::ISODate),
                  s.argomento, s.esercizio, s.risposta,
                  s.giusta ? QStringLiteral("giusta") : QStringLiteral("sbagliata"), s.diagnosi});
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
    const QString file = c.posizionali[2];
    QFile f(file);
    // The owner's only, like the record: it holds the pupil's answers and PIN key.
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return Errore(QStringLiteral("non si può scrivere il file «%1»: %2").arg(file, f.errorString()));
    const QByteArray testo = ScriviEsportazione(*e);
    if (f.write(testo) != testo.size() || !f.flush()) {
        f.close();
        f.remove(); // only what this command made
        return Errore(QStringLiteral("non si può scrivere il file «%1»").arg(file));
    }
    f.close();
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
            x == QLatin1String("--al") || x == QLatin1String("--ods") || x == QLatin1String("--csv")) {
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
