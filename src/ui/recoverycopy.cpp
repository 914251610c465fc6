#include "recoverycopy.h"

#include "core/files/ioerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <exception>
#include <filesystem>

namespace vap::ui {

RecoveryCopy::RecoveryCopy(QString path, Writer writer, int delayMs, QObject* parent)
    : QObject(parent), path_(std::move(path)), writer_(std::move(writer)) {
    timer_.setSingleShot(true);
    timer_.setInterval(delayMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryCopy::write);
}

QString RecoveryCopy::stateFolder() {
    // Qt names the state folder only from 6.7 on; the rule is the XDG one.
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/vaporina");
}

QString RecoveryCopy::pathFor(const QString& guardName) {
    return stateFolder() + QLatin1Char('/') + guardName + QStringLiteral(".recovery.vap");
}

bool RecoveryCopy::exists() const {
    return QFileInfo(path_).isFile();
}

QString RecoveryCopy::setAside() {
    const QString aside = path_ + QStringLiteral(".bad");
    QFile::remove(aside);
    // Left in place when it cannot be moved: the question comes again, and No removes it.
    return QFile::rename(path_, aside) ? aside : QString();
}

void RecoveryCopy::designChanged() {
    unsaved_ = true;
    // Not restarted on each change: a steady stream of keystrokes still gets its copy.
    if (!timer_.isActive())
        timer_.start();
}

void RecoveryCopy::setUnsaved(bool unsaved) {
    if (unsaved) {
        designChanged();
        return;
    }
    unsaved_ = false;
    timer_.stop();
    remove();
}

void RecoveryCopy::discard() {
    setUnsaved(false);
}

void RecoveryCopy::write() {
    if (!unsaved_)
        return;
    namespace fs = std::filesystem;
    const std::string path = QFile::encodeName(path_).toStdString();
    const fs::path folder = fs::path(path).parent_path();
    std::error_code error;
    fs::create_directories(folder.parent_path(), error);
    // The copies hold the user's work: a folder made here is the user's alone.
    if (!error && fs::create_directory(folder, error))
        fs::permissions(folder, fs::perms::owner_all, error);
    if (!fs::is_directory(folder)) {
        // Something that is not a folder stands in the way (EEXIST), or nothing was said.
        const int code = error && error.value() != EEXIST ? error.value() : ENOTDIR;
        fail(QString::fromStdString(ioErrorMessageFromErrno(code)));
        return;
    }
    try {
        writer_(path);
        failureSaid_ = false;
    } catch (const std::exception& error) {
        fail(QString::fromUtf8(error.what()));
    }
}

void RecoveryCopy::remove() {
    QFile copy(path_);
    if (copy.exists() && !copy.remove())
        fail(copy.errorString());
}

void RecoveryCopy::fail(const QString& message) {
    if (failureSaid_)
        return;
    failureSaid_ = true;
    emit failed(message);
}

} // namespace vap::ui
