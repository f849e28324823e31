#pragma once
// The statement reader under the translator: a statement as the backend it goes
// to reads it, in tokens (blanks, comments, literals, names, punctuation).
#include "data/sqltranslator.h"

#include <QString>
#include <vector>

namespace data::sqltokens {

enum class Kind { Space, Comment, String, Name, Number, Punct, Open, Close };

struct Part {
    QString text;
    bool bracketed = false; // [x] or "x"
    bool quoted = false;    // "x"
};

struct Token {
    Kind kind;
    QString text;            // raw text for everything but names
    std::vector<Part> parts; // for names: a.b.c
};

// The tokens of a statement, read as the dialect's server reads it.
std::vector<Token> tokenize(const QString &statement, Dialect dialect = Dialect::SQLite);

// A plain (unbracketed, unquoted) name equal to word, in any case.
bool isWord(const Token &t, const char *word);

} // namespace data::sqltokens
