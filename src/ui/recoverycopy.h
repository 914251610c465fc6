#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

namespace vap {
class DesignFile;
class SafeFolder;
} // namespace vap

namespace vap::ui {

/**
 * The recovery copy: while the design has changes that are in no saved file, it is written to
 * the user's state folder a short time after a change, so that a crash loses at most that much.
 * A save that leaves nothing unsaved, and a normal exit, remove it; a copy found at start was
 * left by a run that ended otherwise. What counts as a change and as saved is told from outside.
 * The copies live in the program's own folder in the state folder, which must be the user's
 * alone: a folder that another user owns or may open is refused, and said once.
 */
class RecoveryCopy : public QObject {
    Q_OBJECT

public:
    /** The bytes of the copy, as a save writes them; throws vap::Error with the reason. */
    using Writer = std::function<std::string()>;

    static constexpr int defaultDelayMs = 3000;

    /** The copy `fileName` in the program's own folder `vaporina` in the state folder. */
    RecoveryCopy(QString stateFolder, QString fileName, Writer writer, int delayMs = defaultDelayMs,
                 QObject* parent = nullptr);

    /** `$XDG_STATE_HOME`, or `~/.local/state` when that is unset or relative. */
    static QString stateFolder();
    /**
     * The copy's name for the program running under that single-instance guard name: copies
     * that the guard lets run side by side never share a recovery copy.
     */
    static QString fileNameFor(const QString& guardName);

    /** Where the copy is, for messages. */
    QString path() const;
    bool exists() const;
    /** Reads and checks the copy as Open checks a file. Throws vap::Error. */
    DesignFile read() const;
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
    /** The copies' folder, made when `make` is set; nothing when it is not there. */
    std::optional<SafeFolder> folder(bool make) const;

    QString stateFolder_;
    QString fileName_;
    Writer writer_;
    QTimer timer_;
    bool unsaved_ = false;
    bool failureSaid_ = false;
};

} // namespace vap::ui
