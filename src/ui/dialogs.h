#pragma once

#include <QString>

#include <optional>

class QDialog;
class QWidget;

namespace vap::ui {

/** The texts of an open or save dialog; the filter is "Description|*.vap". */
struct FileDialogTexts {
    QString title; // empty: Qt's own title for the dialog
    QString filter;
    QString defaultSuffix;
};

/** A question asked in words of its own: its title, its text and the captions of its buttons. */
struct QuestionTexts {
    QString title;
    QString question;
    QString yes;
    QString no;
};

/** The answer to a question that may be left for later. */
enum class Answer { Yes, No, Later };

/**
 * Every modal question the program asks goes through here, so that tests can install answers
 * instead of blocking on a dialog.
 */
class Dialogs {
public:
    virtual ~Dialogs() = default;

    /** An input box; nothing when the user cancels. maxLength 0 means no limit. */
    virtual std::optional<QString> askText(QWidget* parent, const QString& title,
                                           const QString& label, const QString& preset,
                                           int maxLength) = 0;
    /** A question with Yes and No and the question icon; true for Yes. */
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& question) = 0;
    /**
     * A question with the question icon and the two buttons, Yes the default; Escape and the
     * close box answer Later, which is neither.
     */
    virtual Answer askYesNoOrLater(QWidget* parent, const QuestionTexts& texts) = 0;
    /** A message with a stop icon and one OK button. */
    virtual void showError(const QString& title, const QString& message) = 0;
    /** The file chosen to open or save; empty when the user cancels. */
    virtual QString chooseOpenFile(QWidget* parent, const FileDialogTexts& texts) = 0;
    virtual QString chooseSaveFile(QWidget* parent, const FileDialogTexts& texts) = 0;
    /** Shows the window modally and returns when it has closed. */
    virtual void runModal(QDialog* dialog) = 0;
};

/** The dialogs in force: the real ones unless a test installed its own. */
Dialogs& dialogs();

/** Installs dialogs for tests; nullptr restores the real ones. */
void installDialogs(Dialogs* replacement);

/** "Description|*.vap" as a Qt name filter, "Description (*.vap)". */
QString qtNameFilter(const QString& filter);

} // namespace vap::ui
