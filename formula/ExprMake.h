// The formula language: TExprBuilder turns one line of formula text into a
// tree of formula nodes, joining factors the way a mathematician writes them.
#pragma once

#include <stdexcept>
#include <string>

#include "ExprDraw.h"

namespace mevario {

// A syntax error of a formula text: an Italian message followed by the
// 1-based position in the pre-scanned text (no position for "Espressione
// errata").
class EIncorrectExpr : public std::runtime_error {
public:
    EIncorrectExpr(const std::string& message, int position);
    explicit EIncorrectExpr(const std::string& message);
    // The message without the position, and the position (0 when none).
    const std::string& Message() const { return FMessage; }
    int Position() const { return FPosition; }

private:
    std::string FMessage;
    int FPosition = 0;
};

// The text the parser reads: the written sequences of two or three
// characters replaced by their one-character codes, and one space appended.
std::string PreScan(const std::string& text);

class TExprBuilder {
public:
    TExprBuilder() = default;
    // The root of the tree (the caller owns it). Raises EIncorrectExpr, also
    // for text left after the formula ("3x", "a)b"; spaces at the end are
    // fine), at the place where reading stopped.
    PExpr ParseFormula(const std::string& text);

private:
    // A run of sibling nodes as the levels build it, with its compound mark
    // (0 simple, 1 compound, 3 begins with a unary plus-like sign).
    struct Run {
        PExpr head;
        TExprClass* tail = nullptr;
        int count = 0;
        int mark = 0;
        void Append(PExpr n);
        void Append(Run&& r);
        void Prepend(Run&& r);
        PExpr Take(); // the run as a list, leaving it empty
    };
    enum class Kind { None, Chain, Round, Argument, Base, Bars, Square, Curly };

    char Cur() const;
    char At(int p) const;
    void Advance(int n = 1) { FPos += n; }
    [[noreturn]] void Error(const char* message) const;
    [[noreturn]] void Error(const char* message, int position) const;
    void Expect(char c, const char* message);
    void SkipSpaces();
    static bool IsLetter(char c);
    static bool IsDigit(char c);

    Run List(Kind kind, bool commas);
    PExpr Wrap(Run&& run, Kind kind);
    Run Relation();
    Run Sum();
    Run Product();
    Run Factor();
    Run Primary();
    Run NameOrCall();
    Run Call(const std::string& name, bool bang, int& mark);
    void Join(Run& left, Run&& right);

    PExpr ReadNumber(bool expForm);
    bool ScanNumber(int& length, long double& value) const;
    bool ReadInteger(long long& value);
    bool ReadReal(long double& value);
    std::string ReadLiteral();
    void Comma();
    bool OptionalComma();

    PExpr Arg(Kind kind);
    static PExpr Single(Run&& run);
    static PExpr ReplaceChain(PExpr factor);
    static PExpr PlaceIndex(PExpr base, PExpr index, int slot);
    static PExpr PlaceCap(PExpr base, unsigned char kind, int count);
    static PExpr Force(PExpr n);

    std::string FText;
    int FPos = 1;
    bool FPostfix = true;
    int FDepth = 0;
};

} // namespace mevario
