#include "recoverycopy.h"

#include "core/model/error.h"

#include <QDir>
#include <QFile>

#include <exception>
#include <optional>

namespace vap::ui {

namespace {

std::string encoded(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

RecoveryCopy::RecoveryCopy(const QString& stateFolder, const QString& program, Writer writer,
                           int delayMs, QObject* parent)
    : QObject(parent), store_(encoded(stateFolder), encoded(program)), writer_(std::move(writer)) {
    timer_.setSingleShot(true);
    timer_.setInterval(delayMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryCopy::write);
}

QString RecoveryCopy::stateFolder() {
    // Qt names the state folder only from 6.7 on; the rule is the XDG one.
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base;
}

QString RecoveryCopy::path() const {
    return QFile::decodeName(QByteArray::fromStdString(store_.currentPath()));
}

bool RecoveryCopy::tryStep(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const std::exception& error) {
        fail(QString::fromUtf8(error.what()));
        return false;
    }
}

std::vector<LeftCopy> RecoveryCopy::takeLeftCopies() {
    try {
        return store_.takeLeftCopies();
    } catch (const Error&) {
        return {}; // a folder that is refused holds no copy of ours; a write will say why
    }
}

DesignFile RecoveryCopy::read(const LeftCopy& copy) const {
    return store_.read(copy);
}

void RecoveryCopy::remove(LeftCopy copy) {
    tryStep([&] { store_.remove(std::move(copy)); });
}

void RecoveryCopy::setAside(LeftCopy copy) {
    // Left in place when it cannot be moved: offered again at the next start, where No removes it.
    tryStep([&] { store_.setAside(std::move(copy)); });
}

void RecoveryCopy::adopt(LeftCopy copy) {
    timer_.stop();
    store_.adopt(std::move(copy));
    unsaved_ = true; // the copy holds the design as it is: nothing to write until it changes
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
    tryStep([this] { store_.removeCurrent(); });
}

void RecoveryCopy::keepReplaced() {
    if (!unsaved_)
        return;
    timer_.stop();
    write();
    // The next write starts a copy of its own. Whether the new design is unsaved is told after
    // it is in (Open makes it saved, Clear a change); an Open that fails leaves it unsaved.
    store_.keepCurrent();
}

void RecoveryCopy::endRun() {
    timer_.stop();
    std::optional<std::string> bytes;
    if (unsaved_)
        bytes = writer_();
    store_.finish(bytes);
    unsaved_ = false;
}

void RecoveryCopy::write() {
    if (!unsaved_)
        return;
    if (tryStep([this] { store_.write(writer_); }))
        failureSaid_ = false;
}

void RecoveryCopy::fail(const QString& message) {
    if (failureSaid_)
        return;
    failureSaid_ = true;
    emit failed(message);
}

} // namespace vap::ui
