#include "scripteddialogs.h"

#include "ui/errorbox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <utility>

namespace vaptest {

namespace {
const char* const kindNames[] = {"askText",        "askYesNo", "chooseOpenFile",
                                 "chooseSaveFile", "runModal", "askYesNoOrLater"};

QString nameOf(ScriptedDialogs::Kind kind) {
    return QString::fromLatin1(kindNames[static_cast<int>(kind)]);
}

void failTest(const QString& message) {
    QTest::qFail(message.toUtf8().constData(), __FILE__, __LINE__);
}
} // namespace

ScriptedDialogs::~ScriptedDialogs() {
    if (&vap::ui::dialogs() == this)
        vap::ui::installDialogs(nullptr);
}

std::vector<ScriptedDialogs::Request> ScriptedDialogs::takeRequests() {
    return std::exchange(requests_, {});
}

std::vector<ScriptedDialogs::ShownError> ScriptedDialogs::takeErrors() {
    deliverReportedErrors();
    return std::exchange(errors_, {});
}

QString ScriptedDialogs::takeError() {
    std::vector<ShownError> errors = takeErrors();
    if (errors.size() == 1 && errors[0].title == vap::ui::applicationTitle)
        return errors[0].text;
    return QStringLiteral("<%1 error boxes: %2>")
        .arg(errors.size())
        .arg(errors.empty() ? QString() : errors[0].title + QStringLiteral(": ") + errors[0].text);
}

void ScriptedDialogs::deliverReportedErrors() {
    // Errors are reported once the handler that raised them has returned, through the queue.
    QCoreApplication::sendPostedEvents(QCoreApplication::instance(), QEvent::MetaCall);
}

void ScriptedDialogs::verifySettled() {
    deliverReportedErrors();
    for (const Answer& answer : answers_)
        failTest(QStringLiteral("a queued %1 answer was never asked for").arg(nameOf(answer.kind)));
    for (const ShownError& error : errors_)
        failTest(QStringLiteral("unexpected error box \"%1\": %2").arg(error.title, error.text));
    answers_.clear();
    errors_.clear();
}

std::optional<ScriptedDialogs::Answer> ScriptedDialogs::take(const Request& request) {
    requests_.push_back(request);
    if (answers_.empty() || answers_.front().kind != request.kind) {
        ++unanswered_;
        failTest(
            QStringLiteral("unexpected %1 \"%2\" (%3) while expecting %4")
                .arg(nameOf(request.kind), request.title, request.text,
                     answers_.empty() ? QStringLiteral("nothing") : nameOf(answers_.front().kind)));
        return std::nullopt;
    }
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::askText(QWidget*, const QString& title,
                                                const QString& label, const QString& preset, int) {
    auto answer = take({Kind::Text, title, label, preset});
    return answer ? answer->text : std::nullopt;
}

bool ScriptedDialogs::askYesNo(QWidget*, const QString& title, const QString& question) {
    auto answer = take({Kind::YesNo, title, question, {}});
    return answer && answer->yes;
}

vap::ui::Answer ScriptedDialogs::askYesNoOrLater(QWidget*, const vap::ui::QuestionTexts& texts) {
    auto answer = take(
        {Kind::YesNoOrLater, texts.title, texts.question, texts.yes + QLatin1Char('|') + texts.no});
    return answer ? answer->choice : vap::ui::Answer::Later;
}

QString ScriptedDialogs::chooseOpenFile(QWidget*, const vap::ui::FileDialogTexts& texts) {
    auto answer = take({Kind::OpenFile, texts.title, texts.filter, texts.defaultSuffix});
    return answer ? answer->text.value_or(QString()) : QString();
}

QString ScriptedDialogs::chooseSaveFile(QWidget*, const vap::ui::FileDialogTexts& texts) {
    auto answer = take({Kind::SaveFile, texts.title, texts.filter, texts.defaultSuffix});
    return answer ? answer->text.value_or(QString()) : QString();
}

void ScriptedDialogs::showError(const QString& title, const QString& message) {
    errors_.push_back({title, message});
    if (!realErrorBoxes_)
        return;
    QMessageBox box(QMessageBox::Critical, title, message, QMessageBox::Ok,
                    QApplication::activeWindow());
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, &box, [&box] {
        if (box.isVisible())
            QTest::keyClick(&box, Qt::Key_Return);
    });
    closer.start(20);
    box.exec();
}

void ScriptedDialogs::runModal(QDialog* dialog) {
    auto answer = take({Kind::Modal, dialog->windowTitle(), dialog->objectName(), {}});
    if (answer && answer->modal)
        answer->modal(*dialog);
}

} // namespace vaptest
