#pragma once
// The rules that turn a bank's question into a test question: one correct choice among two to
// five, moved to the first slot. Everything else is listed with the reason it was left out.
#include "ImportReport.h"

#include <QByteArray>
#include <QString>

#include <vector>

struct BankChoice {
    QByteArray rtf;
    bool correct = false;
    bool partlyCorrect = false;  // a share of the marks other than all or nothing
};

struct BankQuestion {
    QString title;     // the bank's title, or the first line of the question
    QString position;  // where it stands in the file
    QByteArray rtf;
    std::vector<BankChoice> choices;
    bool trueFalse = false;
    QString otherType;  // set for a type a test cannot hold: "short answer", "essay", ...
};

// Adds the question to the result, or lists it as skipped.
void addBankQuestion(const BankQuestion& question, ImportResult& result);

// A title for lists: the first line of the text, shortened.
QString firstLine(const QString& text);
