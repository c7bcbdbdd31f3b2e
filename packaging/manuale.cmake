# Writes one manual page from a program's --help with help2man, in Italian:
#   cmake -DHELP2MAN=... -DPROGRAMMA=... -DNOME=... -DUSCITA=file.1 -P manuale.cmake
# help2man runs in a UTF-8 locale (in its default C locale every accented
# letter of the help becomes "??"); its English section headings and month
# become Italian.
foreach(v HELP2MAN PROGRAMMA NOME USCITA)
  if(NOT DEFINED ${v})
    message(FATAL_ERROR "manuale.cmake: manca ${v}")
  endif()
endforeach()
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{LC_ALL} C.UTF-8)
execute_process(
  COMMAND ${HELP2MAN} --locale=C.UTF-8 --no-info --no-discard-stderr "--manual=Comandi utente" "--name=${NOME}"
          --output=${USCITA} ${PROGRAMMA}
  RESULT_VARIABLE esito)
if(NOT esito EQUAL 0)
  message(FATAL_ERROR "help2man non ha scritto ${USCITA}")
endif()
file(READ ${USCITA} pagina)
foreach(coppia "NAME|NOME" "SYNOPSIS|SINTASSI" "DESCRIPTION|DESCRIZIONE" "OPTIONS|OPZIONI" "EXAMPLES|ESEMPI"
               "AUTHOR|AUTORE" "\"REPORTING BUGS\"|\"SEGNALAZIONE DEI BUG\"" "\"SEE ALSO\"|\"VEDERE ANCHE\""
               "ENVIRONMENT|AMBIENTE" "FILES|FILE")
  string(REPLACE "|" ";" coppia "${coppia}")
  list(GET coppia 0 inglese)
  list(GET coppia 1 italiano)
  string(REPLACE "\n.SH ${inglese}\n" "\n.SH ${italiano}\n" pagina "${pagina}")
endforeach()
set(mesi January gennaio February febbraio March marzo April aprile May maggio June giugno July luglio
         August agosto September settembre October ottobre November novembre December dicembre)
while(mesi)
  list(POP_FRONT mesi inglese italiano)
  string(REGEX REPLACE "(\n\\.TH [^\n]*\")${inglese} " "\\1${italiano} " pagina "${pagina}")
endwhile()
file(WRITE ${USCITA} "${pagina}")
