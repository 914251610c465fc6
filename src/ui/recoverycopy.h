#pragma once

#include "core/files/recoverystore.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace vap::ui {

/**
 * The recovery copy: while the design has changes that are in no saved file, it is written to
 * the user's state folder a short time after a change, so that a crash loses at most that much.
 * A save that leaves nothing unsaved removes it; a design that Open or Clear replaces keeps its
 * copy until the program ends normally; a normal exit with changes unsaved keeps the last one for
 * the next start. What counts as a change and as saved is told from outside. The copies live in
 * the program's own folder in the state folder, which must be the user's alone: a folder that
 * another user owns or may open is refused, and said once.
 */
class RecoveryCopy : public QObject {
    Q_OBJECT

public:
    /** The bytes of the copy, as a save writes them; throws vap::Error with the reason. */
    using Writer = std::function<std::string()>;

    static constexpr int defaultDelayMs = 3000;

    /** The copies of the program of that file name in the folder `vaporina` in the state folder. */
    RecoveryCopy(const QString& stateFolder, const QString& program, Writer writer,
                 int delayMs = defaultDelayMs, QObject* parent = nullptr);

    /** `$XDG_STATE_HOME`, or `~/.local/state` when that is unset or relative. */
    static QString stateFolder();

    /** Where this run's copy is, for messages. */
    QString path() const;
    bool unsaved() const { return unsaved_; }
    bool writePending() const { return timer_.isActive(); }

    /** The copies that runs which have ended left, newest first, held by this run meanwhile. */
    std::vector<LeftCopy> takeLeftCopies();
    /** Reads and checks a left copy as Open checks a file. Throws vap::Error. */
    DesignFile read(const LeftCopy& copy) const;
    /** No: the copy goes. */
    void remove(LeftCopy copy);
    /** A copy that cannot be opened is kept beside (`.bad`) and not offered again. */
    void setAside(LeftCopy copy);
    /** Yes, once its design is open: the copy is this run's, unsaved, until a newer replaces it. */
    void adopt(LeftCopy copy);

    /**
     * A normal exit: nothing more is written; with changes unsaved the design stays as a copy
     * left at exit, else nothing stays. Throws vap::Error when that copy cannot be written.
     */
    void endRun();

public slots:
    /** The design changed: it is unsaved, and a copy is written after the delay. */
    void designChanged();
    /** Whether the design has changes in no saved file; false removes the copy. */
    void setUnsaved(bool unsaved);
    /**
     * The design is about to be replaced by Open or Clear: with changes unsaved, its copy is
     * brought up to date now and kept until the program ends normally.
     */
    void keepReplaced();

signals:
    /**
     * Writing or removing the copy failed. Said once: not again until a write has succeeded,
     * so a folder that stays unwritable is reported one time, not on every change.
     */
    void failed(const QString& message);

private:
    void write();
    /** Runs a step on the store; a failure is said through `failed`. */
    bool tryStep(const std::function<void()>& step);
    void fail(const QString& message);

    RecoveryStore store_;
    Writer writer_;
    QTimer timer_;
    bool unsaved_ = false;
    bool failureSaid_ = false;
};

} // namespace vap::ui
