// The signals that end a run from outside (SIGTERM when the session logs
// out or the system shuts down, SIGHUP when the terminal goes away): the
// program ends as by "Esci", its record written whole into its file. The
// handler only writes a byte to a pipe of its own; the event loop reads it
// and runs the ending, where Qt may be called.
#pragma once

#include <QObject>

#include <functional>
#include <initializer_list>

class QSocketNotifier;

namespace mevario {

class TSegnaliFine : public QObject {
public:
    // `fine` runs in the event loop after any of `segnali` arrived (once).
    TSegnaliFine(std::initializer_list<int> segnali, std::function<void()> fine, QObject* parent = nullptr);
    ~TSegnaliFine() override;
    TSegnaliFine(const TSegnaliFine&) = delete;
    TSegnaliFine& operator=(const TSegnaliFine&) = delete;

private:
    std::function<void()> FFine;
    QSocketNotifier* FNotifica = nullptr;
};

} // namespace mevario
