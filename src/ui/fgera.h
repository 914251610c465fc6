#pragma once

#include "core/codegen/commenttexts.h"
#include "core/codegen/generatedcode.h"

#include "framecloseddialog.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vap::ui {

/**
 * The code window: shows the generated Java text and copies the selection to the clipboard
 * with CR LF after every line. Made anew for each generation; its button captions and the
 * comment texts the generators use are chosen by the language when it is created.
 */
class TF_Gera : public FrameClosedDialog {
    Q_OBJECT

public:
    explicit TF_Gera(QWidget* parent = nullptr);

    const CommentTexts& comments() const { return comments_; }

    /**
     * Replaces the caption (when the generator gives one) and the whole text; warnings show
     * below the text, outside what is selected and copied.
     */
    void fill(const GeneratedCode& code);
    /** The number of generated lines the window holds. */
    int lineCount() const { return lineCount_; }

    void butSelecionaClick();
    void butCopiaClick();

private:
    QPlainTextEdit* memResult;
    QLabel* lblAviso;
    QPushButton* butSeleciona;
    QPushButton* butCopia;
    void FormCreate();

    CommentTexts comments_;
    int lineCount_ = 0;
};

} // namespace vap::ui
