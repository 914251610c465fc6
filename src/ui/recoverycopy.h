#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <string>

namespace vap::ui {

/**
 * The recovery copy: while the design has changes that are in no saved file, it is written to
 * the user's state folder a short time after a change, so that a crash loses at most that much.
 * A save that leaves nothing unsaved, and a normal exit, remove it; a copy found at start was
 * left by a run that ended otherwise. What counts as a change and as saved is told from outside.
 */
class RecoveryCopy : public QObject {
    Q_OBJECT

public:
    /** Writes the design to the path, safely; throws vap::Error with the reason. */
    using Writer = std::function<void(const std::string& path)>;

    static constexpr int defaultDelayMs = 3000;

    RecoveryCopy(QString path, Writer writer, int delayMs = defaultDelayMs,
                 QObject* parent = nullptr);

    /** `$XDG_STATE_HOME/vaporina`, or `~/.local/state/vaporina` when that is unset or relative. */
    static QString stateFolder();
    /**
     * The copy of the program running under that single-instance guard name: copies that the
     * guard lets run side by side never share a recovery copy.
     */
    static QString pathFor(const QString& guardName);

    const QString& path() const { return path_; }
    bool exists() const;
    bool unsaved() const { return unsaved_; }
    bool writePending() const { return timer_.isActive(); }

    /**
     * Keeps a copy that could not be opened beside the place of the copy (`.bad`), so that it is
     * not offered again yet its bytes stay for a person to look at. Returns where it went.
     */
    QString setAside();

public slots:
    /** The design changed: it is unsaved, and a copy is written after the delay. */
    void designChanged();
    /** Whether the design has changes in no saved file; false removes the copy. */
    void setUnsaved(bool unsaved);
    /** A normal exit: nothing more is written and the copy goes. */
    void discard();

signals:
    /**
     * Writing or removing the copy failed. Said once: not again until a write has succeeded,
     * so a folder that stays unwritable is reported one time, not on every change.
     */
    void failed(const QString& message);

private:
    void write();
    void remove();
    void fail(const QString& message);

    QString path_;
    Writer writer_;
    QTimer timer_;
    bool unsaved_ = false;
    bool failureSaid_ = false;
};

} // namespace vap::ui
