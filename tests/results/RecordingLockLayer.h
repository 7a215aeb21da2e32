#pragma once
// A lock layer in front of the system's: it writes down every call in order, and refuses the
// lock or fails the flush when a test tells it to.
#include "ResultsLockedFile.h"

#include <QStringList>
#include <optional>

class RecordingLockLayer final : public FileLockLayer {
public:
    QStringList calls;                    // "lock Locked", "lock Refused", "flush", "unlock", ...
    std::optional<LockOutcome> outcome;   // what every lock call answers instead of the system
    bool flushFails = false;

    LockOutcome tryLock(NativeFile file) override {
        const LockOutcome answer = outcome ? *outcome : SystemLockLayer().tryLock(file);
        calls << QStringLiteral("lock ") + nameOf(answer);
        return answer;
    }
    void unlock(NativeFile file) override {
        calls << QStringLiteral("unlock");
        SystemLockLayer().unlock(file);
    }
    bool flush(NativeFile file) override {
        calls << QStringLiteral("flush");
        return !flushFails && SystemLockLayer().flush(file);
    }

private:
    static QString nameOf(LockOutcome outcome) {
        switch (outcome) {
        case LockOutcome::Locked: return QStringLiteral("Locked");
        case LockOutcome::HeldByAnother: return QStringLiteral("HeldByAnother");
        case LockOutcome::Refused: return QStringLiteral("Refused");
        }
        return {};
    }
};

class ScopedLockLayer {
public:
    explicit ScopedLockLayer(RecordingLockLayer& layer) { setLockLayer(&layer); }
    ~ScopedLockLayer() { setLockLayer(nullptr); }
};
