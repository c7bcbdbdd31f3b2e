// Errors raised by the algebra core while reading a pupil's answer.
// The application's general error box shows what() exactly as it stands.
#pragma once

#include <stdexcept>
#include <string>

namespace mevario {

// Base of every calculation error the checks let through to the error box.
class ErroreCalcolo : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A typed number that is not a valid signed 32-bit integer:
// "'<buffer>' is not a valid integer value".
class ErroreConversione : public ErroreCalcolo {
public:
    explicit ErroreConversione(const std::string& buffer);
    const std::string& buffer() const noexcept { return buffer_; }

private:
    std::string buffer_;
};

// p/q with q = 0 and p != 0: "Floating point division by zero".
class ErroreDivisionePerZero : public ErroreCalcolo {
public:
    ErroreDivisionePerZero();
};

// 0/0: "Invalid floating point operation".
class ErroreOperazioneNonValida : public ErroreCalcolo {
public:
    ErroreOperazioneNonValida();
};

// The value of the coefficient p/q as an extended-precision quotient.
// Every check compares coefficients through this one helper, so a zero
// denominator is reported the same way by every window.
long double Quoziente(long long p, long long q);

// Signed decimal conversion of a digit buffer: an optional '-' followed by
// one or more decimal digits, within the signed 32-bit range. Anything else
// raises ErroreConversione naming the buffer.
int ConvertiIntero(const std::string& buffer);

// What a pupil or a teacher reads about an error (UTF-8): an Italian sentence
// for the reading errors above, the error's own message otherwise.
std::string SpiegazioneErrore(const std::exception& e);

} // namespace mevario
