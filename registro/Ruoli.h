// The rights on a school's server (PostgreSQL), set by `prepara`.
//
// Three kinds of connection:
//   - the owner of the database (the technician): prepares the schema,
//     imports, exports; everything;
//   - the teachers' role (KRuoloDocenti): reads the whole school and
//     manages the pupils (makes them, changes name, class and PIN), but
//     never reads a PIN's salt or key and never writes an answer;
//   - the lab PCs' role (KRuoloLaboratorio): no right on any table. It
//     reaches the data only through the functions below, each SECURITY
//     DEFINER (run with the owner's rights) with a fixed search_path, so
//     that nothing the caller sets (a schema of its own, a function of the
//     same name) is run with those rights.
//
// Why functions rather than row-level security: what a lab PC may do is
// not "these rows": the PIN is checked with a key the caller must never
// read; the wait after three wrong tries must be kept whatever the caller
// does; an answer is recorded once and the pupil's figures and review
// schedule follow from it, which the caller must not be able to write.
// A function does exactly one of those things; a policy on a table could
// only let the caller read or write the rows themselves.
//
// A session: after the PIN is checked on the server, the function returns
// a random token (the session, kept by the program in memory only) whose
// second hash is stored on the server. Reading a pupil's own figures,
// history and review needs the session; recording an answer needs its
// hash (the "writing token"), which the program also keeps with its
// outbox, so that answers given in a session still leave after a restart
// and a copy of the outbox never lets anyone read the pupil's work.
//
// A PIN try cannot be undone by rolling back: the try is recorded by one
// call (mevario_prova_pin), which returns a ticket, and its result is told
// only by a second call in a later transaction (mevario_esito_pin), so a
// result is known only after the try and its count were committed; one
// try per transaction.
#pragma once

#include <QString>
#include <QStringList>

namespace mevario {

inline const QString KRuoloLaboratorio = QStringLiteral("mevario_laboratorio");
inline const QString KRuoloDocenti = QStringLiteral("mevario_docenti");

// How long a session may read (hours) and its writing token write (days).
constexpr int KOreSessione = 12;
constexpr int KGiorniScrittura = 7;

// The statements that make (or make again) the server's functions and the
// rights of the two roles, in the schema `schema`. Each of the roles only
// when it exists (`laboratorio`, `docenti`).
QStringList IstruzioniRuoli(const QString& schema, bool laboratorio, bool docenti);

// The writing token of a session: its hash (SHA-256, hexadecimal).
QString ImprontaSessione(const QString& sessione);

} // namespace mevario
