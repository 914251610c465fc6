#include "dialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

namespace vap::ui {

namespace {

/**
 * Widens a dialog so that its whole title shows: a title bar holds the title, the window's
 * picture and its buttons, and the window manager cuts a longer title short.
 */
void fitTitle(QDialog& dialog) {
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true); // the usual title bars draw it bold
    int wanted = QFontMetrics(titleFont).horizontalAdvance(dialog.windowTitle()) + 140;
    // These boxes size themselves from their layouts, whatever their minimum width says.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    else if (auto* label = dialog.findChild<QLabel*>())
        label->setMinimumWidth(wanted - 2 * dialog.style()->pixelMetric(QStyle::PM_LayoutLeftMargin,
                                                                        nullptr, &dialog));
}

/**
 * The window a box belongs to, so that the window manager keeps it above: the topmost modal
 * window, else the active one, else the first window shown (at start-up nothing is active yet).
 */
QWidget* boxOwner() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->windowType() == Qt::Window)
            return top;
    return nullptr;
}

/** A message box whose Escape and close box press neither of its buttons. */
class LaterBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel)) {
            reject();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    // The message box would press its No button.
    void closeEvent(QCloseEvent* event) override { QDialog::closeEvent(event); }
};

class RealDialogs : public Dialogs {
public:
    std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label,
                                   const QString& preset, int maxLength) override {
        QInputDialog box(parent);
        box.setWindowTitle(title);
        box.setLabelText(label);
        box.setTextValue(preset);
        if (maxLength > 0) {
            if (auto* edit = box.findChild<QLineEdit*>())
                edit->setMaxLength(maxLength);
        }
        fitTitle(box);
        if (box.exec() != QDialog::Accepted)
            return std::nullopt;
        return box.textValue();
    }

    bool askYesNo(QWidget* parent, const QString& title, const QString& question) override {
        return QMessageBox::question(parent, title, question, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::Yes) == QMessageBox::Yes;
    }

    Answer askYesNoOrLater(QWidget* parent, const QuestionTexts& texts) override {
        LaterBox box(QMessageBox::Question, texts.title, texts.question, QMessageBox::NoButton,
                     parent ? parent : boxOwner());
        QPushButton* yes = box.addButton(texts.yes, QMessageBox::YesRole);
        QPushButton* no = box.addButton(texts.no, QMessageBox::NoRole);
        box.setDefaultButton(yes);
        fitTitle(box);
        box.exec();
        if (box.clickedButton() == yes)
            return Answer::Yes;
        return box.clickedButton() == no ? Answer::No : Answer::Later;
    }

    void showError(const QString& title, const QString& message) override {
        QMessageBox box(QMessageBox::Critical, title, message, QMessageBox::Ok, boxOwner());
        fitTitle(box);
        box.exec();
    }

    QString chooseOpenFile(QWidget* parent, const FileDialogTexts& texts) override {
        // The chosen file need not exist: opening a missing one reports it.
        return runFileDialog(parent, texts, QFileDialog::AcceptOpen, QFileDialog::AnyFile);
    }

    QString chooseSaveFile(QWidget* parent, const FileDialogTexts& texts) override {
        return runFileDialog(parent, texts, QFileDialog::AcceptSave, QFileDialog::AnyFile);
    }

    void runModal(QDialog* dialog) override { dialog->exec(); }

private:
    static QString runFileDialog(QWidget* parent, const FileDialogTexts& texts,
                                 QFileDialog::AcceptMode mode, QFileDialog::FileMode fileMode) {
        QFileDialog dialog(parent);
        if (!texts.title.isEmpty())
            dialog.setWindowTitle(texts.title);
        dialog.setAcceptMode(mode);
        dialog.setFileMode(fileMode);
        dialog.setNameFilter(qtNameFilter(texts.filter));
        dialog.setDefaultSuffix(texts.defaultSuffix);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }
};

RealDialogs realDialogs;
Dialogs* current = &realDialogs;

} // namespace

Dialogs& dialogs() {
    return *current;
}

void installDialogs(Dialogs* replacement) {
    current = replacement ? replacement : &realDialogs;
}

QString qtNameFilter(const QString& filter) {
    qsizetype bar = filter.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return filter;
    return filter.left(bar) + QStringLiteral(" (") + filter.mid(bar + 1) + QLatin1Char(')');
}

} // namespace vap::ui
