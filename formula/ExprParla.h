// The spoken form of a formula tree: the sentence an Italian teacher says
// reading the formula aloud, for screen readers ("meno tre quarti ics al
// quadrato ipsilon zeta al cubo").
//
// Reading rules, the same for every formula:
// - whole numbers in words below a billion ("trecentoquarantadue",
//   "centotto", "centottanta", "ventitré"), digit by digit beyond ("uno due
//   tre ..."); decimals with "virgola";
// - a fraction of whole numbers with a denominator up to 300 as Italians
//   say it, the denominator an ordinal ("un mezzo", "due mezzi", "tre
//   quarti", "tredici dodicesimi", "un ventitreesimo", "tre centesimi"),
//   a minus before it and letters of its numerator after it ("meno tredici
//   diciassettesimi ics": 13x over 17); any other fraction in the order it
//   is drawn, numerator "fratto" denominator, with a pause after it; a
//   numerator or denominator that is a sum named ("frazione con numeratore
//   ics più uno e denominatore due"), no bracket said that is not drawn;
// - letters by their Italian names ("ics", "ipsilon", "zeta"), one after the
//   other without "per"; "per" is said only before a number or a bracket
//   that follow another factor;
// - powers "al quadrato", "al cubo", "alla quarta", "all'undicesima",
//   "alla meno tre"; a compound exponent "elevato a ...";
// - brackets ("aperta parentesi ... chiusa parentesi") where leaving them out
//   would change what is heard: around a sum (or any operation between
//   terms) that is not alone in its row, around a negative factor after
//   something else, around a base of a power that is more than one symbol
//   or a fraction; a bracket around a single monomial in a product is not
//   said ("meno tre ics per un mezzo ics");
// - the joiners and texts by their words: "=" "uguale", ":" "diviso", "·"
//   "per", "+" "più", "-" "meno", "MCD" "massimo comune divisore di", "mcm"
//   "minimo comune multiplo di" (its arguments joined by commas and "e").
// Nothing of the formula language is left in the sentence.
#pragma once

#include <string>

#include "ExprDraw.h"

namespace mevario {

// The sentence (UTF-8) of the formula whose row starts at `root`.
std::string SpokenForm(TExprClass* root);

// A whole number in Italian words ("duemilacentouno"); from a billion on
// its digits one by one, in words. Negative numbers start with "meno".
std::string ItalianNumber(long long n);

} // namespace mevario
