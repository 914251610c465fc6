#pragma once

#include <QObject>
#include <QString>

#include <string>
#include <vector>

namespace vap {
class Design;
}

namespace vap::ui {

/**
 * See it in Java: the design's complete class, the same source `vapgen java` writes, compiled
 * with javac in a private temporary folder and run on the JVM as a separate process while the
 * designer stays usable. One preview at a time: a new one ends the last. What javac or the JVM
 * complain of, and a design javac would refuse, show in the code window with the source; a
 * missing JDK in the error box. The processes end with this object, and with the designer's
 * process however it ends; the folder goes when its preview ends. The folder is private, in the
 * user's runtime folder or else a temporary folder no other user can change, and javac and
 * java work in it through a descriptor held open, never through its path.
 */
class JavaPreview : public QObject {
    Q_OBJECT

public:
    explicit JavaPreview(QObject* parent = nullptr);
    ~JavaPreview() override;
    JavaPreview(const JavaPreview&) = delete;
    JavaPreview& operator=(const JavaPreview&) = delete;

    /**
     * Composes the design's class with the current language and starts compiling it, after
     * ending the preview before. Throws vap::Error for a name the generators refuse, and for a
     * window too large for one Java method before any of its source is composed.
     */
    void start(const Design& design);
    /** Ends the running preview, if any, and removes its folder. */
    void stop();

    /** The start of a preview folder's name; the designer's process id follows. */
    static QString folderPrefix();
    /** Removes the folders of previews whose designer no longer runs. */
    static void removeLeftovers();

private:
    class Run;
    void compiled(Run* run, int exitCode, bool crashed);
    void ended(Run* run, int exitCode, bool crashed);
    void startProcess(Run* run, const QString& program, const QStringList& arguments);
    /** Shows the source and the complaint in the code window, once the handler has returned. */
    void showComplaint(const QString& className, const std::vector<std::string>& lines,
                       const QString& heading, const QString& output);
    void finish(Run* run);

    Run* run_ = nullptr;
};

} // namespace vap::ui
