#include "Notices.h"

#include <cstdio>

namespace {

// Used only before the windows install theirs: a notice must never be lost silently.
class ConsoleNotices final : public Notices {
public:
    void notice(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    bool question(const QString& text) override {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return false;
    }
};

ConsoleNotices consoleNotices;
Notices* current = &consoleNotices;

}  // namespace

void setNotices(Notices* replacement) { current = replacement ? replacement : &consoleNotices; }

void ShowNotice(const QString& text) { current->notice(text); }

bool AskQuestion(const QString& text) { return current->question(text); }
