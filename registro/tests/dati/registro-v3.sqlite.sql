-- A record of schema version 3 as the program of that version wrote it (sqlite3 .dump),
-- with an answer still in the outbox. The migration test loads it and opens it with today's program.
CREATE TABLE versione_schema (versione INTEGER NOT NULL);
INSERT INTO versione_schema VALUES(3);
CREATE TABLE alunni (id INTEGER PRIMARY KEY, nome TEXT NOT NULL UNIQUE, classe TEXT NOT NULL DEFAULT '', pin_sale TEXT, pin_chiave TEXT, pin_iterazioni INTEGER, creato INTEGER NOT NULL, pin_sbagliati INTEGER NOT NULL DEFAULT 0, pin_attesa_fino INTEGER NOT NULL DEFAULT 0);
INSERT INTO alunni VALUES(1,'Giulia Bianchi','3A','AAECAwQFBgcICQoLDA0ODw==','IkDqKiJ1SjxGEDVu+OTXrPJa8qw9LRGGbel6i3gSxSw=',1000,1796738269776,0,0);
INSERT INTO alunni VALUES(2,'Luca Verdi','2B',NULL,NULL,NULL,1796738269809,0,0);
INSERT INTO alunni VALUES(3,'luca  verdi',' 2b',NULL,NULL,NULL,1796738269845,0,0);
CREATE TABLE risposte (uuid BLOB NOT NULL PRIMARY KEY, alunno INTEGER NOT NULL REFERENCES alunni (id), argomento TEXT NOT NULL, esercizio TEXT NOT NULL, seme INTEGER, risposta TEXT NOT NULL, giusta INTEGER NOT NULL, diagnosi TEXT NOT NULL, tipo_errore TEXT NOT NULL, ripassa TEXT NOT NULL, soluzione_vista INTEGER NOT NULL, secondi REAL NOT NULL, quando INTEGER NOT NULL, giorno TEXT NOT NULL, computer TEXT NOT NULL) WITHOUT ROWID;
INSERT INTO risposte VALUES(X'00000000000000000000000000001001',1,'somma-monomi','2x+3x',1,'5x',1,'','','',0,3.5,1796112001000,'2026-12-01','aula-1');
INSERT INTO risposte VALUES(X'00000000000000000000000000001002',1,'somma-monomi','2x+3x',2,'6x',0,'Somma i coefficienti.','coefficienti','',0,3.5,1796112002000,'2026-12-01','aula-1');
INSERT INTO risposte VALUES(X'00000000000000000000000000001003',1,'somma-monomi','2x+3x',3,'5x',1,'','','',0,3.5,1796198403000,'2026-12-02','aula-1');
INSERT INTO risposte VALUES(X'00000000000000000000000000001004',2,'somma-monomi','2x+3x',4,'5x',1,'','','',0,3.5,1796284804000,'2026-12-03','aula-1');
INSERT INTO risposte VALUES(X'00000000000000000000000000001005',3,'somma-monomi','2x+3x',5,'6x',0,'Somma i coefficienti.','coefficienti','',0,3.5,1796371205000,'2026-12-04','aula-1');
CREATE TABLE esiti_giorno (alunno INTEGER NOT NULL REFERENCES alunni (id), argomento TEXT NOT NULL, giorno TEXT NOT NULL, giuste INTEGER NOT NULL, sbagliate INTEGER NOT NULL, PRIMARY KEY (alunno, argomento, giorno)) WITHOUT ROWID;
INSERT INTO esiti_giorno VALUES(1,'somma-monomi','2026-12-01',1,1);
INSERT INTO esiti_giorno VALUES(1,'somma-monomi','2026-12-02',1,0);
INSERT INTO esiti_giorno VALUES(2,'somma-monomi','2026-12-03',1,0);
INSERT INTO esiti_giorno VALUES(3,'somma-monomi','2026-12-04',0,1);
CREATE TABLE esiti_argomento (alunno INTEGER NOT NULL REFERENCES alunni (id), argomento TEXT NOT NULL, ultime TEXT NOT NULL, PRIMARY KEY (alunno, argomento)) WITHOUT ROWID;
INSERT INTO esiti_argomento VALUES(1,'somma-monomi','101');
INSERT INTO esiti_argomento VALUES(2,'somma-monomi','1');
INSERT INTO esiti_argomento VALUES(3,'somma-monomi','0');
CREATE TABLE ripasso (alunno INTEGER NOT NULL REFERENCES alunni (id), argomento TEXT NOT NULL, tipo TEXT NOT NULL, scatola INTEGER NOT NULL, scadenza TEXT NOT NULL, PRIMARY KEY (alunno, argomento, tipo)) WITHOUT ROWID;
INSERT INTO ripasso VALUES(1,'somma-monomi','coefficienti',2,'2026-12-03');
INSERT INTO ripasso VALUES(3,'somma-monomi','coefficienti',1,'2026-12-05');
CREATE TABLE uscita (n INTEGER PRIMARY KEY, uuid BLOB NOT NULL UNIQUE REFERENCES risposte (uuid));
INSERT INTO uscita VALUES(1,X'00000000000000000000000000001005');
