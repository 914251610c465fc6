#pragma once

#include "ui/dialogs.h"

#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace vaptest {

/**
 * Dialogs that answer from a queue instead of asking anyone; installed for their lifetime. Each
 * question must find the next queued answer of its own kind, or the running test fails. Error
 * boxes are recorded and must be taken by the test. A modal window goes to the queued handler,
 * which may press its buttons, instead of blocking.
 */
class ScriptedDialogs : public vap::ui::Dialogs {
public:
    enum class Kind { Text, YesNo, OpenFile, SaveFile, Modal, YesNoOrLater };
    /**
     * A question as asked: title, text (label, question, filter or object name), preset (for a
     * question that may wait, its buttons: "Yes|No").
     */
    struct Request {
        Kind kind;
        QString title, text, preset;
    };
    struct ShownError {
        QString title, text;
    };
    using ModalHandler = std::function<void(QDialog&)>;

    ScriptedDialogs() { vap::ui::installDialogs(this); }
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    /** Nothing means Cancel; so does an empty file name. */
    void answerText(std::optional<QString> text) { queue(Kind::Text, std::move(text)); }
    void answerYesNo(bool yes) { queue(Kind::YesNo, {}, yes); }
    void answerOpenFile(const QString& path) { queue(Kind::OpenFile, path); }
    void answerSaveFile(const QString& path) { queue(Kind::SaveFile, path); }
    void answerModal(ModalHandler handler = {}) {
        queue(Kind::Modal, {}, false, std::move(handler));
    }
    void answerYesNoOrLater(vap::ui::Answer answer) {
        queue(Kind::YesNoOrLater, {}, false, {}, answer);
    }

    /** The questions asked, and the error boxes shown (reported ones delivered first). */
    std::vector<Request> takeRequests();
    std::vector<ShownError> takeErrors();
    /** The text of the one error box shown, under the program's title; otherwise what showed. */
    QString takeError();
    /** How many questions found no answer of their kind. */
    int unanswered() const { return unanswered_; }
    /** Shows the errors reported by handlers that have returned. */
    static void deliverReportedErrors();
    /** Fails the running test for answers nobody asked for and error boxes not taken. */
    void verifySettled();

    std::optional<QString> askText(QWidget*, const QString& title, const QString& label,
                                   const QString& preset, int) override;
    bool askYesNo(QWidget*, const QString& title, const QString& question) override;
    vap::ui::Answer askYesNoOrLater(QWidget*, const vap::ui::QuestionTexts& texts) override;
    void showError(const QString& title, const QString& message) override;
    /**
     * Error boxes as the user meets them: a real message box, running its own event loop until
     * a real Enter key closes it. Handlers that show a box while an event is still being
     * delivered crash here, as they do for the user.
     */
    void showRealErrorBoxes(bool real) { realErrorBoxes_ = real; }
    QString chooseOpenFile(QWidget*, const vap::ui::FileDialogTexts& texts) override;
    QString chooseSaveFile(QWidget*, const vap::ui::FileDialogTexts& texts) override;
    void runModal(QDialog* dialog) override;

private:
    struct Answer {
        Kind kind;
        std::optional<QString> text;
        bool yes;
        ModalHandler modal;
        vap::ui::Answer choice;
    };
    void queue(Kind kind, std::optional<QString> text, bool yes = false, ModalHandler modal = {},
               vap::ui::Answer choice = vap::ui::Answer::Later) {
        answers_.push_back(Answer{kind, std::move(text), yes, std::move(modal), choice});
    }
    /** The next answer if it is of the request's kind; otherwise the test fails. */
    std::optional<Answer> take(const Request& request);

    std::deque<Answer> answers_;
    std::vector<Request> requests_;
    std::vector<ShownError> errors_;
    int unanswered_ = 0;
    bool realErrorBoxes_ = false;
};

} // namespace vaptest
