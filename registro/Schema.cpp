#include "Schema.h"

namespace mevario {

const std::vector<TMigrazione>& Migrazioni()
{
    static const std::vector<TMigrazione> m{
        {1,
         {
             QStringLiteral("CREATE TABLE versione_schema (versione INTEGER NOT NULL)"),
             QStringLiteral("INSERT INTO versione_schema (versione) VALUES (0)"),
             // A pupil: the PIN only as a salted PBKDF2 key (base64).
             QStringLiteral("CREATE TABLE alunni ("
                            "id {ID}, nome TEXT NOT NULL UNIQUE, classe TEXT NOT NULL DEFAULT '', "
                            "pin_sale TEXT, pin_chiave TEXT, pin_iterazioni INTEGER, creato {INT64} NOT NULL)"),
             // Every judged answer. `uuid` is made where the answer was
             // judged, so a retry or an import never keeps it twice.
             // `quando` in milliseconds since 1970 (UTC); `giorno` the
             // pupil's local day. The answers are found by their uuid only:
             // no second index, because the integrity check at open
             // compares every index with every row, which for a year of
             // answers would cost more than all the rest of opening. The
             // windows never read this table (see the figures below); the
             // command-line tool and an import read it whole.
             QStringLiteral("CREATE TABLE risposte ("
                            "uuid {UUID} NOT NULL PRIMARY KEY, alunno {INT64} NOT NULL REFERENCES alunni (id), "
                            "argomento TEXT NOT NULL, esercizio TEXT NOT NULL, seme {INT64}, risposta TEXT NOT NULL, "
                            "giusta INTEGER NOT NULL, diagnosi TEXT NOT NULL, tipo_errore TEXT NOT NULL, "
                            "ripassa TEXT NOT NULL, soluzione_vista INTEGER NOT NULL, secondi {REALE} NOT NULL, "
                            "quando {INT64} NOT NULL, giorno TEXT NOT NULL, computer TEXT NOT NULL) {SENZA_ROWID}"),
             // Figures kept up to date with every answer (and rebuilt from
             // the answers after an import), so that the progress window
             // and the review never read the whole history.
             QStringLiteral("CREATE TABLE esiti_giorno ("
                            "alunno {INT64} NOT NULL REFERENCES alunni (id), argomento TEXT NOT NULL, "
                            "giorno TEXT NOT NULL, giuste INTEGER NOT NULL, sbagliate INTEGER NOT NULL, "
                            "PRIMARY KEY (alunno, argomento, giorno)) {SENZA_ROWID}"),
             // The last answers of a topic, newest last: "1" right, "0" wrong.
             QStringLiteral("CREATE TABLE esiti_argomento ("
                            "alunno {INT64} NOT NULL REFERENCES alunni (id), argomento TEXT NOT NULL, "
                            "ultime TEXT NOT NULL, PRIMARY KEY (alunno, argomento)) {SENZA_ROWID}"),
             // The review schedule's items that are not yet learnt.
             QStringLiteral("CREATE TABLE ripasso ("
                            "alunno {INT64} NOT NULL REFERENCES alunni (id), argomento TEXT NOT NULL, "
                            "tipo TEXT NOT NULL, scatola INTEGER NOT NULL, scadenza TEXT NOT NULL, "
                            "PRIMARY KEY (alunno, argomento, tipo)) {SENZA_ROWID}"),
         }},
        {2,
         {
             // The class overview and a pupil's history read a pupil's
             // answers in time order, on a server with many pupils. Not in
             // a SQLite file: there the integrity check at open would read
             // the index whole, which costs more than it saves (see above).
             QStringLiteral("{SOLO_SERVER}CREATE INDEX risposte_alunno_quando ON risposte (alunno, quando)"),
             // The outbox of a computer whose record is on a server: the
             // answers kept here that the server has not confirmed yet, in
             // the order they were answered. Written in the same
             // transaction as the answer; emptied as the server commits.
             QStringLiteral("CREATE TABLE uscita (n {ID}, uuid {UUID} NOT NULL UNIQUE REFERENCES risposte (uuid))"),
         }},
        {3,
         {
             // The wrong PIN tries in a row and the end of the wait after
             // three (milliseconds since 1970): kept, so that starting the
             // program again gives no fresh tries.
             QStringLiteral("ALTER TABLE alunni ADD COLUMN pin_sbagliati INTEGER NOT NULL DEFAULT 0"),
             QStringLiteral("ALTER TABLE alunni ADD COLUMN pin_attesa_fino {INT64} NOT NULL DEFAULT 0"),
         }},
        {4,
         {
             // A pupil is a name in a class: the name alone is no longer
             // unique. nome_chiave and classe_chiave are the name and the
             // class as they are compared (ChiaveConfronto), unique together;
             // nome and classe stay as first written. SQLite cannot drop a
             // column's UNIQUE: the table is made again (the record is
             // migrated with its foreign keys off, and the children's
             // references name the table, which keeps its name).
             QStringLiteral("{SOLO_FILE}CREATE TABLE alunni_nuova ("
                            "id {ID}, nome TEXT NOT NULL, classe TEXT NOT NULL DEFAULT '', "
                            "pin_sale TEXT, pin_chiave TEXT, pin_iterazioni INTEGER, creato {INT64} NOT NULL, "
                            "pin_sbagliati INTEGER NOT NULL DEFAULT 0, pin_attesa_fino {INT64} NOT NULL DEFAULT 0, "
                            "nome_chiave TEXT NOT NULL DEFAULT '', classe_chiave TEXT NOT NULL DEFAULT '')"),
             QStringLiteral("{SOLO_FILE}INSERT INTO alunni_nuova (id, nome, classe, pin_sale, pin_chiave, "
                            "pin_iterazioni, creato, pin_sbagliati, pin_attesa_fino) SELECT id, nome, classe, "
                            "pin_sale, pin_chiave, pin_iterazioni, creato, pin_sbagliati, pin_attesa_fino FROM alunni"),
             QStringLiteral("{SOLO_FILE}DROP TABLE alunni"),
             QStringLiteral("{SOLO_FILE}ALTER TABLE alunni_nuova RENAME TO alunni"),
             QStringLiteral("{SOLO_SERVER}ALTER TABLE alunni DROP CONSTRAINT alunni_nome_key"),
             QStringLiteral("{SOLO_SERVER}ALTER TABLE alunni ADD COLUMN nome_chiave TEXT NOT NULL DEFAULT ''"),
             QStringLiteral("{SOLO_SERVER}ALTER TABLE alunni ADD COLUMN classe_chiave TEXT NOT NULL DEFAULT ''"),
             // A computer's pupil whose PIN, chosen while the server was
             // away, came second to another computer's (told at the next
             // "Chi sei?", cleared by the first right PIN).
             QStringLiteral("ALTER TABLE alunni ADD COLUMN pin_altrove INTEGER NOT NULL DEFAULT 0"),
             // The pupils' outbox, sent before the answers' in its order: a
             // pupil made while the server was away (pin 0), a PIN set or
             // removed (pin 1: the new key, null for none, and the key the
             // pupil had before, so that the server takes it only over that
             // one: the first computer to reach the server keeps its PIN).
             QStringLiteral("CREATE TABLE uscita_alunni (n {ID}, alunno {INT64} NOT NULL REFERENCES alunni (id), "
                            "pin INTEGER NOT NULL, pin_sale TEXT, pin_chiave TEXT, pin_iterazioni INTEGER, "
                            "chiave_prima TEXT)"),
         },
         true,
         {
             // A class's pupils are listed by this index too.
             QStringLiteral("CREATE UNIQUE INDEX alunni_classe_nome ON alunni (classe_chiave, nome_chiave)"),
         }},
        {5,
         {
             // A computer whose record is on a server reached with the lab
             // PCs' role: the writing token of the last session of each
             // pupil whose answers it sends (Ruoli.h). It lets only answers
             // be recorded, never anything read.
             QStringLiteral("{SOLO_FILE}CREATE TABLE scritture_server (nome TEXT NOT NULL, classe TEXT NOT NULL, "
                            "scrittura TEXT NOT NULL, PRIMARY KEY (nome, classe)) {SENZA_ROWID}"),
             // The class overview's mistakes, from the wrong answers with a
             // named kind only: their cost follows the class, not the school.
             QStringLiteral("{SOLO_SERVER}CREATE INDEX risposte_errori ON risposte (alunno, giorno, argomento, "
                            "tipo_errore) WHERE giusta = 0 AND tipo_errore <> ''"),
             // The class overview's and the progress window's figures of a
             // pupil over some days, read from the index alone: without it a
             // server reads the figures of the whole school for a class.
             QStringLiteral("{SOLO_SERVER}CREATE INDEX esiti_giorno_alunno_giorno ON esiti_giorno (alunno, giorno) "
                            "INCLUDE (argomento, giuste, sbagliate)"),
         }},
    };
    return m;
}

} // namespace mevario
